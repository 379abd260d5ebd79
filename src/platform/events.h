// Auto-reset events: one side signals, a waiting thread takes the signal.
// The mixer signals them at play positions and at stop; the sound engine's
// threads wait for any of several at once.
#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

namespace platform {

class Event {
 public:
  Event() = default;
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;

  // Signals the event; it stays signalled until one wait takes the signal.
  void set();
  void reset();
  bool isSet() const;
  // True when the signal was taken within timeoutMs (negative: no limit).
  bool wait(int timeoutMs);
  // How often the event went from clear to signalled since it was made.
  uint64_t signalCount() const { return signals_.load(); }

 private:
  friend int WaitForAny(std::span<Event* const> events, int timeoutMs);
  struct Waiter;
  bool take();
  void attach(Waiter* waiter);
  void detach(Waiter* waiter);

  mutable std::mutex mutex_;
  bool signalled_ = false;
  std::vector<Waiter*> waiters_;
  std::atomic<uint64_t> signals_{0};
};

inline constexpr int kWaitTimedOut = -1;
inline constexpr int kWaitNoLimit = -1;

// Waits until one of the events is signalled and takes its signal. Returns
// the lowest index among those signalled, or kWaitTimedOut after timeoutMs
// (negative: no limit). The events must outlive the wait.
int WaitForAny(std::span<Event* const> events, int timeoutMs);
int WaitForAny(std::span<const std::shared_ptr<Event>> events, int timeoutMs);

}  // namespace platform
