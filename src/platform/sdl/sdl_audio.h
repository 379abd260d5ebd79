// The SDL audio device pulling the mixer.
#pragma once
#include <memory>

#include "platform/audio_output.h"

namespace platform {

// Opens the default device in the wanted format (SDL converts when the
// hardware differs) with a buffer of about 1024 frames, and starts pulling
// source on SDL's audio thread. None when there is no device.
std::unique_ptr<AudioOutput> OpenSdlAudio(AudioSource& source, const AudioFormat& wanted);

}  // namespace platform
