#include "platform/headless/pulled_audio.h"

namespace platform {

PulledAudioOutput::PulledAudioOutput(AudioSource& source, AudioFormat format)
    : source_(source), format_(format) {}

void PulledAudioOutput::pull(int16_t* out, int frames) {
  if (frames > 0) source_.render(out, frames);
}

}  // namespace platform
