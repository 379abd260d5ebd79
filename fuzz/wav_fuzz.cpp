// The WAV reader on arbitrary bytes: as a sample (read whole into a buffer
// and played) and as a music stream (ring filled, played, torn down).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/audio_mixer.h"
#include "sound/qv_sound.h"
#include "sound/snd_sample.h"
#include "sound/sound_file.h"

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
  static Harness harness;
  std::vector<uint8_t> bytes(data, data + size);

  sound::SNDSample standalone;
  sound::MemorySoundFile file(bytes);
  standalone.IsWavFile(file);

  harness.input = bytes;
  std::vector<int16_t> out(512 * 2);
  if (harness.engine.LoadSample("fuzz.wav", 1)) {
    if (sound::SNDSample* s = harness.engine.PlaySample(1, 0xFFFF, 0x8000)) {
      harness.mixer.render(out.data(), 512);
      s->StopSample();
    }
    harness.engine.FreeSample(1);
  }
  if (harness.engine.LoadStream("fuzz.wav", 2)) {
    harness.engine.PlayStream(size & 1 ? sound::kStreamLooping : 0);
    harness.mixer.render(out.data(), 512);
    harness.engine.StopStream();
  }
  return 0;
}
