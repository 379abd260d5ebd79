// The multimedia timer: one thread per running event on real time, and the
// hand-driven timer the tests use.
#include "platform/timer.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

// After a stall this long (a suspended machine, a debugger) the timer starts
// afresh instead of firing every missed period in one burst.
constexpr std::chrono::milliseconds kMaxCatchUp{1000};

// Lets waitForCallback sleep until any event's callback has run.
class CallbackSignal {
 public:
  void notify() {
    {
      std::lock_guard lock(mutex_);
      ++count_;
    }
    changed_.notify_all();
  }
  uint64_t count() const {
    std::lock_guard lock(mutex_);
    return count_;
  }
  void waitForChange(uint64_t seen, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, timeout, [&] { return count_ != seen; });
  }

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  uint64_t count_ = 0;
};

// One periodic event and the thread that runs it. Deadlines are absolute
// (start + n * period), so time spent in the callback does not drift the rate.
class PeriodicEvent {
 public:
  PeriodicEvent(unsigned periodMs, std::function<void()> callback,
                std::shared_ptr<CallbackSignal> signal)
      : state_(std::make_shared<State>(periodMs, std::move(callback), std::move(signal))) {
    thread_ = std::thread([state = state_] { Run(*state); });
  }
  PeriodicEvent(const PeriodicEvent&) = delete;
  PeriodicEvent& operator=(const PeriodicEvent&) = delete;
  ~PeriodicEvent() { stop(); }

  // When this returns the callback is not running and will not run again.
  // Called from the event's own callback it can only mark the event stopped:
  // the thread, which shares the state, ends as soon as the callback returns.
  void stop() {
    {
      std::lock_guard lock(state_->mutex);
      state_->stopping = true;
    }
    state_->wake.notify_all();
    if (!thread_.joinable()) return;
    if (thread_.get_id() == std::this_thread::get_id())
      thread_.detach();
    else
      thread_.join();
  }

 private:
  struct State {
    State(unsigned periodMs, std::function<void()> cb, std::shared_ptr<CallbackSignal> sig)
        : period(periodMs), callback(std::move(cb)), signal(std::move(sig)) {}
    const std::chrono::milliseconds period;
    const std::function<void()> callback;
    const std::shared_ptr<CallbackSignal> signal;
    std::mutex mutex;
    std::condition_variable wake;
    bool stopping = false;
  };

  static void Run(State& s) {
    Clock::time_point due = Clock::now() + s.period;
    std::unique_lock lock(s.mutex);
    for (;;) {
      s.wake.wait_until(lock, due, [&] { return s.stopping || Clock::now() >= due; });
      if (s.stopping) return;
      lock.unlock();
      s.callback();
      s.signal->notify();
      lock.lock();
      due += s.period;
      const Clock::time_point now = Clock::now();
      if (now - due > kMaxCatchUp) due = now + s.period;
    }
  }

  std::shared_ptr<State> state_;
  std::thread thread_;
};

class ThreadTimer : public MultimediaTimer {
 public:
  ThreadTimer() : start_(Clock::now()) {}
  ~ThreadTimer() override {
    std::map<unsigned, std::unique_ptr<PeriodicEvent>> events;
    {
      std::lock_guard lock(mutex_);
      events.swap(events_);
    }
    events.clear();  // each stops and joins
  }

  TimerCaps caps() const override { return {}; }
  bool beginPeriod(unsigned periodMs) override { return inCaps(periodMs); }
  void endPeriod(unsigned) override {}

  unsigned setEvent(unsigned periodMs, std::function<void()> callback) override {
    if (!inCaps(periodMs) || !callback) return 0;
    std::lock_guard lock(mutex_);
    const unsigned id = nextId_++;
    if (nextId_ == 0) nextId_ = 1;
    events_[id] = std::make_unique<PeriodicEvent>(periodMs, std::move(callback), signal_);
    return id;
  }

  void killEvent(unsigned id) override {
    std::unique_ptr<PeriodicEvent> event;
    {
      std::lock_guard lock(mutex_);
      const auto it = events_.find(id);
      if (it == events_.end()) return;
      event = std::move(it->second);
      events_.erase(it);
    }
    event->stop();
  }

  uint64_t callbackCount() const override { return signal_->count(); }
  void waitForCallback(uint64_t seen, unsigned maxWaitMs) override {
    signal_->waitForChange(seen, std::chrono::milliseconds(maxWaitMs));
  }

  uint32_t tickCount() const override {
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start_).count();
    return uint32_t(uint64_t(ms));
  }

 private:
  bool inCaps(unsigned periodMs) const {
    const TimerCaps c = caps();
    return periodMs >= c.periodMin && periodMs <= c.periodMax;
  }

  const Clock::time_point start_;
  const std::shared_ptr<CallbackSignal> signal_ = std::make_shared<CallbackSignal>();
  std::mutex mutex_;
  std::map<unsigned, std::unique_ptr<PeriodicEvent>> events_;
  unsigned nextId_ = 1;
};

}  // namespace

std::unique_ptr<MultimediaTimer> MakeThreadTimer() { return std::make_unique<ThreadTimer>(); }

unsigned ManualTimer::setEvent(unsigned periodMs, std::function<void()> callback) {
  // One event at a time, as the programs use it.
  if (id_ != 0 || !callback || !beginPeriod(periodMs)) return 0;
  id_ = nextId_++;
  if (nextId_ == 0) nextId_ = 1;
  period_ = periodMs;
  due_ = now_ + periodMs;
  callback_ = std::move(callback);
  return id_;
}

void ManualTimer::killEvent(unsigned id) {
  if (id == 0 || id != id_) return;
  id_ = 0;  // the callback itself is dropped when the next event is set
}

void ManualTimer::advance(unsigned ms) {
  const uint32_t end = now_ + ms;
  uint32_t left = ms;
  while (id_ != 0 && due_ - now_ <= left) {
    left -= due_ - now_;
    now_ = due_;
    due_ += period_;
    // A copy, so that the callback may kill or replace its own event.
    const std::function<void()> callback = callback_;
    callback();
    ++callbacks_;
  }
  now_ = end;
}

void ManualTimer::waitForCallback(uint64_t seen, unsigned maxWaitMs) {
  if (callbacks_ != seen) return;
  if (id_ != 0) {
    advance(std::min<uint32_t>(due_ - now_, maxWaitMs));
  } else {
    advance(maxWaitMs);
  }
}

}  // namespace platform
