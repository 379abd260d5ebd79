#include "shell/services/timers.h"

#include "platform/timer.h"
#include "shell/services/mouse_cursor.h"

namespace shell {

namespace {
constexpr unsigned kPeriodMs = 10;
}

Timers::Timers(platform::MultimediaTimer& timer, MouseCursor& mouse)
    : timer_(timer), mouse_(mouse) {}

Timers::~Timers() { StopTimer(); }

int Timers::StartTimer() {
  const platform::TimerCaps caps = timer_.caps();
  if (caps.periodMin > kPeriodMs || caps.periodMax < kPeriodMs) return 1;
  if (!timer_.beginPeriod(kPeriodMs)) return 1;
  id_ = timer_.setEvent(kPeriodMs, [this] { OnTick(); });
  if (id_ == 0) timer_.endPeriod(kPeriodMs);
  return 0;
}

void Timers::StopTimer() {
  if (id_ == 0) return;
  timer_.killEvent(id_);
  timer_.endPeriod(kPeriodMs);
  id_ = 0;
}

void Timers::OnTick() {
  const uint32_t now = ticks_.fetch_add(kPeriodMs) + kPeriodMs;
  mouse_.Poll();
  secondAccum_ += now - lastTick_;
  lastTick_ = now;
  if (secondAccum_ > 998) {
    secondAccum_ = 0;
    if (clockRunning_.load() == 1) {
      // Counts down without ever going below 0 and without losing a bonus
      // the main thread adds at the same moment.
      int left = gameClock_.load();
      while (left > 0 && !gameClock_.compare_exchange_weak(left, left - 1)) {
      }
    }
  }
}

uint32_t Timers::Now() const {
  // Without a running timer the tick counter stands still; the platform's
  // own clock keeps the pacer from waiting for ever.
  return Running() ? ticks_.load() : timer_.tickCount();
}

void Timers::PaceFrame(int rate) {
  if (rate <= 0) rate = 1;
  const uint32_t period = uint32_t(1000 / rate);
  for (;;) {
    // The count first: a tick that lands after it is read makes the wait
    // return at once instead of being waited for a period later.
    const uint64_t seen = timer_.callbackCount();
    const int32_t wait = int32_t(nextFrame_ - Now());
    if (wait <= 0) break;
    timer_.waitForCallback(seen, unsigned(wait));
  }
  nextFrame_ = Now() + period;
  frameRate_ = float(rate);
}

}  // namespace shell
