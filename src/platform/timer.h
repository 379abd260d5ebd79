// The multimedia timer: a periodic callback on its own thread, or, for
// tests, driven by hand one period at a time.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>

namespace platform {

struct TimerCaps {
  unsigned periodMin = 1, periodMax = 65535;
};

class MultimediaTimer {
 public:
  virtual ~MultimediaTimer() = default;
  virtual TimerCaps caps() const = 0;
  virtual bool beginPeriod(unsigned periodMs) = 0;
  virtual void endPeriod(unsigned periodMs) = 0;
  // Starts calling back every periodMs; callbacks run one at a time and late
  // ones catch up. Returns the event id, 0 when the timer could not start.
  virtual unsigned setEvent(unsigned periodMs, std::function<void()> callback) = 0;
  // When this returns, no callback of that id runs any more.
  virtual void killEvent(unsigned id) = 0;
  // How many callbacks have run so far, of every event.
  virtual uint64_t callbackCount() const = 0;
  // Returns once the callback count is no longer seen or maxWaitMs have
  // passed, whichever is first: a callback that ran after the caller read
  // the count is not waited for again. The manual timer runs one period
  // itself.
  virtual void waitForCallback(uint64_t seen, unsigned maxWaitMs) = 0;
  // Milliseconds since the timer object was made; wraps after 49.7 days.
  virtual uint32_t tickCount() const = 0;
};

// Real time, a thread of its own per running event.
std::unique_ptr<MultimediaTimer> MakeThreadTimer();

// Time moves only when a test (or waitForCallback) says so.
class ManualTimer : public MultimediaTimer {
 public:
  explicit ManualTimer(TimerCaps caps = {}) : caps_(caps) {}
  TimerCaps caps() const override { return caps_; }
  bool beginPeriod(unsigned periodMs) override {
    return periodMs >= caps_.periodMin && periodMs <= caps_.periodMax;
  }
  void endPeriod(unsigned) override {}
  unsigned setEvent(unsigned periodMs, std::function<void()> callback) override;
  void killEvent(unsigned id) override;
  uint64_t callbackCount() const override { return callbacks_; }
  void waitForCallback(uint64_t seen, unsigned maxWaitMs) override;
  uint32_t tickCount() const override { return now_; }

  // Moves time on by ms, running every callback that falls due.
  void advance(unsigned ms);

 private:
  TimerCaps caps_;
  uint32_t now_ = 0;
  unsigned nextId_ = 1;
  unsigned id_ = 0;
  unsigned period_ = 0;
  uint32_t due_ = 0;
  uint64_t callbacks_ = 0;
  std::function<void()> callback_;
};

}  // namespace platform
