#include "shell/app/application.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <vector>

#include "gfx/screen.h"
#include "platform/headless/headless_backend.h"
#include "platform/headless/pulled_audio.h"
#include "platform/termination.h"

namespace {

constexpr int kEscape = 1;

class CountingScreen : public gfx::Screen {
 public:
  CountingScreen(gfx::Context& ctx, int quitAfter) : gfx::Screen(ctx, "main"), quitAfter_(quitAfter) {}
  int Update(int) override {
    ++updates;
    return (quitAfter_ > 0 && updates >= quitAfter_) ? 7 : 1;
  }
  void Release() override {
    ++releases;
    gfx::Screen::Release();
  }
  int updates = 0, releases = 0;

 private:
  int quitAfter_;
};

class TestProgram : public shell::Program {
 public:
  // Topmost exactly when not a quiz, so a flag taken from the wrong place shows.
  explicit TestProgram(bool quiz, int quitAfter = 0) : traits_{"Test", quiz, !quiz}, quitAfter_(quitAfter) {}
  shell::ProgramTraits Traits() const override { return traits_; }
  void Start(shell::Application& app, const std::string& commandLine) override {
    screen = std::make_unique<CountingScreen>(app.Context(), quitAfter_);
    app.Screens().Register(screen.get());
    app.Screens().SwitchTo("main");
    started = commandLine;
  }
  void ReleaseGameState() override { gameReleased = true; }
  std::unique_ptr<CountingScreen> screen;
  std::string started;
  bool gameReleased = false;

 private:
  shell::ProgramTraits traits_;
  int quitAfter_;
};

struct ProgramRun {
  platform::HeadlessBackend backend;
  platform::RecordingLauncher launcher;
  TestProgram program;
  shell::Application app{backend, launcher, program};
  explicit ProgramRun(bool quiz, int quitAfter = 0) : program(quiz, quitAfter) {}
  // Runs frames until the program ends or the limit is reached.
  int frames(int limit, bool* ended = nullptr) {
    int code = -1;
    for (int i = 0; i < limit; ++i) {
      if (!app.RunFrame(code)) {
        if (ended) *ended = true;
        return code;
      }
    }
    if (ended) *ended = false;
    return code;
  }
};

const std::vector<std::string> kShutdownOrder = {"stop timer", "release screens", "release mouse",
                                                 "release game", "free library", "shut down sound"};

std::vector<std::string> Tail(const std::vector<std::string>& v, size_t n) {
  return v.size() < n ? v : std::vector<std::string>(v.end() - long(n), v.end());
}

// Escape, the close box, the screen's quit code (after three updates) and a
// termination signal each end either kind of program through the full
// shutdown with exit code 0, the sound device closed.
TEST(Application, EveryWayOutEndsThroughTheFullShutdownWithExitCodeZero) {
  for (int how = 0; how < 8; ++how) {
    const bool quiz = how % 2;
    const int way = how / 2;
    SCOPED_TRACE(how);
    ProgramRun r(quiz, way == 2 ? 3 : 0);
    ASSERT_EQ(r.app.StartUp("C:/somewhere"), -1);
    ASSERT_NE(r.backend.audio(), nullptr);
    EXPECT_EQ(r.backend.windowConfig().topmostOnSmallDesktop, !quiz);
    int16_t samples[64];
    r.backend.audio()->pull(samples, 32);
    bool ended = false;
    if (way == 0) {
      r.frames(5, &ended);
      EXPECT_FALSE(ended);
      EXPECT_GT(r.program.screen->updates, 0);
      r.backend.pressKey(kEscape, platform::VK_ESCAPE);
    }
    if (way == 1) r.backend.close();
    if (way == 3) std::raise(SIGTERM);
    EXPECT_EQ(r.frames(10, &ended), 0);
    EXPECT_TRUE(ended);
    if (way == 2) {
      EXPECT_EQ(r.program.screen->updates, 3);
    }
    EXPECT_EQ(Tail(r.app.Trace(), kShutdownOrder.size()), kShutdownOrder);
    EXPECT_TRUE(r.program.gameReleased);
    EXPECT_GE(r.program.screen->releases, 1);
    EXPECT_FALSE(r.backend.windowOpen());
    EXPECT_EQ(r.backend.audio(), nullptr);
    EXPECT_EQ(r.app.LauncherDirectory(), quiz ? "C:/somewhere" : "");
    platform::ClearTerminationRequest();
  }
}

TEST(Application, StartUpFailures) {
  {
    // No video is a failure, whatever the old message box says.
    ProgramRun r(true);
    r.backend.failVideo("no display");
    EXPECT_EQ(r.app.StartUp(""), 1);
    ASSERT_EQ(r.backend.messageBoxes().size(), 1u);
    EXPECT_EQ(r.backend.messageBoxes()[0].text,
              "DirectX not installed. Program needs DirectX 7.0a or higher to run");
  }
  {
    ProgramRun r(true);
    r.backend.failNextWindow("no window");
    EXPECT_EQ(r.app.StartUp(""), 1);
    EXPECT_TRUE(r.backend.messageBoxes().empty());
  }
}

TEST(Application, InactiveWindowIsNotUpdatedAndF1TogglesTheReadOut) {
  ProgramRun r(false);
  ASSERT_EQ(r.app.StartUp(""), -1);
  r.frames(2);
  r.backend.activate(false);
  r.frames(1);
  const int updates = r.program.screen->updates;
  r.frames(5);
  EXPECT_EQ(r.program.screen->updates, updates);
  r.backend.activate(true);
  r.frames(2);
  EXPECT_GT(r.program.screen->updates, updates);

  EXPECT_EQ(r.app.FpsShown(), 0);
  r.backend.pressKey(59, platform::VK_F1);
  r.frames(1);
  EXPECT_EQ(r.app.FpsShown(), 1);
}

TEST(Application, QuizPacesAtOneHundredFramesASecond) {
  ProgramRun r(true);
  ASSERT_EQ(r.app.StartUp(""), -1);
  r.frames(3);
  const uint32_t t0 = r.app.Clock().Ticks();
  const int u0 = r.program.screen->updates;
  r.frames(100);
  EXPECT_EQ(r.program.screen->updates - u0, 100);
  EXPECT_EQ(r.app.Clock().Ticks() - t0, 1000u);
}

TEST(Application, APressMadeJustBeforeTheFocusLeavesIsNotHeldWhenItComesBack) {
  // Polled into the cursor already, or still latched for the next poll.
  for (bool polled : {true, false}) {
    ProgramRun r(false);
    ASSERT_EQ(r.app.StartUp(""), -1);
    r.frames(1);
    r.backend.mouseDown(10, 10);
    if (polled) r.frames(1);
    r.backend.activate(false);
    r.backend.mouseMove(5, 6);  // unseen while inactive
    r.frames(2);
    r.backend.activate(true);
    r.frames(2);
    int x = 0, buttons = -1;
    r.app.Mouse().GetState(&x, nullptr, &buttons);
    EXPECT_EQ(std::pair(x, buttons), std::pair(10, 0)) << polled;
  }
}

// Only a sole "--help" or "--version" ends the program before it starts; a
// folder that the launcher passes (even one named like an option) starts it.
TEST(Application, InfoOptionsAreAnsweredOnlyAlone) {
  char program[] = "Verimoo", help[] = "--help", version[] = "--version", dir[] = "/games", my[] = "/home/ann/My",
       games[] = "Games";
  const struct {
    std::vector<char*> argv;
    int code;
  } cases[] = {{{program, help}, 0}, {{program, version}, 0}, {{program, help, dir}, -1},
               {{program, dir, version}, -1}, {{program, dir}, -1}, {{program}, -1}};
  std::FILE* out = std::tmpfile();
  ASSERT_NE(out, nullptr);
  for (const auto& c : cases) {
    auto argv = c.argv;
    EXPECT_EQ(shell::AnswerInfoRequest(int(argv.size()), argv.data(), "Verimoo", "usage\n", out), c.code);
  }
  std::fclose(out);
  // What starts the program reaches it as the arguments joined by spaces.
  char* argv[] = {program, my, games};
  EXPECT_EQ(shell::CommandLineFrom(3, argv), "/home/ann/My Games");
  EXPECT_EQ(shell::CommandLineFrom(1, argv), "");
}

}  // namespace
