#include "shell/services/timers.h"

#include <gtest/gtest.h>

#include "support/headless_services.h"

namespace {

using testing_support::HeadlessServices;

// Timers on a timer of the test's choosing.
struct OwnTimer {
  explicit OwnTimer(platform::MultimediaTimer& timer) : timers(timer, mouse) {}
  platform::HeadlessBackend backend;
  platform::KeyboardSnapshot kb;
  platform::MessageQueue queue{kb};
  platform::Qv qv{backend, queue, kb};
  shell::MouseCursor mouse{qv};
  shell::Timers timers;
};

TEST(Timers, GameClockFallsOncePerSecondOnlyWhileRunningAndNeverBelowZero) {
  HeadlessServices s;
  s.timers.SetGameClock(3);
  s.timers.StopClock();
  s.advance(5000);
  EXPECT_EQ(s.timers.GameClock(), 3);
  s.timers.StartClock();
  s.advance(990);  // 99 callbacks: not yet a second
  const int before = s.timers.GameClock();
  s.advance(20);
  EXPECT_EQ(before - s.timers.GameClock(), 1);
  s.advance(10000);
  EXPECT_EQ(s.timers.GameClock(), 0);
}

TEST(Timers, TickCounterMovesInTenMillisecondSteps) {
  HeadlessServices s;
  const uint32_t start = s.timers.Ticks();
  s.advance(60 * 60 * 1000);  // an hour without loss
  EXPECT_EQ(s.timers.ElapsedSince(start), 60u * 60 * 1000);
  EXPECT_EQ(s.timers.Ticks() % 10, 0u);
}

TEST(Timers, TimerThatCannotReachTenMillisecondsIsNotStarted) {
  platform::ManualTimer coarse({15, 1000});
  OwnTimer w(coarse);
  EXPECT_EQ(w.timers.StartTimer(), 1);
  EXPECT_FALSE(w.timers.Running());
  coarse.advance(1000);
  EXPECT_EQ(w.timers.Ticks(), 0u);
}

TEST(Timers, PacerHoldsTheRateAndNeverWaitsForEverWithoutATimer) {
  HeadlessServices s;
  uint32_t last = s.timers.Ticks();
  s.timers.PaceFrame(100);
  for (int i = 0; i < 5; ++i) {
    last = s.timers.Ticks();
    s.timers.PaceFrame(100);
    EXPECT_EQ(s.timers.Ticks() - last, 10u);
  }
  // A frame that took longer than the period starts the next one at once.
  s.advance(50);
  last = s.timers.Ticks();
  s.timers.PaceFrame(100);
  EXPECT_EQ(s.timers.Ticks(), last);
  EXPECT_FLOAT_EQ(s.timers.FrameRate(), 100.0f);

  // With the timer stopped the pacer falls back to the platform's clock.
  s.timers.StopTimer();
  const uint32_t platformBefore = s.backend.manualTimer().tickCount();
  s.timers.PaceFrame(50);
  s.timers.PaceFrame(50);
  EXPECT_GE(s.backend.manualTimer().tickCount() - platformBefore, 20u);
}

// Its callback runs when the count is asked for, just before the count is
// read: a tick that lands while the pacer works out its wait.
class TickOnCountTimer : public platform::ManualTimer {
 public:
  uint64_t callbackCount() const override {
    if (tickNow) {
      tickNow = false;
      const_cast<TickOnCountTimer*>(this)->advance(10);
    }
    return ManualTimer::callbackCount();
  }
  mutable bool tickNow = false;
};

TEST(Timers, PacerMissesNoTickThatLandsWhileItWorksOutTheWait) {
  TickOnCountTimer timer;
  OwnTimer w(timer);
  ASSERT_EQ(w.timers.StartTimer(), 0);
  w.timers.PaceFrame(100);
  const uint32_t due = w.timers.Ticks() + 10;
  timer.tickNow = true;
  w.timers.PaceFrame(100);
  EXPECT_EQ(w.timers.Ticks(), due);
}

TEST(Timers, BonusAddedDuringCountdownIsNeverLost) {
  HeadlessServices s;
  s.timers.SetGameClock(1000);
  s.timers.StartClock();
  for (int i = 0; i < 100; ++i) {
    s.timers.AddToGameClock(20);
    s.advance(1000);
  }
  EXPECT_EQ(s.timers.GameClock(), 1000 + 100 * 20 - 100);
}

}  // namespace
