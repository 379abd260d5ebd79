// Time keeping of both programs: the 10 ms tick counter, the quiz's game
// clock counted down once a second, the frame pacer and the debug log
// (there for a developer to switch on; off in both programs).
#pragma once
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <memory>

namespace platform { class MultimediaTimer; }

namespace shell {

class MouseCursor;

class Timers {
 public:
  Timers(platform::MultimediaTimer& timer, MouseCursor& mouse);
  ~Timers();
  Timers(const Timers&) = delete;
  Timers& operator=(const Timers&) = delete;

  // 0 when started (also when only the last step failed), 1 when the
  // system's timer cannot reach a 10 ms period.
  int StartTimer();
  void StopTimer();
  bool Running() const { return id_ != 0; }

  uint32_t Ticks() const { return ticks_.load(); }
  uint32_t ElapsedSince(uint32_t t) const { return Ticks() - t; }

  void SetGameClock(int seconds) { gameClock_.store(seconds); }
  int GameClock() const { return gameClock_.load(); }
  // Adds seconds without losing a concurrent countdown step; returns the new value.
  int AddToGameClock(int seconds) { return gameClock_.fetch_add(seconds) + seconds; }
  void StartClock() { clockRunning_.store(1); }
  void StopClock() { clockRunning_.store(0); }
  bool ClockRunning() const { return clockRunning_.load() == 1; }

  // Returns when the next frame at rate frames per second may start.
  // Sleeps rather than spins.
  void PaceFrame(int rate);
  float FrameRate() const { return frameRate_; }

  // printf-style; writes only while logging is switched on.
  [[gnu::format(printf, 2, 3)]] void DebugLog(const char* format, ...);
  void SetLogging(int on) { logging_ = on; }

 private:
  // The callback's work, one 10 ms period.
  void OnTick();
  uint32_t Now() const;

  platform::MultimediaTimer& timer_;
  MouseCursor& mouse_;
  unsigned id_ = 0;
  std::atomic<uint32_t> ticks_{0};
  uint32_t lastTick_ = 0;      // timer thread only
  uint32_t secondAccum_ = 0;   // timer thread only
  std::atomic<int> gameClock_{0};
  std::atomic<int> clockRunning_{1};
  uint32_t nextFrame_ = 0;
  float frameRate_ = 0;
  int logging_ = 0;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> log_{nullptr, &std::fclose};
};

}  // namespace shell
