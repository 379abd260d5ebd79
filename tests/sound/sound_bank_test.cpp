#include "sound/sound_bank.h"

#include <gtest/gtest.h>

#include "sound_test_support.h"

namespace {

using sound::SoundBank;
using soundtest::Pcm16;

class SoundBankTest : public soundtest::MixerTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(bank_.Init(&mixer_, 200), 1);
    engine_.SetFileOpenFunc(files_.opener());
  }
  void TearDown() override { bank_.Shutdown(); }
  SoundBank bank_{engine_};
};

TEST_F(SoundBankTest, CuesTakeIdsFromTenNamesCutAt31AndIndexesInLoadOrderMissingFilesNone) {
  files_.addSignal("sounds\\bell.wav", 100);
  files_.addSignal("sounds\\pos.wav", 100);
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
  EXPECT_EQ(mixer_.playingCount(), 0);

  // Names are cut at 31 characters; of two alike the first wins; indexes follow load order.
  const std::string longName(40, 'x');
  const sound::SoundCue* cue = bank_.Load("sounds\\bell.wav", longName);
  ASSERT_NE(cue, nullptr);
  EXPECT_EQ(bank_.Find(std::string(31, 'x')), cue);
  EXPECT_EQ(bank_.Find(longName), nullptr);
  ASSERT_NE(bank_.Load("sounds\\bell.wav", "same"), nullptr);
  ASSERT_NE(bank_.Load("sounds\\pos.wav", "same"), nullptr);
  EXPECT_EQ(bank_.Play("same", 0xFFFF, 0)->m_dwID, 13u);
  EXPECT_EQ(bank_.PlayIndex(4, 0xFFFF, 1)->m_dwID, 14u);  // by load position
  EXPECT_EQ(bank_.PlayIndex(5, 0xFFFF, 1), nullptr);
}

TEST_F(SoundBankTest, FreeAllEmptiesTheListStopsTheMusicAndKeepsTheEngine) {
  files_.addSignal("a.wav", 5000);
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
  // The switches reach the engine (whose tests cover what they do).
  bank.EnableSFX(0);
  EXPECT_EQ(std::pair(engine.SFXEnabled(), engine.MusicEnabled()), std::pair(0, 1));
  bank.EnableMusic(0);
  EXPECT_EQ(engine.MusicEnabled(), 0);
  bank.Shutdown();
}

}  // namespace
