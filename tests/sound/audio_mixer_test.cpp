#include "platform/audio_mixer.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/headless/pulled_audio.h"
#include "sound_test_support.h"

namespace {

using platform::AudioMixer;
using platform::AudioResult;
using platform::PcmFormat;
using platform::SoundBuffer;
using soundtest::Pcm16;
using soundtest::Side;
using soundtest::Signal;
using soundtest::SignalRun;

constexpr uint32_t kNotifyFlags = platform::kBufferStatic | platform::kBufferCtrlPositionNotify;
constexpr uint32_t kAllControls = kNotifyFlags | platform::kBufferCtrlVolume | platform::kBufferCtrlPan |
                                  platform::kBufferCtrlFrequency;

void Write(SoundBuffer& buffer, uint32_t offset, const std::vector<uint8_t>& bytes) {
  platform::LockedRegion region;
  ASSERT_EQ(buffer.lock(offset, static_cast<uint32_t>(bytes.size()), region), AudioResult::kOk);
  std::memcpy(region.first, bytes.data(), region.firstBytes);
  if (region.secondBytes) std::memcpy(region.second, bytes.data() + region.firstBytes, region.secondBytes);
  ASSERT_EQ(buffer.unlock(region), AudioResult::kOk);
}

// A mono 16-bit buffer holding Signal(0..frames-1).
std::unique_ptr<SoundBuffer> SignalBuffer(AudioMixer& mixer, uint32_t frames, uint32_t flags = kNotifyFlags,
                                          int rate = 22050) {
  auto buffer = mixer.createBuffer({rate, 1, 16}, frames * 2, flags);
  if (buffer) Write(*buffer, 0, Pcm16(soundtest::SignalFrames(frames, 1)));
  return buffer;
}

using MixerTest = soundtest::MixerTest;

// Hundredths of a decibel; a negative pan is left (the right side is
// attenuated); beyond the ends counts as the ends.
TEST(GainsFromAttenuation, DecibelsAndPanLaw) {
  const struct {
    int volume, pan;
    float left, right;
  } cases[] = {{-600, 0, 0.501187f, 0.501187f}, {0, -10000, 1.0f, 0.0f},
               {-1000, 2000, std::pow(10.0f, -1.5f), std::pow(10.0f, -0.5f)}, {500, 20000, 0.0f, 1.0f}};
  for (const auto& c : cases) {
    const auto g = platform::GainsFromAttenuation(c.volume, c.pan);
    EXPECT_NEAR(g.left, c.left, 1e-5) << c.volume << " " << c.pan;
    EXPECT_NEAR(g.right, c.right, 1e-5) << c.volume << " " << c.pan;
  }
}

TEST_F(MixerTest, RefusesFormatsAndSizesItCannotMix) {
  AudioResult r = AudioResult::kOk;
  EXPECT_EQ(mixer_.createBuffer({22050, 3, 16}, 600, 0, &r), nullptr);
  EXPECT_EQ(r, AudioResult::kInvalidParam);
  for (auto [format, bytes] : {std::pair{PcmFormat{22050, 1, 24}, 600u}, {{22050, 0, 16}, 600u}, {{50, 1, 16}, 600u},
                               {{22050, 1, 16}, 2u}, {{22050, 1, 16}, 0x10000000u}})
    EXPECT_EQ(mixer_.createBuffer(format, bytes, 0), nullptr) << format.rate << " " << bytes;
  auto ok = mixer_.createBuffer({22050, 2, 8}, 4, 0, &r);
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(r, AudioResult::kOk);
  EXPECT_EQ(mixer_.setPrimaryFormat({22050, 5, 16}), AudioResult::kInvalidParam);
}

TEST_F(MixerTest, PlaysOnceSampleExactThenStopsAndSignals) {
  auto buffer = SignalBuffer(mixer_, 1000);
  auto stopped = std::make_shared<platform::Event>();
  ASSERT_EQ(buffer->setNotificationPositions({{platform::kNotifyAtStop, stopped}}), AudioResult::kOk);
  ASSERT_EQ(buffer->play(false), AudioResult::kOk);
  EXPECT_EQ(buffer->status(), platform::kStatusPlaying);

  auto out = Pull(600);
  EXPECT_EQ(Side(out, 0), SignalRun(0, 600));
  EXPECT_EQ(Side(out, 1), SignalRun(0, 600));
  uint32_t play = 0, write = 0;
  ASSERT_EQ(buffer->currentPosition(play, write), AudioResult::kOk);
  EXPECT_EQ(play, 1200u);
  EXPECT_EQ(write, 1200u + 2 * 220);  // ten milliseconds ahead
  EXPECT_FALSE(stopped->isSet());

  EXPECT_EQ(Side(Pull(600)), SignalRun(600, 400, 600));
  EXPECT_EQ(buffer->status(), 0u);
  EXPECT_TRUE(stopped->isSet());
  ASSERT_EQ(buffer->currentPosition(play, write), AudioResult::kOk);
  EXPECT_EQ(play, 0u);
  EXPECT_EQ(mixer_.playingCount(), 0);
}

TEST_F(MixerTest, LoopingWrapsWithoutAGapAndPlayTakesNewFlags) {
  auto buffer = SignalBuffer(mixer_, 300);
  buffer->play(true);
  EXPECT_EQ(buffer->status(), platform::kStatusPlaying | platform::kStatusLooping);
  const auto out = Side(Pull(1000));
  for (size_t i = 0; i < 1000; ++i) ASSERT_EQ(out[i], Signal(i % 300)) << i;
  // Playing again without looping: it ends at the end of this pass.
  buffer->play(false);
  EXPECT_EQ(buffer->status(), platform::kStatusPlaying);
  EXPECT_EQ(Side(Pull(300)), SignalRun(100, 200, 300));
  EXPECT_EQ(buffer->status(), 0u);
}

TEST_F(MixerTest, StopKeepsTheCursorAndPositionsRoundToFrames) {
  auto buffer = mixer_.createBuffer({22050, 2, 16}, 4000, kNotifyFlags);
  Write(*buffer, 0, Pcm16(soundtest::SignalFrames(1000, 2)));
  buffer->play(false);
  Pull(100);
  buffer->stop();
  uint32_t play = 0, write = 0;
  buffer->currentPosition(play, write);
  EXPECT_EQ(play, 400u);
  EXPECT_EQ(write, 400u);
  EXPECT_EQ(Pull(10)[0], 0);
  buffer->play(false);
  EXPECT_EQ(Pull(1), (std::vector<int16_t>{Signal(100, 0), Signal(100, 1)}));

  EXPECT_EQ(buffer->setCurrentPosition(4001), AudioResult::kInvalidParam);
  EXPECT_EQ(buffer->setCurrentPosition(7), AudioResult::kOk);
  buffer->currentPosition(play, write);
  EXPECT_EQ(play, 4u);
}

TEST_F(MixerTest, ControlsAreRefusedUnlessAskedForAtCreationAndThenTakeEffect) {
  auto plain = SignalBuffer(mixer_, 100);
  EXPECT_EQ(plain->setVolume(-600), AudioResult::kControlUnavailable);
  EXPECT_EQ(plain->setPan(300), AudioResult::kControlUnavailable);
  EXPECT_EQ(plain->setFrequency(44100), AudioResult::kControlUnavailable);
  int v = 0;
  EXPECT_EQ(plain->volume(v), AudioResult::kControlUnavailable);
  auto noNotify = SignalBuffer(mixer_, 100, platform::kBufferStatic);
  EXPECT_EQ(noNotify->setNotificationPositions({{0, std::make_shared<platform::Event>()}}),
            AudioResult::kControlUnavailable);

  // A refused control changes nothing: the sound plays at its own level.
  plain->play(false);
  EXPECT_EQ(Side(Pull(50)), SignalRun(0, 50));

  auto full = SignalBuffer(mixer_, 100, kAllControls);
  EXPECT_EQ(full->setVolume(1), AudioResult::kInvalidParam);
  EXPECT_EQ(full->setVolume(-10001), AudioResult::kInvalidParam);
  EXPECT_EQ(full->setPan(10001), AudioResult::kInvalidParam);
  EXPECT_EQ(full->setFrequency(50), AudioResult::kInvalidParam);
  ASSERT_EQ(full->setVolume(-2000), AudioResult::kOk);
  ASSERT_EQ(full->setPan(-10000), AudioResult::kOk);
  ASSERT_EQ(full->setFrequency(44100), AudioResult::kOk);  // twice the rate: every other frame
  plain->stop();
  full->play(false);
  const auto out = Pull(50);
  EXPECT_EQ(Side(out, 1), std::vector<int16_t>(50, 0));
  for (size_t i = 0; i < 50; ++i) ASSERT_NEAR(out[2 * i], Signal(2 * i) * 0.1, 1) << i;
  uint32_t hz = 0;
  ASSERT_EQ(full->setFrequency(platform::kFrequencyOriginal), AudioResult::kOk);
  EXPECT_EQ(full->frequency(hz), AudioResult::kOk);
  EXPECT_EQ(hz, 22050u);
}

TEST_F(MixerTest, NotificationsFireAsTheCursorPassesIncludingAcrossTheWrap) {
  auto buffer = SignalBuffer(mixer_, 400);
  std::vector<std::shared_ptr<platform::Event>> at(4);
  std::vector<platform::NotifyPosition> positions;
  for (int i = 0; i < 4; ++i) {
    at[i] = std::make_shared<platform::Event>();
    positions.push_back({static_cast<uint32_t>(i * 200), at[i]});  // frames 0, 100, 200, 300
  }
  ASSERT_EQ(buffer->setNotificationPositions(positions), AudioResult::kOk);
  ASSERT_EQ(buffer->setNotificationPositions({{800, at[0]}}), AudioResult::kInvalidParam);
  ASSERT_EQ(buffer->setNotificationPositions({{0, nullptr}}), AudioResult::kInvalidParam);
  buffer->play(true);
  EXPECT_EQ(buffer->setNotificationPositions(positions), AudioResult::kInvalidCall);

  Pull(50);  // starting on frame 0 counts as reaching it
  EXPECT_TRUE(at[0]->wait(0));
  EXPECT_FALSE(at[1]->isSet());
  Pull(50);  // frames 50..99
  EXPECT_FALSE(at[1]->isSet());
  Pull(1);  // frame 100
  EXPECT_TRUE(at[1]->wait(0));
  Pull(250);  // frames 101..350: 200 and 300
  EXPECT_TRUE(at[2]->wait(0));
  EXPECT_TRUE(at[3]->wait(0));
  EXPECT_FALSE(at[0]->isSet());
  Pull(100);  // frames 351..399 and 0..50 after the wrap
  EXPECT_TRUE(at[0]->wait(0));
  EXPECT_FALSE(at[1]->isSet());
  EXPECT_EQ(at[1]->signalCount(), 1u);
}

TEST_F(MixerTest, DuplicatesShareTheSoundButNotTheirState) {
  auto original = SignalBuffer(mixer_, 200, kAllControls);
  ASSERT_EQ(original->setVolume(-2000), AudioResult::kOk);
  auto stop = std::make_shared<platform::Event>();
  original->setNotificationPositions({{platform::kNotifyAtStop, stop}});
  auto copy = mixer_.duplicateBuffer(*original);
  ASSERT_NE(copy, nullptr);
  int v = 0;
  EXPECT_EQ(copy->volume(v), AudioResult::kOk);
  EXPECT_EQ(v, -2000);
  ASSERT_EQ(copy->setVolume(0), AudioResult::kOk);

  // Written through the original, heard through the copy.
  Write(*original, 0, Pcm16({1234, 2345}));
  copy->play(false);
  EXPECT_EQ(Side(Pull(2)), (std::vector<int16_t>{1234, 2345}));
  EXPECT_EQ(original->status(), 0u);
  copy->stop();
  EXPECT_FALSE(stop->isSet());  // the copy has no notifications

  // The sound outlives the original.
  original.reset();
  copy->setCurrentPosition(0);
  copy->play(false);
  EXPECT_EQ(Side(Pull(3)), (std::vector<int16_t>{1234, 2345, Signal(2)}));
  copy.reset();  // released while playing: out of the mix
  EXPECT_EQ(mixer_.playingCount(), 0);
  EXPECT_EQ(Pull(1)[0], 0);
}

TEST_F(MixerTest, LockWrapsInTwoPiecesAndUnlockWritesWhatWasHandedBack) {
  auto buffer = mixer_.createBuffer({22050, 1, 16}, 16, kNotifyFlags);
  platform::LockedRegion region;
  ASSERT_EQ(buffer->lock(12, 8, region), AudioResult::kOk);
  EXPECT_EQ(region.firstBytes, 4u);
  EXPECT_EQ(region.secondBytes, 4u);
  platform::LockedRegion again;
  EXPECT_EQ(buffer->lock(0, 4, again), AudioResult::kInvalidCall);
  std::memcpy(region.first, Pcm16({1, 2}).data(), 4);
  std::memcpy(region.second, Pcm16({3, 4}).data(), 4);
  region.secondBytes = 2;  // only the first sample of the wrapped piece
  ASSERT_EQ(buffer->unlock(region), AudioResult::kOk);
  EXPECT_EQ(buffer->unlock(region), AudioResult::kInvalidCall);
  EXPECT_EQ(buffer->lock(16, 4, again), AudioResult::kInvalidParam);
  EXPECT_EQ(buffer->lock(0, 0, again), AudioResult::kInvalidParam);

  buffer->play(false);
  EXPECT_EQ(Side(Pull(8)), (std::vector<int16_t>{3, 0, 0, 0, 0, 0, 1, 2}));
}

TEST_F(MixerTest, ResamplesByLinearInterpolation) {
  auto buffer = mixer_.createBuffer({11025, 1, 16}, 8, kNotifyFlags);
  Write(*buffer, 0, Pcm16({0, 1000, -1000, 3000}));
  buffer->play(false);
  EXPECT_EQ(Side(Pull(10)), (std::vector<int16_t>{0, 500, 1000, 0, -1000, 1000, 3000, 1500, 0, 0}));
}

TEST_F(MixerTest, EightBitStereoSums) {
  auto eight = mixer_.createBuffer({22050, 2, 8}, 4, kNotifyFlags);
  Write(*eight, 0, {0x80, 0xC0, 0x40, 0x90});
  auto quiet = mixer_.createBuffer({22050, 1, 16}, 4, kNotifyFlags);
  Write(*quiet, 0, Pcm16({3000, -3000}));
  eight->play(false);
  quiet->play(false);
  EXPECT_EQ(Pull(2), (std::vector<int16_t>{3000, 64 * 256 + 3000, -64 * 256 - 3000, 16 * 256 - 3000}));
}

// Eight loud cues at once, at the sounds' rate and converted to the
// device's: never a full-scale sample, and still loud.
TEST(MixerFormat, PileUpsStayBelowFullScale) {
  std::vector<int16_t> square;
  for (int i = 0; i < 2000; ++i) square.push_back((i / 25) % 2 ? 30000 : -30000);
  for (int rate : {22050, 44100}) {
    AudioMixer mixer({rate, 2});
    platform::PulledAudioOutput output(mixer, {rate, 2});
    std::vector<std::unique_ptr<SoundBuffer>> voices;
    for (int i = 0; i < 8; ++i) {
      voices.push_back(mixer.createBuffer({22050, 1, 16}, 4000, kNotifyFlags));
      Write(*voices.back(), 0, Pcm16(square));
      voices.back()->play(false);
    }
    std::vector<int16_t> out(2 * 3000);
    output.pull(out.data(), 3000);
    int loudest = 0;
    for (int16_t s : out) loudest = std::max(loudest, std::abs(int(s)));
    EXPECT_LT(loudest, 32767) << rate;
    EXPECT_GT(loudest, 26000) << rate;
  }
}

// Tones up to 9.5 kHz at 22050 Hz played on a 44100 Hz device: whatever
// lands above 11.025 kHz is a mirror image, to be 70 dB under the tones.
TEST(MixerFormat, RateConversionAddsNothingAboveTheSoundsBand) {
  AudioMixer mixer({44100, 2});
  platform::PulledAudioOutput output(mixer, {44100, 2});
  std::vector<int16_t> tones;
  for (int i = 0; i < 4096; ++i) {
    const double t = 2 * M_PI * i / 22050;
    tones.push_back(int16_t(6000 * (std::sin(1000 * t) + std::sin(5000 * t) + std::sin(9500 * t))));
  }
  auto buffer = mixer.createBuffer({22050, 1, 16}, 2 * 4096, kNotifyFlags);
  Write(*buffer, 0, Pcm16(tones));
  buffer->play(false);
  constexpr int kN = 2048;
  std::vector<int16_t> out(2 * kN);
  output.pull(out.data(), kN / 2);  // past the filter's start
  output.pull(out.data(), kN);
  double above = 0, total = 0;
  for (int k = 1; k < kN / 2; ++k) {
    double re = 0, im = 0;
    for (int n = 0; n < kN; ++n) {
      const double x = out[2 * size_t(n)] * (0.5 - 0.5 * std::cos(2 * M_PI * n / kN));  // Hann
      re += x * std::cos(2 * M_PI * k * n / kN);
      im -= x * std::sin(2 * M_PI * k * n / kN);
    }
    total += re * re + im * im;
    if (k * 44100.0 / kN > 11025) above += re * re + im * im;
  }
  EXPECT_LT(10 * std::log10(above / total), -70.0);
}

TEST(MixerFormat, MonoPrimaryFoldsAndMonoDeviceAverages) {
  AudioMixer mixer({22050, 2});
  platform::PulledAudioOutput output(mixer, {22050, 2});
  auto buffer = mixer.createBuffer({22050, 2, 16}, 4, kNotifyFlags);
  Write(*buffer, 0, Pcm16({1000, 3001}));
  ASSERT_EQ(mixer.setPrimaryFormat({22050, 1, 16}), AudioResult::kOk);
  EXPECT_EQ(mixer.primaryFormat().channels, 1);
  buffer->play(true);
  std::vector<int16_t> out(2);
  output.pull(out.data(), 1);
  EXPECT_EQ(out, (std::vector<int16_t>{2001, 2001}));

  ASSERT_EQ(mixer.setPrimaryFormat({22050, 2, 8}), AudioResult::kOk);
  output.pull(out.data(), 1);
  EXPECT_EQ(out, (std::vector<int16_t>{768, 2816}));  // 1000 and 3001 kept to 8 bits

  ASSERT_EQ(mixer.setPrimaryFormat({22050, 2, 16}), AudioResult::kOk);
  mixer.setOutputFormat({22050, 1});
  EXPECT_EQ(mixer.outputFormat().channels, 1);
  output.pull(out.data(), 2);
  EXPECT_EQ(out, (std::vector<int16_t>{2001, 2001}));
}

}  // namespace
