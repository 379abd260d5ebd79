#include "shell/services/key_queue.h"

#include <gtest/gtest.h>

#include <array>

namespace {

constexpr int kA = 30, kLeftShift = 42, kRightShift = 54, kMinus = 12, kTwo = 3;

struct Keyboard {
  std::array<uint8_t, 256> state{};
  void down(int code) { state[code] = 0x80; }
  void up(int code) { state[code] = 0; }
};

TEST(KeyQueue, DownEdgesAreQueuedOnceWithTheShiftFlag) {
  shell::KeyQueue q;
  Keyboard kb;
  kb.down(kA);
  q.Feed(kb.state.data());
  q.Feed(kb.state.data());  // held: no repeat
  kb.up(kA);
  q.Feed(kb.state.data());
  kb.down(kLeftShift);
  kb.down(kA);
  q.Feed(kb.state.data());
  EXPECT_EQ(q.Pop(), kA);
  // Shift itself is a key too; both codes carry the Shift flag.
  EXPECT_EQ(q.Pop(), kA + shell::KeyQueue::kShift);
  EXPECT_EQ(q.Pop(), kLeftShift + shell::KeyQueue::kShift);
  EXPECT_EQ(q.Pop(), 0);
  EXPECT_EQ(shell::KeyQueue::Translate(kA), 'a');
  EXPECT_EQ(shell::KeyQueue::Translate(kA + shell::KeyQueue::kShift), 'A');

  // Right Shift counts from the snapshot after the one it went down in.
  kb.state = {};
  q.Feed(kb.state.data());
  kb.down(kRightShift);
  kb.down(kA);
  q.Feed(kb.state.data());  // Shift went down in this one: not yet held
  kb.up(kA);
  q.Feed(kb.state.data());
  kb.down(kA);
  q.Feed(kb.state.data());
  EXPECT_EQ(q.Pop(), kA);
  EXPECT_EQ(q.Pop(), kRightShift);
  EXPECT_EQ(q.Pop(), kA + shell::KeyQueue::kShift);
}

TEST(KeyQueue, TranslationTableEdges) {
  using shell::KeyQueue;
  constexpr int kShift = KeyQueue::kShift;
  const std::pair<int, char> keys[] = {{kTwo + kShift, '@'}, {11, '0'},          {11 + kShift, ')'},
                                       {40 + kShift, '"'},   {57, ' '},          {50, 'm'},
                                       {16 + kShift, 'Q'},   {kMinus, '-'},      {kMinus + kShift, '_'}};
  for (auto [code, c] : keys) EXPECT_EQ(KeyQueue::Translate(code), c) << code;
  for (int code : {72 /* keypad */, -5, 0x3FF}) EXPECT_FALSE(KeyQueue::Translate(code).has_value()) << code;
}

TEST(KeyQueue, NullSnapshotAndRingWrap) {
  shell::KeyQueue q;
  q.Feed(nullptr);
  EXPECT_EQ(q.Pop(), 0);
  // 256 pushes overwrite the oldest: the ring looks empty again, and the
  // next push is readable.
  for (int i = 1; i <= 256; ++i) q.Push(i);
  EXPECT_EQ(q.Pop(), 0);
  q.Push(99);
  EXPECT_EQ(q.Pop(), 99);
  q.Push(5);
  q.Clear();
  EXPECT_EQ(q.Pop(), 0);
}

}  // namespace
