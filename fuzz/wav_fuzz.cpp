// The WAV reader on any bytes, as the engine uses it: a sample read whole,
// mixed (mono or stereo, 8 or 16 bits, looping when it has a loop chunk)
// and stopped; and a music stream played until a chunk of its ring has been
// refilled or the sound has ended, then torn down.
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
  std::vector<int16_t> out(1024 * 2);
  if (h.engine.LoadSample("fuzz.wav", 1)) {
    if (sound::SNDSample* s = h.engine.PlaySample(1, 0xFFFF, 0x8000)) {
      h.mixer.render(out.data(), 512);
      s->StopSample();
    }
    h.engine.FreeSample(1);
  }
  if (h.engine.LoadStream("fuzz.wav", 2)) {
    h.engine.PlayStream(size & 1 ? int(sound::kStreamLooping) : 0);
    // The first chunk notification only primes the ring, the second refills
    // or ends it: about half a second, whatever the stream's rate.
    const sound::SNDStream& stream = *h.engine.GetStreamInfoPtr();
    for (int i = 0; i < 13 && (stream.flags & sound::kStreamPlaying) && stream.handled < 2; ++i) {
      h.mixer.render(out.data(), 1024);
      sound::QvSoundProbe::WaitStreamSettled(h.engine, 1000);
    }
    h.engine.StopStream();
  }
  return 0;
}
