// Writing 16-bit PCM WAV files the game's sound engine reads: a 16-byte
// "fmt " chunk and the "data" chunk, nothing else.
#pragma once

#include <string>

#include "dsp.h"

namespace sfx {

// Rounds to 16-bit with saturation. Return false when the file could not
// be written completely.
bool WriteMonoWav(const std::string& path, const Mono& samples);
bool WriteStereoWav(const std::string& path, const Stereo& samples);

}  // namespace sfx
