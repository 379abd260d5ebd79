#include "platform/events.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using platform::Event;

TEST(Event, AutoResetsWhenOneWaitTakesTheSignal) {
  Event e;
  EXPECT_FALSE(e.wait(0));
  e.set();
  e.set();  // still one signal
  EXPECT_EQ(e.signalCount(), 1u);
  EXPECT_TRUE(e.wait(0));
  EXPECT_FALSE(e.wait(0));
  e.set();
  e.reset();
  EXPECT_FALSE(e.wait(0));
  EXPECT_EQ(e.signalCount(), 2u);
}

TEST(Event, WaitForAnyGivesTheLowestSignalledIndexAndTakesOnlyThatWithinItsLimit) {
  std::vector<std::shared_ptr<Event>> events;
  for (int i = 0; i < 4; ++i) events.push_back(std::make_shared<Event>());
  events[3]->set();
  events[1]->set();
  EXPECT_EQ(platform::WaitForAny(events, 0), 1);
  EXPECT_EQ(platform::WaitForAny(events, 0), 3);
  const auto start = Clock::now();
  EXPECT_EQ(platform::WaitForAny(events, 50), platform::kWaitTimedOut);
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(50));
}

TEST(Event, TwoWaitersShareOneEventWithoutLosingSignals) {
  auto e = std::make_shared<Event>();
  std::atomic<int> taken{0};
  auto waiter = [&] {
    while (taken.load() < 100)
      if (e->wait(20)) taken.fetch_add(1);
  };
  std::thread a(waiter), b(waiter);
  for (int i = 0; i < 100; ++i) {
    e->set();
    while (e->isSet()) std::this_thread::yield();
  }
  a.join();
  b.join();
  EXPECT_EQ(taken.load(), 100);
}

}  // namespace
