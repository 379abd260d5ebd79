// The audio device seen from the mixer: the back end pulls interleaved
// signed 16-bit frames from a source on its own thread.
#pragma once
#include <cstdint>

namespace platform {

struct AudioFormat {
  int rate = 44100;
  int channels = 2;
};

class AudioSource {
 public:
  virtual ~AudioSource() = default;
  // Fills frames * channels samples. Called on the device's thread.
  virtual void render(int16_t* out, int frames) = 0;
};

class AudioOutput {
 public:
  virtual ~AudioOutput() = default;
  virtual AudioFormat format() const = 0;
};

}  // namespace platform
