#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>

#include "sound/qv_sound.h"
#include "sound_test_support.h"

namespace {

using Clock = std::chrono::steady_clock;
using sound::QvSoundProbe;
using sound::SNDStream;
using soundtest::Pcm16;
using soundtest::Side;
using soundtest::Signal;
using soundtest::SignalRun;
using soundtest::WavBuilder;

constexpr int kChunkFrames = 5513;  // 22052 bytes of 22050 Hz 16-bit stereo
constexpr int kStep = kChunkFrames / 4;

// Stereo music whose frame i is (Signal(i, 0), Signal(i, 1)), followed by a
// loud chunk that must never be heard.
std::vector<uint8_t> Music(size_t frames, uint16_t channels = 2, uint32_t rate = 22050, uint16_t bits = 16) {
  std::vector<uint8_t> data;
  if (bits == 16) {
    data = Pcm16(soundtest::SignalFrames(frames, channels));
  } else {
    for (size_t i = 0; i < frames * channels; ++i) data.push_back(static_cast<uint8_t>(i % 200 + 20));
  }
  return WavBuilder()
      .pcm(channels, rate, bits)
      .data(data)
      .chunk("junk", Pcm16(std::vector<int16_t>(4000, 0x7F7F)))
      .bytes();
}

class StreamTest : public soundtest::EngineTest {
 protected:
  // Pulls frames in steps, letting the fill thread deal with each step's
  // notifications before the next, as a real device's pace would.
  std::vector<int16_t> PullSettled(int frames) {
    std::vector<int16_t> out;
    for (int done = 0; done < frames;) {
      const int n = std::min(kStep, frames - done);
      auto part = Pull(n);
      out.insert(out.end(), part.begin(), part.end());
      done += n;
      EXPECT_TRUE(sound::QvSoundProbe::WaitStreamSettled(engine_, 5000));
    }
    return out;
  }
  void TearDown() override {
    // The next-stream function below counts into this fixture: end the
    // engine while the counters still exist.
    engine_.Exit();
  }
  void CountNextStreams() {
    engine_.SetStreamNextFunc([this](uint32_t id) {
      nextId_ = id;
      nextCalls_.fetch_add(1);
    });
  }
  // Long looping music, loaded under the id given and playing.
  void StartMusic(uint32_t id) {
    files_.add("m.wav", Music(100000));
    ASSERT_EQ(engine_.LoadStream("m.wav", id), 1);
    ASSERT_EQ(engine_.PlayStream(sound::kStreamLooping), 1);
  }
  SNDStream& Stream() { return *engine_.GetStreamInfoPtr(); }
  bool TornDown() {
    return Stream().sample.load() == nullptr && !(Stream().flags.load() & sound::kStreamLoaded);
  }
  std::atomic<uint32_t> nextId_{0};
  std::atomic<int> nextCalls_{0};
};

TEST_F(StreamTest, ChunkAndRingSizesFollowTheFormat) {
  struct Case { uint16_t channels; uint32_t rate; uint16_t bits; uint32_t chunk; };
  for (const Case c : {Case{2, 22050, 16, 22052}, Case{2, 44100, 16, 44100}, Case{1, 22050, 8, 5512},
                       Case{1, 11025, 16, 5512}}) {
    files_.add("m.wav", Music(30000, c.channels, c.rate, c.bits));
    ASSERT_EQ(engine_.LoadStream("m.wav", 7), 1) << c.rate;
    EXPECT_EQ(engine_.LoadStream("m.wav", 8), 0);  // one stream at a time
    EXPECT_EQ(Stream().chunkSize, c.chunk) << c.rate;
    EXPECT_EQ(Stream().sample.load()->m_lpBuffer->bytes(), 8 * c.chunk);
    EXPECT_EQ(engine_.GetStreamID(), 7u);
    EXPECT_EQ(engine_.StopStream(), 1);
    EXPECT_TRUE(TornDown());
    EXPECT_EQ(engine_.GetStreamID(), 0u);
  }
  EXPECT_EQ(QvSoundProbe::Slot(engine_, 0)->m_dwFlags.load(), 0u);
}

// Longer than the ring and not a whole number of chunks, shorter than the
// ring, shorter than a chunk: each wraps from its end to its start.
TEST_F(StreamTest, LoopingWrapsFromTheEndOfTheDataToItsStartWithoutAGap) {
  for (size_t frames : {size_t{50000}, size_t{10000}, size_t{3000}}) {
    files_.add(".\\sounds\\music.wav", Music(frames));
    ASSERT_EQ(engine_.LoadStream(".\\sounds\\music.wav", 0), 1);
    ASSERT_EQ(engine_.PlayStream(sound::kStreamLooping), 1);
    const int total = static_cast<int>(std::max<size_t>(3 * frames, 2 * 8 * kChunkFrames) + 777);
    const auto out = PullSettled(total);
    for (size_t k = 0; k < out.size(); ++k) ASSERT_EQ(out[k], Signal(k / 2 % frames, int(k % 2))) << k;
    EXPECT_TRUE(Stream().flags.load() & sound::kStreamPlaying);
    engine_.StopStream();
    ASSERT_TRUE(TornDown());
  }
}

TEST_F(StreamTest, WithoutLoopingTheEndIsSilenceThenTheNextStreamFunctionGetsTheId) {
  CountNextStreams();
  // The last file's data chunk claims more than the file holds: what is there plays.
  const auto cut = WavBuilder().pcm(2, 22050, 16).dataClaiming(1000000, Pcm16(soundtest::SignalFrames(10000, 2)));
  for (const auto& [frames, file] : {std::pair{size_t{70000}, Music(70000)}, std::pair{size_t{10000}, Music(10000)},
                                     std::pair{size_t{10000}, cut.bytes()}}) {
    nextCalls_ = nextId_ = 0;
    files_.add("m.wav", file);
    ASSERT_EQ(engine_.LoadStream("m.wav", 42), 1);
    ASSERT_EQ(engine_.PlayStream(0), 1);
    // The buffer stops when the cursor leaves the chunk with the last data.
    const int stopAt = static_cast<int>(((frames - 1) / kChunkFrames + 1) * kChunkFrames);
    std::vector<int16_t> out;
    int pulled = 0;
    while (nextCalls_.load() == 0 && pulled < stopAt + 4 * kStep) {
      auto part = PullSettled(kStep);  // settled: a stop is torn down before this returns
      out.insert(out.end(), part.begin(), part.end());
      pulled += kStep;
    }
    ASSERT_EQ(nextCalls_.load(), 1) << frames;
    EXPECT_TRUE(pulled >= stopAt && pulled <= stopAt + kStep) << pulled << " frames pulled of " << frames;
    EXPECT_EQ(nextId_.load(), 42u);
    EXPECT_EQ(Side(out), SignalRun(0, frames, size_t(pulled)));
    EXPECT_TRUE(TornDown());
    EXPECT_EQ(mixer_.playingCount(), 0);
    EXPECT_EQ(QvSoundProbe::Slot(engine_, 0)->m_dwFlags.load(), 0u);
    EXPECT_EQ(Pull(1000), std::vector<int16_t>(2000, 0));
  }
}

TEST_F(StreamTest, DisablingMusicTearsAPlayingStreamDown) {
  CountNextStreams();
  StartMusic(3);
  PullSettled(3 * kChunkFrames);
  engine_.EnableMusic(0);
  EXPECT_TRUE(TornDown());  // EnableMusic returned only after the teardown
  EXPECT_EQ(std::pair(nextCalls_.load(), nextId_.load()), std::pair(1, 3u));
  EXPECT_EQ(engine_.MusicEnabled(), 0);
  EXPECT_EQ(mixer_.playingCount(), 0);
  EXPECT_EQ(QvSoundProbe::Slot(engine_, 0)->m_dwFlags.load(), 0u);
  EXPECT_EQ(engine_.LoadStream("m.wav", 3), 0);  // switched off: refused
  EXPECT_EQ(engine_.PlayStream(sound::kStreamLooping), 1);
  EXPECT_EQ(engine_.StopStream(), 1);
  engine_.EnableMusic(1);
  ASSERT_EQ(engine_.LoadStream("m.wav", 3), 1);
}

TEST_F(StreamTest, PauseHoldsTheStreamAndASecondPauseGoesOn) {
  StartMusic(3);
  // A pause lifted at once keeps the stream: mostly the fill thread comes to
  // the pause's stop after the resume.
  for (int i = 0; i < 50; ++i) {
    engine_.PauseStream();
    engine_.PauseStream();
    ASSERT_TRUE(sound::QvSoundProbe::WaitStreamSettled(engine_, 5000));
    ASSERT_TRUE(Stream().flags.load() & sound::kStreamLoaded) << i;
  }
  PullSettled(1000);
  engine_.PauseStream();
  ASSERT_TRUE(sound::QvSoundProbe::WaitStreamSettled(engine_, 5000));
  EXPECT_TRUE(Stream().flags.load() & sound::kStreamLoaded);
  EXPECT_TRUE(Stream().flags.load() & sound::kStreamPaused);
  EXPECT_EQ(mixer_.playingCount(), 0);
  EXPECT_EQ(Pull(500), std::vector<int16_t>(1000, 0));
  engine_.PauseStream();
  EXPECT_EQ(Side(PullSettled(2 * 8 * kChunkFrames)), SignalRun(1000, 2 * 8 * kChunkFrames));
  // Stopping a paused stream still tears it down.
  engine_.PauseStream();
  engine_.StopStream();
  EXPECT_TRUE(TornDown());
}

TEST_F(StreamTest, ATornDownStreamLetsGoOfItsSlotBeforeTheSlotIsReused) {
  files_.add("x.wav", soundtest::SimpleWav(1, 22050, 16, Pcm16({1, 2})));
  StartMusic(3);
  sound::SNDSample* slot = Stream().sample.load();
  std::unique_lock record(Stream().mutex, std::defer_lock);
  {
    // The teardown waits for the table, then for the stream's record.
    auto table = engine_.Lock();
    Stream().buffer->stop();
    ASSERT_TRUE(soundtest::WaitFor([&] { return !(Stream().flags.load() & sound::kStreamLoaded); }));
    record.lock();
  }
  ASSERT_TRUE(soundtest::WaitFor([&] { return slot->m_dwFlags.load() == 0; }));
  // Asked from a thread that holds no lock of the stream, as the program would.
  uint32_t id = 1;
  std::thread([&] {
    engine_.LoadSample("x.wav", 99);
    id = engine_.GetStreamID();
  }).join();
  ASSERT_EQ(slot->m_dwID, 99u);
  EXPECT_EQ(id, 0u);
  record.unlock();
  EXPECT_TRUE(soundtest::WaitFor([&] { return TornDown(); }));
}

TEST_F(StreamTest, RefusedStreamsLeaveNothingBehind) {
  auto looped = [](uint32_t end) {
    return WavBuilder().pcm(2, 22050, 16).smpl(1, 0, end, 0).data(Pcm16(soundtest::SignalFrames(30000, 2))).bytes();
  };
  files_.add("shortloop.wav", looped(1000));  // 4000 bytes: less than a chunk
  files_.add("wide.wav", WavBuilder().pcm(6, 22050, 16).data(std::vector<uint8_t>(1200, 0)).bytes());
  for (const char* name : {"shortloop.wav", "wide.wav", "none.wav"}) {
    EXPECT_EQ(engine_.LoadStream(name, 1), 0) << name;
    EXPECT_TRUE(TornDown()) << name;
    EXPECT_EQ(QvSoundProbe::Slot(engine_, 0)->m_dwFlags.load(), 0u) << name;
  }
  files_.add("longloop.wav", looped(10000));
  EXPECT_EQ(engine_.LoadStream("longloop.wav", 1), 1);
}

TEST_F(StreamTest, FadesTakeTheirTimeAndEndAtTheirLevel) {
  files_.add("m.wav", Music(100000));
  ASSERT_EQ(engine_.LoadStream("m.wav", 1), 1);
  engine_.SetStreamVolume(0x7FFF);
  EXPECT_EQ(engine_.GetStreamVolume(), 0x7FFF);
  ASSERT_EQ(engine_.PlayStream(sound::kStreamLooping), 1);
  engine_.SetStreamVolume(0);

  std::atomic<bool> fading{true};
  std::vector<int> seen;
  std::thread watch([&] {
    while (fading.load()) {
      seen.push_back(engine_.GetStreamVolume());
      std::this_thread::sleep_for(std::chrono::milliseconds(3));
    }
  });
  const auto start = Clock::now();
  engine_.FadeMusicIn(300);
  const auto took = Clock::now() - start;
  fading = false;
  watch.join();
  EXPECT_GE(took, std::chrono::milliseconds(300));
  EXPECT_LT(took, std::chrono::milliseconds(1500));
  EXPECT_EQ(engine_.GetStreamVolume(), 0x8000);
  ASSERT_GE(seen.size(), 5u);
  for (size_t i = 1; i < seen.size(); ++i) EXPECT_LE(seen[i - 1], seen[i]) << i;
  EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [](int v) { return v > 0 && v < 0x8000; }));

  const auto instant = Clock::now();
  engine_.FadeMusicOut(0);
  EXPECT_LT(Clock::now() - instant, std::chrono::milliseconds(100));
  EXPECT_EQ(engine_.GetStreamVolume(), 0);
  // The buffer has no volume control: what is heard does not change.
  PullSettled(100);
  EXPECT_EQ(PullSettled(10)[0], Signal(100, 0));
}

// A file whose reads can be held up, to stand for a fill thread that hangs.
struct Gate {
  std::mutex mutex;
  std::condition_variable released;
  bool holding = false;
  std::atomic<bool> waiting{false}, destroyed{false};
  void hold(bool on) {
    std::lock_guard lock(mutex);
    holding = on;
    released.notify_all();
  }
};

class HeldFile : public sound::MemorySoundFile {
 public:
  HeldFile(std::vector<uint8_t> bytes, std::shared_ptr<Gate> gate)
      : MemorySoundFile(std::move(bytes)), gate_(std::move(gate)) {}
  ~HeldFile() override { gate_->destroyed = true; }
  size_t Read(void* into, size_t bytes) override {
    std::unique_lock lock(gate_->mutex);
    if (gate_->holding) gate_->waiting = true;
    gate_->released.wait(lock, [&] { return !gate_->holding; });
    lock.unlock();
    return MemorySoundFile::Read(into, bytes);
  }

 private:
  std::shared_ptr<Gate> gate_;
};

TEST_F(StreamTest, AFillThreadThatHangsDoesNotHangStopOrExit) {
  auto gate = std::make_shared<Gate>();
  const auto bytes = Music(200000);
  engine_.SetFileOpenFunc([&](const std::string&) { return std::make_unique<HeldFile>(bytes, gate); });
  ASSERT_EQ(engine_.LoadStream("m.wav", 9), 1);
  ASSERT_EQ(engine_.PlayStream(sound::kStreamLooping), 1);
  gate->hold(true);
  for (int i = 0; i < 8 && !gate->waiting; ++i) {
    Pull(kStep);  // on into chunk 1, where a refill starts and is held
    soundtest::WaitFor([&] { return gate->waiting.load(); }, 200);
  }
  ASSERT_TRUE(gate->waiting);

  auto start = Clock::now();
  EXPECT_EQ(engine_.StopStream(), 1);
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(sound::kThreadWaitLimitMs + 2000));
  EXPECT_EQ(mixer_.playingCount(), 0);
  EXPECT_EQ(QvSoundProbe::Slot(engine_, 0)->m_dwFlags.load(), 0u);
  EXPECT_TRUE(TornDown());  // a fresh record: a new stream may be loaded

  start = Clock::now();
  engine_.Exit();
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(sound::kThreadWaitLimitMs + 2000));

  // Let the thread go: it ends on its own and lets go of its file.
  gate->hold(false);
  EXPECT_TRUE(soundtest::WaitFor([&] { return gate->destroyed.load(); }, 5000));
}

}  // namespace
