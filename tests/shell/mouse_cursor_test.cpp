#include "shell/services/mouse_cursor.h"

#include <gtest/gtest.h>

#include "support/headless_services.h"

namespace {

int Buttons(testing_support::HeadlessServices& s) {
  int b = -1;
  s.mouse.GetState(nullptr, nullptr, &b);
  return b;
}

TEST(MouseCursor, HeldButtonStaysDownAndPollingCanBeSwitchedOff) {
  testing_support::HeadlessServices s;
  s.backend.mouseDown(5, 5);
  s.pump.RunOnce();
  s.advance(30);
  EXPECT_EQ(Buttons(s), 1);
  EXPECT_EQ(Buttons(s), 1);
  s.backend.mouseUp(5, 5);
  s.pump.RunOnce();
  s.advance(10);
  EXPECT_EQ(Buttons(s), 0);

  s.mouse.SetPolling(0);
  s.backend.mouseDown(5, 5, true);
  s.pump.RunOnce();
  s.advance(20);
  EXPECT_EQ(Buttons(s), 0);
  s.mouse.SetPolling(1);
  s.advance(10);
  EXPECT_EQ(Buttons(s), 2);
}

// A tap (down and up before a poll) is kept while the mouse is not acquired,
// then seen by the next frame and not held after it.
TEST(MouseCursor, UnacquiredMouseReportsNothingButKeepsTheTap) {
  testing_support::HeadlessServices s;
  s.qv.AcquireMouse(0);
  s.backend.tap(1, 1);
  s.pump.RunOnce();
  s.advance(20);
  EXPECT_EQ(Buttons(s), 0);
  s.qv.AcquireMouse(1);
  s.advance(10);
  EXPECT_EQ(Buttons(s), 1);
  s.advance(10);
  EXPECT_EQ(Buttons(s), 0);
}

}  // namespace
