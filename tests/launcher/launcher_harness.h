// Whole-launcher runs on the headless back end in a scratch launcher
// directory: links to the generated art, and game directories the test makes.
#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "launcher/pavlora_program.h"
#include "platform/headless/headless_backend.h"
#include "platform/profile.h"
#include "platform/system.h"
#include "shell/app/application.h"
#include "support/scratch_dir.h"

namespace launcher_test {

struct Rgb {
  int r = 0, g = 0, b = 0;
};

// A solid 24-bit picture of the size of a catalogue slot (or any other).
void WriteSolidBmp(const std::string& path, Rgb colour, int width = 250, int height = 100);

// A launcher directory of its own, made the working directory for the
// test's lifetime; the previous working directory comes back afterwards.
class LauncherTree {
 public:
  LauncherTree();
  ~LauncherTree();
  LauncherTree(const LauncherTree&) = delete;
  LauncherTree& operator=(const LauncherTree&) = delete;

  struct GameOptions {
    Rgb colour{200, 40, 40};
    bool program = true;                        // an (empty) program file named after the directory
    std::string picture = "PavloraButton.bmp";  // spelling of the tile's file name
  };
  // A game directory with its tile and the title pictures; its path.
  std::string AddGame(const std::string& name, const GameOptions& options);
  std::string AddGame(const std::string& name) { return AddGame(name, GameOptions{}); }
  // A directory whose files nobody may change.
  void MakeReadOnly(const std::string& name);

  const std::string& Root() const { return root_; }
  // A file of the tree by its name inside it.
  void Write(const std::string& name, const std::string& bytes) const { scratch_.write(name, bytes); }
  std::string Read(const std::string& name) const { return scratch_.read(name); }
  std::string Path(const std::string& name) const { return root_ + "/" + name; }

 private:
  std::filesystem::path previous_;
  test_support::ScratchDir scratch_;  // removed after the working directory is restored
  std::string root_;
  std::vector<std::string> readOnly_;
};

// The backend of a scripted run: each pass of a loop (the frame loop's or
// a pop-up's) takes the next step of the script. Pop-up loops do
// not wait for the display, so their passes move the clock on here.
class ScriptedBackend : public platform::HeadlessBackend {
 public:
  static constexpr int kStuckPasses = 3000;

  void translatePending(platform::MessageQueue& queue) override;

  std::deque<std::function<void()>> script;
  int passesInFrame = 0;
  bool frameStarting = false;
  bool stuck = false;

 private:
  int lastPresented_ = -1;
};

struct LauncherRun {
  ScriptedBackend backend;
  platform::RecordingLauncher launcher;
  launcher::PavloraProgram program;
  shell::Application app{backend, launcher, program};
  bool ended = false;
  int exitCode = -1;

  // StartUp with the command line; true when the loop may run.
  bool Start(const std::string& commandLine = "");
  void Frames(int count);
  // Runs until the script is used up, then a few frames more.
  void Play(int settle = 4);

  // Script steps.
  void Wait(int passes);
  void Click(int x, int y);
  // A key by scan code, with Shift held when asked.
  void Key(int scanCode, bool shift = false);
  // Letters, digits, space and a few marks of the US layout.
  void Type(const std::string& text);

  std::string CurrentScreen() const;
  const platform::Surface& Frame() const { return *backend.lastFrame(); }
  uint16_t PixelAt(int x, int y) const { return Frame().pixel16(x, y); }
};

// A launcher opened straight on the title screen of one game "Moo", with
// the options file the screens read and write.
class GameTitleTest : public ::testing::Test {
 protected:
  LauncherTree tree;
  std::string game = tree.AddGame("Moo");
  std::unique_ptr<LauncherRun> run;

  void Open() {
    run = std::make_unique<LauncherRun>();
    ASSERT_TRUE(run->Start("Moo"));
    run->Frames(4);
    ASSERT_EQ(run->CurrentScreen(), "title");
  }
  std::string Option(const std::string& section, const std::string& key) {
    return platform::GetProfileString(section, key, "<none>", tree.Path("options.ini"));
  }
  void SetOption(const std::string& section, const std::string& key, const std::string& value) {
    platform::WriteProfileString(section, key, value, tree.Path("options.ini"));
  }
};

// Scan codes.
inline constexpr int kScanBackspace = 14;
inline constexpr int kScanTab = 15;
inline constexpr int kScanEnter = 28;
inline constexpr int kScanUp = 0xC8, kScanPageUp = 0xC9, kScanLeft = 0xCB, kScanRight = 0xCD,
                     kScanDown = 0xD0, kScanPageDown = 0xD1, kScanF11 = 0x57;

}  // namespace launcher_test
