// The headless audio device: nothing plays by itself; a test pulls exact
// numbers of frames, which moves every play cursor by exactly that much.
#pragma once
#include <cstdint>

#include "platform/audio_output.h"

namespace platform {

class PulledAudioOutput : public AudioOutput {
 public:
  PulledAudioOutput(AudioSource& source, AudioFormat format);
  AudioFormat format() const override { return format_; }
  // Fills frames * channels interleaved samples from the source.
  void pull(int16_t* out, int frames);

 private:
  AudioSource& source_;
  AudioFormat format_;
};

}  // namespace platform
