// The WAV reader on any bytes, as the engine uses it: a sample read whole,
// mixed (mono or stereo, 8 or 16 bits, looping when it has a loop chunk)
// and stopped; and a music stream played long enough that its ring is
// refilled and a short sound reaches its end, then torn down.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/audio_mixer.h"
#include "sound/qv_sound.h"
#include "sound/snd_sample.h"
#include "support/memory_sound_file.h"
#include "support/qv_sound_probe.h"

namespace {

struct Harness {
  Harness() : mixer({22050, 2}) {
    engine.Init(&mixer, 8);
    engine.SetFileOpenFunc([this](const std::string&) { return std::make_unique<sound::MemorySoundFile>(input); });
  }
  platform::AudioMixer mixer;
  sound::QvSound engine;
  std::vector<uint8_t> input;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Harness h;
  h.input.assign(data, data + size);
  std::vector<int16_t> out(2756 * 2);  // an eighth of a second
  if (h.engine.LoadSample("fuzz.wav", 1)) {
    if (sound::SNDSample* s = h.engine.PlaySample(1, 0xFFFF, 0x8000)) {
      h.mixer.render(out.data(), 512);
      s->StopSample();
    }
    h.engine.FreeSample(1);
  }
  if (h.engine.LoadStream("fuzz.wav", 2)) {
    h.engine.PlayStream(size & 1 ? int(sound::kStreamLooping) : 0);
    for (int i = 0; i < 8; ++i) {  // a second: refills, and the end of a short sound
      h.mixer.render(out.data(), 2756);
      sound::QvSoundProbe::WaitStreamSettled(h.engine, 1000);
    }
    h.engine.StopStream();
  }
  return 0;
}
