#include "shell/services/message_pump.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/headless_services.h"

namespace {

// Records the messages that reach the window after its activation.
class MessagePump : public ::testing::Test {
 protected:
  void SetUp() override {
    s.pump.RunOnce();
    s.queue.setWindowProc([&](uint32_t m, uint64_t, int64_t) {
      seen.push_back(m);
      return 0;
    });
  }
  testing_support::HeadlessServices s;
  std::vector<uint32_t> seen;
};

TEST_F(MessagePump, KeysAreSampledPerMessageAndQuitIsSeenByEveryLoop) {
  s.backend.keyDown(30);
  s.backend.keyUp(30);
  s.backend.post({platform::WM_QUIT, 0, 0});
  EXPECT_EQ(s.pump.RunOnce(), 1);
  // Down then up in one pass: the snapshot of the down message queued the key.
  EXPECT_EQ(s.keys.Pop(), 30);
  EXPECT_EQ(seen, (std::vector<uint32_t>{platform::WM_KEYDOWN, platform::WM_KEYUP}));
  // The quit stays for the outer loop.
  EXPECT_EQ(s.pump.RunOnce(), 1);
}

}  // namespace
