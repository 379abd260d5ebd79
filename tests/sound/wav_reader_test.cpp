#include <gtest/gtest.h>

#include <iterator>

#include "sound/snd_sample.h"
#include "sound_test_support.h"

namespace {

using sound::MemorySoundFile;
using sound::QvSoundProbe;
using sound::SNDSample;
using soundtest::Pcm16;
using soundtest::WavBuilder;

int IsWav(SNDSample& sample, const std::vector<uint8_t>& bytes) {
  MemorySoundFile file(bytes);
  return sample.IsWavFile(file);
}

TEST(WavReader, RefusesWhatIsNotAPlainPcmWavOrIsCutShort) {
  const auto data = Pcm16({1, 2});
  auto notRiff = soundtest::SimpleWav(1, 22050, 16, data), notWave = notRiff;
  notRiff[0] = 'X';
  notWave[8] = 'X';
  const std::vector<uint8_t> refused[] = {
      WavBuilder().fmt(2, 1, 22050, 4).data(data).bytes(),                  // ADPCM
      WavBuilder().fmt(3, 1, 22050, 32).data(data).bytes(),                 // float
      WavBuilder().fmt(0xFFFE, 1, 22050, 16, 40).data(data).bytes(),        // extensible
      WavBuilder().pcm(1, 22050, 16).bytes(),                               // no data chunk
      WavBuilder().data(data).bytes(),                                      // no fmt chunk
      WavBuilder().fmt(1, 1, 22050, 16, 14).data(data).bytes(),             // fmt too short
      WavBuilder().pcm(1, 22050, 16).dataClaiming(1000, Pcm16({1, 2, 3})).bytes(),
      WavBuilder().pcm(1, 22050, 16).dataClaiming(0xFFFFFFFF, {}).bytes(),
      notRiff, notWave, {'R', 'I', 'F', 'F'}, {}};
  for (size_t i = 0; i < std::size(refused); ++i) {
    SNDSample s;
    EXPECT_EQ(IsWav(s, refused[i]), 0) << i;
  }
  SNDSample exact;
  EXPECT_EQ(IsWav(exact, WavBuilder().pcm(1, 22050, 16).dataClaiming(6, Pcm16({1, 2, 3})).bytes()), 1);
}

TEST(WavReader, TakesTheFirstLoopOfASmplChunk) {
  std::vector<uint8_t> cut(36, 0);  // a loop count with no loop record after it
  cut[28] = 1;
  const struct {
    std::vector<uint8_t> wav;
    uint32_t start, end, count;  // in bytes: shifted by the sample's size; no end, no loop
  } cases[] = {{WavBuilder().pcm(1, 22050, 16).smpl(2, 100, 5000, 3).data(Pcm16({1})).bytes(), 400, 20000, 3},
               {WavBuilder().pcm(1, 22050, 8).smpl(1, 10, 20, 0).data({1, 2}).bytes(), 20, 40, 0},
               {WavBuilder().pcm(1, 22050, 16).smpl(0, 0, 0, 0).data(Pcm16({1})).bytes(), 0, 0, 0},
               {WavBuilder().pcm(1, 22050, 16).chunk("smpl", cut).data(Pcm16({1})).bytes(), 0, 0, 0}};
  for (const auto& c : cases) {
    SNDSample s;
    ASSERT_EQ(IsWav(s, c.wav), 1);
    EXPECT_EQ(bool(s.m_dwFlags.load() & sound::kSampleLooped), c.end != 0) << c.end;
    if (c.end) {
      EXPECT_EQ(std::tuple(s.m_dwLoopStart, s.m_dwLoopEnd, s.m_dwLoopCount), std::tuple(c.start, c.end, c.count));
    }
  }
}

class WavLoadTest : public soundtest::EngineTest {};

TEST_F(WavLoadTest, LoadsTheSoundIntoABufferAndPlaysItExactly) {
  files_.add("sounds\\a.wav", WavBuilder()
                                  .pcm(1, 22050, 16)
                                  .chunk("fact", {1, 2, 3})  // odd: a pad byte follows
                                  .data(Pcm16(soundtest::SignalFrames(300, 1)))
                                  .chunk("junk", std::vector<uint8_t>(64, 0x55))
                                  .bytes());
  ASSERT_EQ(engine_.LoadSample("sounds\\a.wav", 5), 1);
  sound::SNDSample* s = engine_.FindSample(5);
  ASSERT_NE(s, nullptr);
  ASSERT_NE(s->m_lpBuffer, nullptr);
  EXPECT_EQ(s->m_lpBuffer->flags(), platform::kBufferStatic | platform::kBufferCtrlPositionNotify);
  ASSERT_EQ(s->PlaySample(0xFFFF, 0x8000), 1);
  EXPECT_EQ(soundtest::Side(Pull(320)), soundtest::SignalRun(0, 300, 320)) << "nothing after the data chunk";
}

TEST_F(WavLoadTest, RefusedFilesLeaveNoSlotBehind) {
  // Beside what the reader refuses: what the engine cannot play.
  files_.add("adpcm.wav", WavBuilder().fmt(2, 1, 22050, 4).data(Pcm16({1, 2})).bytes());
  files_.add("empty.wav", WavBuilder().pcm(1, 22050, 16).data({}).bytes());
  files_.add("24bit.wav", WavBuilder().pcm(1, 22050, 24).data(std::vector<uint8_t>(6, 1)).bytes());
  for (const char* name : {"adpcm.wav", "empty.wav", "24bit.wav", "missing.wav"}) {
    EXPECT_EQ(engine_.LoadSample(name, 3), 0) << name;
  }
  EXPECT_EQ(engine_.g_nLastSample, 1);  // the slot tried, given back each time
  for (int i = 0; i < 16; ++i) EXPECT_EQ(QvSoundProbe::Slot(engine_, i)->m_dwFlags.load(), 0u) << i;
}

}  // namespace
