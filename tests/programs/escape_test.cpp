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

// Frames first, then Escape: the program must end within 50 frames with
// exit code 0, the window closed and the shutdown steps in their order.
void ExpectEscapeEndsIt(shell::Program& program, const fs::path& dir, const std::string& commandLine,
                        const std::string& title, int framesFirst) {
  fs::current_path(dir);
  platform::HeadlessBackend backend;
  platform::RecordingLauncher launcher;
  shell::Application app(backend, launcher, program);
  ASSERT_EQ(app.StartUp(commandLine), -1);
  EXPECT_EQ(backend.windowConfig().title, title);
  int code = -1;
  for (int i = 0; i < framesFirst; ++i) ASSERT_TRUE(app.RunFrame(code)) << "ended before Escape";
  backend.pressKey(kEscapeScan, platform::VK_ESCAPE);
  bool ended = false;
  for (int i = 0; i < 50 && !ended; ++i) ended = !app.RunFrame(code);
  EXPECT_TRUE(ended);
  EXPECT_EQ(code, 0);
  const std::vector<std::string> order = {"stop timer",   "release screens", "release mouse",
                                          "release game", "free library",    "shut down sound"};
  ASSERT_GE(app.Trace().size(), order.size());
  EXPECT_EQ(std::vector<std::string>(app.Trace().end() - long(order.size()), app.Trace().end()), order);
  EXPECT_FALSE(backend.windowOpen());
  EXPECT_GT(backend.presentedCount(), 0);
  EXPECT_TRUE(launcher.launches.empty());
}

TEST(Programs, TheQuizEndsOnEscapeThroughTheWholeShutdown) {
  InstalledCopy tree;
  quiz::VerimooProgram program(1);
  ExpectEscapeEndsIt(program, tree.game(), tree.launcher().string(), "Verimoo", 200);
}

TEST(Programs, TheLauncherEndsOnEscapeThroughTheWholeShutdown) {
  InstalledCopy tree;
  launcher::PavloraProgram program;
  ExpectEscapeEndsIt(program, tree.launcher(), "", "Kelvane Pavlora", 60);
}

}  // namespace
