#include "platform/events.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>

namespace platform {

// A thread blocked in WaitForAny, registered with every event it waits for
// so that a set() on any of them wakes it.
struct Event::Waiter {
  std::mutex mutex;
  std::condition_variable wake;
  bool poked = false;

  void poke() {
    {
      std::lock_guard lock(mutex);
      poked = true;
    }
    wake.notify_one();
  }
};

void Event::set() {
  std::lock_guard lock(mutex_);
  if (!signalled_) {
    signalled_ = true;
    signals_.fetch_add(1);
  }
  for (Waiter* waiter : waiters_) waiter->poke();
}

void Event::reset() {
  std::lock_guard lock(mutex_);
  signalled_ = false;
}

bool Event::isSet() const {
  std::lock_guard lock(mutex_);
  return signalled_;
}

bool Event::take() {
  std::lock_guard lock(mutex_);
  const bool was = signalled_;
  signalled_ = false;
  return was;
}

void Event::attach(Waiter* waiter) {
  std::lock_guard lock(mutex_);
  waiters_.push_back(waiter);
}

void Event::detach(Waiter* waiter) {
  std::lock_guard lock(mutex_);
  auto it = std::find(waiters_.begin(), waiters_.end(), waiter);
  if (it != waiters_.end()) waiters_.erase(it);
}

bool Event::wait(int timeoutMs) {
  Event* self = this;
  return WaitForAny(std::span<Event* const>(&self, 1), timeoutMs) == 0;
}

int WaitForAny(std::span<Event* const> events, int timeoutMs) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
  Event::Waiter waiter;
  // Registered before the first look, so a set() between the look and the
  // sleep still pokes the waiter and nothing is missed.
  for (Event* event : events) event->attach(&waiter);
  int found = kWaitTimedOut;
  for (;;) {
    for (size_t i = 0; i < events.size(); ++i) {
      if (events[i]->take()) {
        found = static_cast<int>(i);
        break;
      }
    }
    if (found != kWaitTimedOut) break;
    std::unique_lock lock(waiter.mutex);
    if (timeoutMs < 0) {
      waiter.wake.wait(lock, [&] { return waiter.poked; });
    } else if (!waiter.wake.wait_until(lock, deadline, [&] { return waiter.poked; })) {
      break;
    }
    waiter.poked = false;
  }
  for (Event* event : events) event->detach(&waiter);
  return found;
}

int WaitForAny(std::span<const std::shared_ptr<Event>> events, int timeoutMs) {
  std::vector<Event*> raw;
  raw.reserve(events.size());
  for (const auto& event : events) raw.push_back(event.get());
  return WaitForAny(std::span<Event* const>(raw), timeoutMs);
}

}  // namespace platform
