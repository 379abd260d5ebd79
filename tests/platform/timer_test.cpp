#include "platform/timer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace platform {
namespace {

using namespace std::chrono_literals;

double MsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

TEST(ManualTimer, CallbacksFallDueAsTimeAdvances) {
  ManualTimer timer;
  std::vector<uint32_t> at;
  unsigned id = 0;  // the sixth callback kills its own event
  id = timer.setEvent(10, [&] { at.push_back(timer.tickCount()); if (at.size() == 6) timer.killEvent(id); });
  ASSERT_NE(id, 0u);
  timer.advance(9);
  EXPECT_TRUE(at.empty());
  timer.advance(1);
  timer.advance(35);
  EXPECT_EQ(at, (std::vector<uint32_t>{10, 20, 30, 40}));
  EXPECT_EQ(timer.tickCount(), 45u);
  timer.advance(5);
  EXPECT_EQ(at.back(), 50u);

  timer.killEvent(id + 1);  // not ours: nothing happens
  timer.advance(110);
  EXPECT_EQ(at.size(), 6u) << "nothing after the kill inside the sixth callback";
  EXPECT_EQ(timer.tickCount(), 160u);

  const unsigned again = timer.setEvent(20, [&] { at.push_back(timer.tickCount()); });
  EXPECT_NE(again, 0u);
  EXPECT_NE(again, id);
  timer.advance(40);
  EXPECT_EQ(at.back(), 200u);
}

TEST(ManualTimer, RefusesWhatItCannotDo) {
  ManualTimer timer(TimerCaps{5, 100});
  EXPECT_EQ(timer.caps().periodMin, 5u);
  EXPECT_FALSE(timer.beginPeriod(4));
  EXPECT_TRUE(timer.beginPeriod(5));
  EXPECT_TRUE(timer.beginPeriod(100));
  EXPECT_FALSE(timer.beginPeriod(101));
  EXPECT_EQ(timer.setEvent(4, [] {}), 0u);
  EXPECT_EQ(timer.setEvent(101, [] {}), 0u);
  EXPECT_EQ(timer.setEvent(10, nullptr), 0u);
  EXPECT_NE(timer.setEvent(10, [] {}), 0u);
  EXPECT_EQ(timer.setEvent(10, [] {}), 0u);  // one event at a time
}

TEST(ManualTimer, WaitRunsTheNextCallbackOrTheWholeWait) {
  ManualTimer timer;
  timer.waitForCallback(timer.callbackCount(), 25);
  EXPECT_EQ(timer.tickCount(), 25u);
  int calls = 0;
  timer.setEvent(10, [&] { ++calls; });
  const struct {
    uint32_t wait;
    int calls;
    uint32_t ticks;
  } waits[] = {{1000, 1, 35}, {3, 1, 38}, {1000, 2, 45}};
  for (const auto& w : waits) {
    timer.waitForCallback(timer.callbackCount(), w.wait);
    EXPECT_EQ(std::pair(calls, timer.tickCount()), std::pair(w.calls, w.ticks)) << w.ticks;
  }
}

TEST(ManualTimer, TickCountWrapsAndEventsCarryOn) {
  ManualTimer timer;
  timer.advance(4294967290u);
  int calls = 0;
  timer.setEvent(10, [&] { ++calls; });
  timer.advance(20);
  EXPECT_EQ(calls, 2);  // at 4 and 14 after the wrap
  EXPECT_EQ(timer.tickCount(), 14u);
}

TEST(ThreadTimer, KeepsItsRateAndStopsDeadOnKill) {
  auto timer = MakeThreadTimer();
  EXPECT_EQ(timer->caps().periodMin, 1u);
  EXPECT_EQ(timer->caps().periodMax, 65535u);
  EXPECT_EQ(timer->setEvent(0, [] {}), 0u);
  EXPECT_EQ(timer->setEvent(65536, [] {}), 0u);

  std::atomic<int> calls{0};
  std::atomic<bool> inside{false};
  const auto start = std::chrono::steady_clock::now();
  const unsigned id = timer->setEvent(10, [&] {
    inside = true;
    ++calls;
    std::this_thread::sleep_for(2ms);
    inside = false;
  });
  ASSERT_NE(id, 0u);
  std::this_thread::sleep_for(500ms);
  timer->killEvent(id);
  const double elapsed = MsSince(start);
  EXPECT_FALSE(inside.load());
  const int atKill = calls.load();
  // Absolute deadlines: the count follows elapsed time, not time plus callback cost.
  EXPECT_GE(atKill, int(elapsed / 10 * 0.7));
  EXPECT_LE(atKill, int(elapsed / 10) + 2);
  std::this_thread::sleep_for(60ms);
  EXPECT_EQ(calls.load(), atKill);
}

TEST(ThreadTimer, LateCallbacksCatchUp) {
  auto timer = MakeThreadTimer();
  std::atomic<int> calls{0};
  const auto start = std::chrono::steady_clock::now();
  const unsigned id = timer->setEvent(5, [&] {
    if (++calls == 1) std::this_thread::sleep_for(60ms);  // misses about 12 periods
  });
  std::this_thread::sleep_for(300ms);
  timer->killEvent(id);
  EXPECT_GE(calls.load(), int(MsSince(start) / 5 * 0.7));
}

TEST(ThreadTimer, KillFromItsOwnCallbackAndDestructionStopEvents) {
  auto timer = MakeThreadTimer();
  std::atomic<int> selfCalls{0};
  std::atomic<unsigned> selfId{0};
  std::atomic<bool> idSet{false};
  selfId = timer->setEvent(2, [&] {
    while (!idSet) std::this_thread::yield();
    if (++selfCalls == 3) timer->killEvent(selfId);
  });
  idSet = true;
  auto other = std::make_shared<std::atomic<int>>(0);
  timer->setEvent(3, [other] { ++*other; });
  std::this_thread::sleep_for(100ms);
  EXPECT_EQ(selfCalls.load(), 3);
  EXPECT_GT(other->load(), 0);
  timer.reset();  // stops the remaining event
  const int atDestruction = other->load();
  std::this_thread::sleep_for(30ms);
  EXPECT_EQ(other->load(), atDestruction);
}

TEST(ThreadTimer, WaitReturnsAfterACallbackOrTheTimeout) {
  auto timer = MakeThreadTimer();
  auto t0 = std::chrono::steady_clock::now();
  timer->waitForCallback(timer->callbackCount(), 40);
  EXPECT_GE(std::chrono::steady_clock::now() - t0, 35ms);

  std::atomic<int> calls{0};
  const unsigned id = timer->setEvent(20, [&] { ++calls; });
  t0 = std::chrono::steady_clock::now();
  const int before = calls.load();
  timer->waitForCallback(timer->callbackCount(), 5000);
  EXPECT_GT(calls.load(), before);
  EXPECT_LT(std::chrono::steady_clock::now() - t0, 2000ms);
  timer->killEvent(id);
}

TEST(ThreadTimer, TickCountFollowsTheClock) {
  auto timer = MakeThreadTimer();
  const uint32_t a = timer->tickCount();
  std::this_thread::sleep_for(50ms);
  const uint32_t b = timer->tickCount();
  EXPECT_GE(b - a, 45u);
  EXPECT_LT(b - a, 1000u);
  EXPECT_TRUE(timer->beginPeriod(1));
  EXPECT_FALSE(timer->beginPeriod(0));
}

}  // namespace
}  // namespace platform
