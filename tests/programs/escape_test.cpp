// Both real programs, started on the headless back end from a copy of the
// laid-out tree, end on Escape through the whole shutdown with exit code 0.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "launcher/pavlora_program.h"
#include "platform/headless/headless_backend.h"
#include "platform/paths.h"
#include "platform/system.h"
#include "quiz/verimoo_program.h"
#include "shell/app/application.h"
#include "support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

constexpr int kEscapeScan = 1;

// A private copy of the installed tree; the working directory is restored.
class InstalledCopy {
 public:
  InstalledCopy() : previous_(fs::current_path()), root_(fs::path(scratch_.path()) / "Pavlora") {
    fs::copy(PAV_DIST_DIR, root_, fs::copy_options::recursive);
  }
  ~InstalledCopy() { fs::current_path(previous_); }
  fs::path launcher() const { return root_; }
  fs::path game() const { return root_ / "Verimoo"; }

 private:
  fs::path previous_;
  test_support::ScratchDir scratch_;  // removed after the working directory is restored
  fs::path root_;
};

const std::vector<std::string> kShutdownOrder = {"stop timer", "release screens", "release mouse",
                                                 "release game", "free library", "shut down sound"};

int RunUntilEnd(shell::Application& app, platform::HeadlessBackend& backend, int framesFirst) {
  int code = -1;
  for (int i = 0; i < framesFirst; ++i)
    if (!app.RunFrame(code)) return 100 + code;  // ended before Escape: wrong
  backend.pressKey(kEscapeScan, platform::VK_ESCAPE);
  for (int i = 0; i < 50; ++i)
    if (!app.RunFrame(code)) return code;
  return -1;
}

void ExpectOrderlyEnd(const shell::Application& app, const platform::HeadlessBackend& backend) {
  const auto& trace = app.Trace();
  ASSERT_GE(trace.size(), kShutdownOrder.size());
  EXPECT_EQ(std::vector<std::string>(trace.end() - long(kShutdownOrder.size()), trace.end()),
            kShutdownOrder);
  EXPECT_FALSE(backend.windowOpen());
  EXPECT_GT(backend.presentedCount(), 0);
}

TEST(Programs, TheQuizEndsOnEscapeThroughTheWholeShutdown) {
  InstalledCopy tree;
  fs::current_path(tree.game());
  platform::HeadlessBackend backend;
  platform::RecordingLauncher launcher;
  quiz::VerimooProgram program(1);
  shell::Application app(backend, launcher, program);
  ASSERT_EQ(app.StartUp(tree.launcher().string()), -1);
  EXPECT_EQ(backend.windowConfig().title, "Verimoo");
  EXPECT_EQ(RunUntilEnd(app, backend, 200), 0);
  ExpectOrderlyEnd(app, backend);
  EXPECT_TRUE(launcher.launches.empty());
}

TEST(Programs, TheLauncherEndsOnEscapeThroughTheWholeShutdown) {
  InstalledCopy tree;
  fs::current_path(tree.launcher());
  platform::HeadlessBackend backend;
  platform::RecordingLauncher launcher;
  launcher::PavloraProgram program;
  shell::Application app(backend, launcher, program);
  ASSERT_EQ(app.StartUp(""), -1);
  EXPECT_EQ(backend.windowConfig().title, "Kelvane Pavlora");
  EXPECT_EQ(RunUntilEnd(app, backend, 60), 0);
  ExpectOrderlyEnd(app, backend);
  EXPECT_TRUE(launcher.launches.empty());
}

}  // namespace
