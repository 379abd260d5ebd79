#include "sound/qv_sound.h"

#include <gtest/gtest.h>

#include <array>

#include "sound_test_support.h"

namespace {

using sound::QvSound;
using sound::QvSoundProbe;
using sound::SNDSample;
using soundtest::Pcm16;
using soundtest::Side;
using soundtest::Signal;
using soundtest::SignalRun;

// Halving the level costs ten decibels (in hundredths), rising steadily to
// full level; pan goes the same way on the side it leaves.
TEST(VolumeTable, HalvingTheLevelCostsTenDecibels) {
  QvSound engine;
  const auto& t = engine.g_VolumeTable;
  for (int i = 1; i < sound::kVolumeTableSize; ++i) ASSERT_GE(t[i], t[i - 1]) << i;
  const std::pair<int, int> volumes[] = {{0xFFFF, 0},      {0x8000, -1000}, {0x4000, -2000}, {0x80, -9000},
                                         {0, -10000},      {-5, -10000},    {0x12345, 0}};
  for (auto [volume, db] : volumes) EXPECT_EQ(engine.MapVolume(volume), db) << volume;
  const std::pair<int, int> pans[] = {{0x8000, 0}, {0xFFFF, -10000}, {0x10000, -10000}, {1, 10000},
                                      {0, 10000},  {-7, 10000},      {0x4000, 1000},    {0xC000, -1000}};
  for (auto [pan, db] : pans) EXPECT_EQ(engine.MapPan(pan), db) << pan;
}

TEST(QvSoundInit, WithoutAMixerEverythingIsSilentAndFindsNothing) {
  QvSound engine;
  EXPECT_EQ(std::pair(engine.MusicEnabled(), engine.SFXEnabled()), std::pair(0, 0));
  EXPECT_EQ(engine.Init(nullptr, 200), 0);
  EXPECT_EQ(std::pair(engine.MusicEnabled(), engine.SFXEnabled()), std::pair(1, 1));
  EXPECT_EQ(engine.MusicVolume(), 0x8000);
  EXPECT_EQ(engine.AllocSample(), nullptr);
  EXPECT_EQ(engine.LoadSample("sounds\\bell.wav", 10), 0);
  EXPECT_EQ(engine.FindSample(10), nullptr);
  EXPECT_EQ(engine.LoadStream(".\\sounds\\music.wav", 0), 0);
  EXPECT_EQ(engine.StopStream(), 1);
  engine.FlushSamples();
  engine.Exit();
}

TEST(QvSoundInit, EventPoolIsSlotsPlusOneButAtMost64) {
  platform::AudioMixer mixer;
  QvSound engine;
  ASSERT_EQ(engine.Init(&mixer, 200), 1);
  EXPECT_EQ(engine.g_nMaxSampleCount, 200);
  EXPECT_EQ(engine.g_nMaxEventCount, 64);
  EXPECT_EQ(engine.GetDSObject(), &mixer);
  SNDSample dummy;
  int usable = 0;
  for (sound::SNDEvent* e; usable < 100 && (e = engine.AllocSoundEvent()); ++usable) {
    EXPECT_NE(e, &engine.g_EventList[0]);  // the quit signal is never handed out
    e->pSample = &dummy;
  }
  EXPECT_EQ(usable, 63);
  engine.FreeSoundEvent(&engine.g_EventList[5]);
  EXPECT_EQ(engine.AllocSoundEvent(), &engine.g_EventList[5]);
  for (auto& e : engine.g_EventList) e.pSample = nullptr;

  ASSERT_EQ(engine.Init(&mixer, 3), 1);  // again: the earlier tables go
  EXPECT_EQ(engine.g_nMaxEventCount, 4);
}

class QvSoundTest : public soundtest::EngineTest {
 protected:
  // A mono sound of frames Signal(0..frames-1) under the name given.
  void Load(const std::string& name, size_t frames, uint32_t id) {
    files_.addSignal(name, frames);
    ASSERT_EQ(engine_.LoadSample(name, id), 1) << name;
  }
  // Sounds a..d.wav of the given lengths as ids 1..4; their slots 0..3.
  std::array<SNDSample*, 4> LoadFour(const std::array<size_t, 4>& frames) {
    for (uint32_t id = 1; id <= 4; ++id) Load(std::string(1, char('a' + id - 1)) + ".wav", frames[id - 1], id);
    return {QvSoundProbe::Slot(engine_, 0), QvSoundProbe::Slot(engine_, 1), QvSoundProbe::Slot(engine_, 2),
            QvSoundProbe::Slot(engine_, 3)};
  }
};

TEST_F(QvSoundTest, TableHighWaterMark) {
  SNDSample* a = engine_.AllocSample();
  SNDSample* b = engine_.AllocSample();
  SNDSample* c = engine_.AllocSample();
  ASSERT_TRUE(a && b && c);
  EXPECT_EQ(engine_.g_nLastSample, 3);
  engine_.ClearSample(b);
  EXPECT_EQ(engine_.g_nLastSample, 3);  // c still in use above it
  EXPECT_EQ(engine_.AllocSample(), b);  // the first free slot
  engine_.ClearSample(c);
  EXPECT_EQ(engine_.g_nLastSample, 3);  // nothing above: the mark stays
  engine_.ClearSample(a);
  EXPECT_EQ(engine_.g_nLastSample, 2);  // b is the highest in use above a
  engine_.ClearSampleList();
  EXPECT_EQ(engine_.g_nLastSample, -1);
  // Full: a busy sound cannot be duplicated.
  Load("a.wav", 500, 10);
  for (int i = 1; i < 16; ++i) ASSERT_NE(engine_.AllocSample(), nullptr);
  EXPECT_EQ(engine_.AllocSample(), nullptr);
  EXPECT_EQ(engine_.g_nLastSample, 16);
  ASSERT_NE(engine_.PlaySample(10, 0xFFFF, 0), nullptr);
  EXPECT_EQ(engine_.PlaySample(10, 0xFFFF, 0), nullptr);
  EXPECT_EQ(mixer_.playingCount(), 1);
}

TEST_F(QvSoundTest, LoadingAnIdTwiceKeepsOneSlotAndLeavesItFree) {
  Load("a.wav", 100, 10);
  Load("b.wav", 100, 10);
  EXPECT_EQ(engine_.g_nLastSample, 1);
  EXPECT_EQ(QvSoundProbe::Slot(engine_, 0)->m_dwFlags.load(), sound::kSampleInUse | sound::kSampleFormatRead);
  EXPECT_EQ(engine_.LoadSample("b.wav", sound::kKeepSampleID), 1);
  EXPECT_EQ(QvSoundProbe::Slot(engine_, 1)->m_dwID, 0u);
}

TEST_F(QvSoundTest, TwoPlaysOfOneSoundOverlapAndIdleInstancesAreReused) {
  Load("bell.wav", 500, 10);
  SNDSample* first = engine_.PlaySample(10, 0xFFFF, 0);
  ASSERT_NE(first, nullptr);
  Pull(100);
  SNDSample* second = engine_.PlaySample(10, 0xFFFF, 0);
  ASSERT_NE(second, nullptr);
  ASSERT_NE(second, first);
  EXPECT_TRUE(second->m_dwFlags.load() & sound::kSampleDuplicate);
  EXPECT_EQ(mixer_.playingCount(), 2);
  // Both are heard: the first 100 frames ahead of the second.
  auto out = Pull(50);
  for (size_t i = 0; i < 50; ++i)
    ASSERT_EQ(out[2 * i], static_cast<int16_t>(Signal(100 + i) + Signal(i))) << i;

  Pull(500);
  EXPECT_EQ(mixer_.playingCount(), 0);
  // Both idle now: the original comes first.
  SNDSample* third = engine_.PlaySample(10, 0xFFFF, 0);
  EXPECT_EQ(third, first);
  // The original busy again: the idle duplicate is reused, nothing new made.
  SNDSample* fourth = engine_.PlaySample(10, 0xFFFF, 0);
  EXPECT_EQ(fourth, second);
  EXPECT_EQ(engine_.g_nLastSample, 2);
  EXPECT_EQ(mixer_.playingCount(), 2);
  // Idle duplicates met on the way to another sound are collected.
  Pull(600);
  Load("other.wav", 10, 11);
  ASSERT_NE(engine_.FindSample(11), nullptr);
  EXPECT_EQ(second->m_dwFlags.load(), 0u);
  EXPECT_EQ(second->m_lpBuffer, nullptr);
  EXPECT_TRUE(first->m_dwFlags.load() & sound::kSampleInUse);
}

TEST_F(QvSoundTest, CuesPlayCentredAtFileLevelBecauseControlsAreRefused) {
  Load("a.wav", 200, 10);
  SNDSample* s = engine_.PlaySample(10, 0x2000, 1);  // quiet and right, as asked
  ASSERT_NE(s, nullptr);
  const auto out = Pull(200);
  EXPECT_EQ(Side(out, 0), SignalRun(0, 200));
  EXPECT_EQ(Side(out, 1), SignalRun(0, 200));
  EXPECT_EQ(s->SetVolume(0x8000), 0);
  EXPECT_EQ(s->SetPan(0x8000), 0);
  EXPECT_EQ(s->SetPitch(44100), 0);
}

TEST_F(QvSoundTest, WithEffectsOffAPlayReturnsTheSampleAndPlaysNothing) {
  Load("a.wav", 200, 10);
  engine_.EnableSFX(0);
  SNDSample* s = engine_.PlaySample(10, 0xFFFF, 0);
  ASSERT_NE(s, nullptr);
  EXPECT_FALSE(s->m_dwFlags.load() & sound::kSampleClaimed);
  EXPECT_EQ(mixer_.playingCount(), 0);
  EXPECT_EQ(engine_.PlaySampleIDOnce(10, 0xFFFF, 0), 1);
  EXPECT_EQ(mixer_.playingCount(), 0);
  EXPECT_EQ(Pull(50), std::vector<int16_t>(100, 0));
  engine_.EnableSFX(1);
  EXPECT_EQ(engine_.PlaySampleIDOnce(11, 0xFFFF, 0), 0);  // no such id
  EXPECT_EQ(engine_.PlaySample(10, 0xFFFF, 0), s);
  EXPECT_EQ(mixer_.playingCount(), 1);
  Pull(250);
  EXPECT_EQ(engine_.PlaySampleIDOnce(10, 0xFFFF, 0), 1);  // the sample itself, no duplicate
  EXPECT_EQ(engine_.g_nLastSample, 1);
  EXPECT_EQ(mixer_.playingCount(), 1);
}

TEST_F(QvSoundTest, ALoopedSampleLoopsButItsDuplicatePlaysOnce) {
  files_.add("loop.wav", soundtest::WavBuilder()
                             .pcm(1, 22050, 16)
                             .smpl(1, 0, 99, 0)
                             .data(Pcm16(soundtest::SignalFrames(100, 1)))
                             .bytes());
  ASSERT_EQ(engine_.LoadSample("loop.wav", 10), 1);
  SNDSample* original = engine_.PlaySample(10, 0xFFFF, 0);
  ASSERT_NE(original, nullptr);
  EXPECT_EQ(original->GetSampleStatus(), platform::kStatusPlaying | platform::kStatusLooping);
  SNDSample* copy = engine_.PlaySample(10, 0xFFFF, 0);
  ASSERT_NE(copy, nullptr);
  EXPECT_FALSE(copy->m_dwFlags.load() & sound::kSampleLooped);
  EXPECT_EQ(copy->GetSampleStatus(), platform::kStatusPlaying);
  Pull(350);
  EXPECT_EQ(original->SamplePlaying(), 1);
  EXPECT_EQ(copy->SamplePlaying(), 0);
  EXPECT_EQ(original->StopSample(), 1);
  EXPECT_EQ(original->SamplePlaying(), 0);
}

TEST_F(QvSoundTest, ChainsStartTheNextSampleAtTheStopNotification) {
  Load("a.wav", 100, 1);
  files_.add("b.wav", soundtest::SimpleWav(1, 22050, 16, Pcm16(std::vector<int16_t>(100, 777))));
  ASSERT_EQ(engine_.LoadSample("b.wav", 2), 1);
  SNDSample* a = engine_.FindSample(1);
  SNDSample* b = engine_.FindSample(2);
  b->m_dwFlags.fetch_and(~sound::kSampleClaimed);
  EXPECT_EQ(SNDSample::ChainSample(a, b), a);
  EXPECT_EQ(a->m_pNext, b);
  ASSERT_EQ(a->PlaySample(0x1234, 0x8000), 1);
  EXPECT_TRUE(a->m_dwFlags.load() & sound::kSampleStopArmed);
  ASSERT_NE(a->m_Notify.hEventNotify, nullptr);
  EXPECT_EQ(a->m_Notify.dwOffset, platform::kNotifyAtStop);

  EXPECT_EQ(Pull(99)[2 * 98], Signal(98));
  EXPECT_EQ(b->SamplePlaying(), 0);
  Pull(2);  // a ends here and signals its stop
  ASSERT_TRUE(soundtest::WaitFor([&] { return b->SamplePlaying() == 1; }));
  EXPECT_TRUE(soundtest::WaitFor([&] { return !(a->m_dwFlags.load() & sound::kSampleStopArmed); }));
  EXPECT_EQ(b->m_nVolume, 0x1234);  // handed on from a
  EXPECT_EQ(Pull(10)[0], 777);
  for (const auto& record : engine_.g_EventList) EXPECT_EQ(record.pSample, nullptr);
}

TEST_F(QvSoundTest, ChainSampleEdgesAndNoCircles) {
  SNDSample a, b, c;
  EXPECT_EQ(SNDSample::ChainSample(&a, nullptr), nullptr);
  EXPECT_EQ(SNDSample::ChainSample(nullptr, &b), &b);
  EXPECT_EQ(SNDSample::ChainSample(&a, &b), &a);
  EXPECT_EQ(SNDSample::ChainSample(&a, &c), &a);
  EXPECT_EQ(b.m_pNext, &c);
  EXPECT_EQ(SNDSample::ChainSample(&a, &b), &a);  // already in the chain
  EXPECT_EQ(SNDSample::ChainSample(&c, &a), &c);  // would close a circle
  EXPECT_EQ(c.m_pNext, nullptr);
}

TEST_F(QvSoundTest, AnUnarmedReplayDropsAStaleStopNotification) {
  const auto [a, b, c, d] = LoadFour({20, 20, 2000, 20});
  SNDSample::ChainSample(a, b);
  ASSERT_EQ(a->PlaySample(0xFFFF, 0x8000), 1);
  Pull(30);
  ASSERT_TRUE(soundtest::WaitFor([&] { return b->SamplePlaying() == 1; }));
  b->StopSample();
  // The record a used now serves c's chain.
  SNDSample::ChainSample(c, d);
  ASSERT_EQ(c->PlaySample(0xFFFF, 0x8000), 1);
  ASSERT_EQ(c->m_Notify.hEventNotify, a->m_Notify.hEventNotify);
  // a again, unchained: its end must not start c's successor.
  a->m_pNext = nullptr;
  ASSERT_EQ(a->PlaySample(0xFFFF, 0x8000), 1);
  EXPECT_EQ(a->m_Notify.hEventNotify, nullptr);
  Pull(30);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(d->SamplePlaying(), 0);
  EXPECT_EQ(c->SamplePlaying(), 1);
}

TEST_F(QvSoundTest, AStopSignalTakenJustBeforeItsRecordIsReusedStartsNothing) {
  const auto [a, b, c, d] = LoadFour({2000, 20, 2000, 20});
  SNDSample::ChainSample(a, b);
  SNDSample::ChainSample(c, d);
  ASSERT_EQ(a->PlaySample(0xFFFF, 0x8000), 1);
  const auto event = a->m_Notify.hEventNotify;
  {
    // The callback thread takes the freed sample's stop, then waits for the
    // table while c's chain is given the same record.
    auto table = engine_.Lock();
    const uint64_t signals = event->signalCount();
    engine_.FreeSample(1);
    ASSERT_TRUE(soundtest::WaitFor([&] { return event->signalCount() > signals && !event->isSet(); }));
    ASSERT_EQ(c->PlaySample(0xFFFF, 0x8000), 1);
    ASSERT_EQ(c->m_Notify.hEventNotify, event);
  }
  EXPECT_FALSE(soundtest::WaitFor([&] { return d->SamplePlaying() == 1; }, 200)) << "d started before c ended";
  Pull(2001);
  EXPECT_TRUE(soundtest::WaitFor([&] { return d->SamplePlaying() == 1; }));
}

TEST_F(QvSoundTest, PauseKeepsThePlaceAndUnpauseGoesOnFromIt) {
  Load("a.wav", 400, 10);
  SNDSample* s = engine_.PlaySample(10, 0xFFFF, 0);
  EXPECT_EQ(s->UnPauseSample(), 0);  // not paused
  Pull(120);
  ASSERT_EQ(s->PauseSample(), 1);
  EXPECT_TRUE(s->m_dwFlags.load() & sound::kSamplePaused);
  EXPECT_EQ(s->m_dwPausePos, 240u);
  EXPECT_EQ(s->SamplePlaying(), 0);
  s->m_lpBuffer->setCurrentPosition(0);  // moved meanwhile
  ASSERT_EQ(s->UnPauseSample(), 1);
  EXPECT_FALSE(s->m_dwFlags.load() & sound::kSamplePaused);
  EXPECT_EQ(Pull(1)[0], Signal(120));
}

TEST_F(QvSoundTest, FreeingAndFlushing) {
  Load("a.wav", 300, 10);
  Load("b.wav", 3000, 11);
  SNDSample* a1 = engine_.PlaySample(10, 0xFFFF, 0);
  SNDSample* a2 = engine_.PlaySample(10, 0xFFFF, 0);
  SNDSample* a3 = engine_.PlaySample(10, 0xFFFF, 0);
  ASSERT_TRUE(a1 && a2 && a3);
  EXPECT_EQ(engine_.g_nLastSample, 4);
  a3->StopSample();
  engine_.FlushSamples();  // a3 is an idle duplicate; a2 still plays
  EXPECT_EQ(a3->m_dwFlags.load(), 0u);
  EXPECT_TRUE(a2->m_dwFlags.load() & sound::kSampleInUse);

  engine_.FreeSample(10);  // the original, though it is playing
  EXPECT_EQ(a1->m_dwFlags.load(), 0u);
  EXPECT_EQ(a1->GetSampleStatus(), sound::kSampleStatusInvalid);
  EXPECT_EQ(mixer_.playingCount(), 1);  // the duplicate plays on with its own buffer
  engine_.FreeSample(a2);
  EXPECT_EQ(mixer_.playingCount(), 0);
  engine_.FreeSample(10);  // nothing left of it
  engine_.FreeSample(static_cast<SNDSample*>(nullptr));
  // Exit frees what plays too, and waits for its thread; twice is harmless.
  ASSERT_NE(engine_.PlaySample(11, 0xFFFF, 0), nullptr);
  engine_.Exit();
  EXPECT_EQ(mixer_.playingCount(), 0);
  EXPECT_EQ(engine_.g_SampleList, nullptr);
  EXPECT_EQ(engine_.FindSample(11), nullptr);
  engine_.Exit();
  ASSERT_EQ(engine_.Init(&mixer_, 4), 1);
}

}  // namespace
