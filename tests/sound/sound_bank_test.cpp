#include "sound/sound_bank.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "sound_test_support.h"

namespace {

using sound::SoundBank;
using soundtest::Pcm16;
using soundtest::Signal;

class SoundBankTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(bank_.Init(&mixer_, 200), 1);
    engine_.SetFileOpenFunc(files_.opener());
  }
  void TearDown() override { bank_.Shutdown(); }
  void AddSound(const std::string& name, size_t frames) {
    files_.add(name, soundtest::SimpleWav(1, 22050, 16, Pcm16(soundtest::SignalFrames(frames, 1))));
  }
  std::vector<int16_t> Pull(int frames) {
    std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
    output_.pull(out.data(), frames);
    return out;
  }

  platform::AudioMixer mixer_{{22050, 2}};
  platform::PulledAudioOutput output_{mixer_, {22050, 2}};
  soundtest::FileStore files_;
  sound::QvSound engine_;
  SoundBank bank_{engine_};
};

TEST_F(SoundBankTest, CuesGetIdsFromTenInLoadOrderAndMissingFilesTakeNone) {
  AddSound("sounds\\bell.wav", 100);
  AddSound("sounds\\pos.wav", 100);
  EXPECT_EQ(bank_.Load("sounds\\bell.wav", "bell")->id, 10u);
  EXPECT_EQ(bank_.Load("sounds\\missing.wav", "hammer"), nullptr);
  const sound::SoundCue* pos = bank_.Load("sounds\\pos.wav", "pos");
  ASSERT_NE(pos, nullptr);
  EXPECT_EQ(pos->id, 11u);  // the id the missing one would have had
  EXPECT_STREQ(pos->name, "pos");
  EXPECT_EQ(bank_.CueCount(), 2u);
  EXPECT_EQ(bank_.Find("pos"), pos);
  EXPECT_EQ(bank_.Find("Pos"), nullptr);
  EXPECT_EQ(bank_.Find("hammer"), nullptr);
  EXPECT_EQ(bank_.Play("hammer", 0xFFFF, 0), nullptr);
}

TEST_F(SoundBankTest, NamesAreCutAt31CharactersAndTheFirstOfTwoWins) {
  AddSound("a.wav", 10);
  AddSound("b.wav", 10);
  const std::string longName(40, 'x');
  const sound::SoundCue* cue = bank_.Load("a.wav", longName);
  ASSERT_NE(cue, nullptr);
  EXPECT_EQ(std::string(cue->name), std::string(31, 'x'));
  EXPECT_EQ(bank_.Find(std::string(31, 'x')), cue);
  EXPECT_EQ(bank_.Find(longName), nullptr);

  ASSERT_NE(bank_.Load("a.wav", "same"), nullptr);
  ASSERT_NE(bank_.Load("b.wav", "same"), nullptr);
  sound::SNDSample* s = bank_.Play("same", 0xFFFF, 0);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->m_dwID, 11u);
}

TEST_F(SoundBankTest, PlayNeverLoadedNameDoesNothing) {
  AddSound("a.wav", 10);
  ASSERT_NE(bank_.Load("a.wav", "bell"), nullptr);
  EXPECT_EQ(bank_.Play("click", 0xFFFF, 0), nullptr);
  EXPECT_EQ(mixer_.playingCount(), 0);
}

TEST_F(SoundBankTest, TwoPlaysOfOneCueOverlap) {
  AddSound("sounds\\bell.wav", 400);
  ASSERT_NE(bank_.Load("sounds\\bell.wav", "bell"), nullptr);
  sound::SNDSample* first = bank_.Play("bell", 0xFFFF, 0);
  Pull(10);
  sound::SNDSample* second = bank_.Play("bell", 0xFFFF, 0);
  ASSERT_TRUE(first && second);
  EXPECT_NE(first, second);
  auto out = Pull(1);
  EXPECT_EQ(out[0], static_cast<int16_t>(Signal(10) + Signal(0)));
}

TEST_F(SoundBankTest, PlayIndexPlaysTheCueAtThatPosition) {
  AddSound("a.wav", 10);
  AddSound("b.wav", 10);
  ASSERT_NE(bank_.Load("a.wav", "a"), nullptr);
  ASSERT_NE(bank_.Load("b.wav", "b"), nullptr);
  sound::SNDSample* s = bank_.PlayIndex(1, 0xFFFF, 1);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->m_dwID, 11u);
  EXPECT_EQ(bank_.PlayIndex(2, 0xFFFF, 1), nullptr);
}

TEST_F(SoundBankTest, EffectsSwitchOffReportsSuccessWithoutSound) {
  AddSound("a.wav", 100);
  ASSERT_NE(bank_.Load("a.wav", "bell"), nullptr);
  bank_.EnableSFX(0);
  EXPECT_NE(bank_.Play("bell", 0xFFFF, 0), nullptr);
  auto out = Pull(100);
  for (int16_t v : out) ASSERT_EQ(v, 0);
  bank_.EnableSFX(1);
  EXPECT_NE(bank_.Play("bell", 0xFFFF, 0), nullptr);
  out = Pull(1);
  EXPECT_EQ(out[0], Signal(0));
}

TEST_F(SoundBankTest, FreeAllEmptiesTheListStopsTheMusicAndKeepsTheEngine) {
  AddSound("a.wav", 5000);
  files_.add("music.wav", soundtest::SimpleWav(2, 22050, 16, Pcm16(soundtest::SignalFrames(60000, 2))));
  ASSERT_NE(bank_.Load("a.wav", "a"), nullptr);
  ASSERT_NE(bank_.Play("a", 0xFFFF, 0), nullptr);
  ASSERT_EQ(engine_.LoadStream("music.wav", 0), 1);
  ASSERT_EQ(engine_.PlayStream(sound::kStreamLooping), 1);
  Pull(100);
  bank_.FreeAll();
  EXPECT_EQ(bank_.CueCount(), 0u);
  EXPECT_TRUE(bank_.HasList());
  EXPECT_EQ(mixer_.playingCount(), 0);
  EXPECT_EQ(engine_.GetStreamInfoPtr()->sample.load(), nullptr);
  EXPECT_EQ(engine_.g_nLastSample, -1);
  // Still running: new cues load, numbered from 10 again.
  EXPECT_EQ(bank_.Load("a.wav", "again")->id, 10u);
  bank_.FreeAll();
  bank_.Shutdown();
  EXPECT_FALSE(bank_.HasList());
  EXPECT_EQ(engine_.GetDSObject(), nullptr);
  EXPECT_EQ(bank_.Load("a.wav", "late"), nullptr);
  EXPECT_EQ(bank_.Play("again", 0xFFFF, 0), nullptr);
  bank_.Shutdown();
}

TEST(SoundBankNoDevice, WithoutAMixerNothingLoadsAndNothingPlays) {
  sound::QvSound engine;
  SoundBank bank(engine);
  EXPECT_EQ(bank.Load("a.wav", "a"), nullptr);  // before Init: no list
  EXPECT_EQ(bank.Init(nullptr, 200), 0);
  EXPECT_TRUE(bank.HasList());
  EXPECT_EQ(bank.Load("sounds\\bell.wav", "bell"), nullptr);
  EXPECT_EQ(bank.Play("bell", 0xFFFF, 0), nullptr);
  bank.EnableMusic(1);
  bank.EnableSFX(1);
  bank.Shutdown();
}

// Sound files that nobody here wrote, through the default file opener.
TEST(SoundBankRealFiles, AlsaSoundsLoadAndPlay) {
  namespace fs = std::filesystem;
  const fs::path dir = soundtest::AlsaSounds();
  if (!fs::exists(dir / "Front_Center.wav") || !fs::exists(dir / "Noise.wav"))
    GTEST_SKIP() << "the alsa-utils sounds are not installed in " << dir;
  platform::AudioMixer mixer({44100, 2});
  platform::PulledAudioOutput output(mixer, {44100, 2});
  sound::QvSound engine;
  SoundBank bank(engine);
  ASSERT_EQ(bank.Init(&mixer, 200), 1);
  ASSERT_NE(bank.Load((dir / "Front_Center.wav").string(), "centre"), nullptr);
  ASSERT_NE(bank.Load((dir / "Noise.wav").string(), "noise"), nullptr);
  ASSERT_NE(bank.Play("noise", 0xFFFF, 0), nullptr);
  ASSERT_NE(bank.Play("centre", 0xFFFF, 0), nullptr);
  std::vector<int16_t> out(44100 * 2);
  output.pull(out.data(), 44100);
  int loud = 0;
  for (int16_t v : out) loud += (v > 1000 || v < -1000);
  EXPECT_GT(loud, 1000);
  // Noise lasts about 1.4 s: gone after two seconds in all.
  output.pull(out.data(), 44100);
  EXPECT_EQ(mixer.playingCount(), 0);
  bank.Shutdown();
}

// The quiz's own sounds, as the asset generator lays them out.
TEST(SoundBankQuizAssets, AllCuesInTheQuizOrderAndTheMusicStream) {
  namespace fs = std::filesystem;
  const fs::path game = fs::path(PAV_DIST_DIR) / "Verimoo";
  const char* cues[][2] = {
      {"bell", "sounds\\bell.wav"},         {"hammer", "sounds\\hammer.wav"},
      {"neg", "sounds\\negative.wav"},      {"pos", "sounds\\pos.wav"},
      {"neutral", "sounds\\neutral.wav"},   {"drop", "sounds\\scdrop.wav"},
      {"poschart", "sounds\\poschart.wav"}, {"wrong", "sounds\\wrong.wav"},
      {"check", "sounds\\select2.wav"},     {"bling", "sounds\\bling2.wav"},
      {"cheer", "sounds\\cheer3.wav"},      {"bull01", "sounds\\bull01.wav"},
      {"bull02", "sounds\\bull02.wav"},     {"bull03", "sounds\\bull03.wav"},
      {"bull04", "sounds\\bull04.wav"},     {"bull05", "sounds\\bull05.wav"},
      {"bull06", "sounds\\bull06.wav"},
  };
  for (const auto& cue : cues) {
    std::string file = cue[1];
    std::replace(file.begin(), file.end(), '\\', '/');
    if (!fs::exists(game / file)) GTEST_SKIP() << "generated sounds not there yet: " << (game / file);
  }
  if (!fs::exists(game / "sounds" / "music.wav")) GTEST_SKIP() << "generated music not there yet";

  // The quiz opens its files from its own directory.
  struct InDirectory {
    explicit InDirectory(const fs::path& dir) : before(fs::current_path()) { fs::current_path(dir); }
    ~InDirectory() { fs::current_path(before); }
    fs::path before;
  } inGame(game);
  platform::AudioMixer mixer({44100, 2});
  platform::PulledAudioOutput output(mixer, {44100, 2});
  sound::QvSound engine;
  SoundBank bank(engine);
  ASSERT_EQ(bank.Init(&mixer, 200), 1);
  uint32_t id = sound::kFirstCueID;
  for (const auto& cue : cues) {
    const sound::SoundCue* loaded = bank.Load(cue[1], cue[0]);
    ASSERT_NE(loaded, nullptr) << cue[1];
    EXPECT_EQ(loaded->id, id++) << cue[0];
  }
  EXPECT_EQ(id, 27u);
  ASSERT_EQ(engine.LoadStream(".\\sounds\\music.wav", 0), 1);
  engine.SetStreamVolume(0x7FFF);
  ASSERT_EQ(engine.PlayStream(sound::kStreamLooping), 1);
  engine.FadeMusicIn(0);
  EXPECT_EQ(engine.GetStreamVolume(), 0x8000);

  std::vector<int16_t> out(1024 * 2);
  for (const auto& cue : cues) {
    ASSERT_NE(bank.Play(cue[0], 0xFFFF, 0), nullptr) << cue[0];
    int64_t energy = 0;
    for (int i = 0; i < 8; ++i) {
      output.pull(out.data(), 1024);
      EXPECT_TRUE(engine.WaitStreamSettled(5000));
      for (int16_t v : out) energy += static_cast<int64_t>(v) * v;
    }
    EXPECT_GT(energy, 0) << cue[0];
  }
  // Five seconds on: the music still plays (it loops), every cue has ended.
  for (int i = 0; i < 5 * 44100 / 1024; ++i) {
    output.pull(out.data(), 1024);
    EXPECT_TRUE(engine.WaitStreamSettled(5000));
  }
  EXPECT_EQ(mixer.playingCount(), 1);
  EXPECT_NE(engine.GetStreamInfoPtr()->sample.load(), nullptr);
  bank.Shutdown();
  EXPECT_EQ(mixer.playingCount(), 0);
}

}  // namespace
