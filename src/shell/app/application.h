// One program's run: start-up checks, the window, the services, the frame
// loop, the window procedure and the shutdown order. Both programs use it;
// what differs between them is a Program.
#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "gfx/context.h"
#include "gfx/redraw_queue.h"
#include "gfx/sprite_list.h"
#include "platform/backend.h"
#include "platform/messages.h"
#include "platform/qv.h"
#include "platform/system.h"
#include "shell/app/screen_manager.h"
#include "shell/app/sound_system.h"
#include "shell/services/key_queue.h"
#include "shell/services/message_pump.h"
#include "shell/services/mouse_cursor.h"
#include "shell/services/timers.h"
#include "shell/services/window_title.h"

namespace shell {

class Application;

struct ProgramTraits {
  std::string title;                   // the window title
  bool quiz = false;                   // start-up music, 100 frames a second, launcher directory
  bool topmostOnSmallDesktop = false;  // windowed on an 800 x 600 desktop
};

// What one program adds to the shared run.
class Program {
 public:
  virtual ~Program() = default;
  virtual ProgramTraits Traits() const = 0;
  // Makes and registers the screens in order, then switches to the first.
  virtual void Start(Application& app, const std::string& commandLine) = 0;
  // The game's own state, released after the screens at shutdown.
  virtual void ReleaseGameState() {}
};

// The parameter text a program was started with: its arguments joined by
// single spaces (a starter passes it as one argument; a shell may split it).
std::string CommandLineFrom(int argc, char** argv);

// "--help" or "--version" as the only argument prints the usage text or
// "<name> <version>" to out and gives the exit code 0; any other command
// line (the ones the programs pass each other included) gives -1 and the
// program starts as usual.
int AnswerInfoRequest(int argc, char** argv, const char* name, const char* usage, std::FILE* out);

class Application {
 public:
  static constexpr size_t kMaxLauncherDirectory = 255;

  Application(platform::Backend& backend, platform::ProgramLauncher& launcher, Program& program);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Start-up and the frame loop; the process exit code.
  int Run(const std::string& commandLine);
  // The same in pieces, for tests: StartUp gives -1 when the loop may run,
  // else the exit code; RunFrame is one pass and false once the program ended.
  int StartUp(const std::string& commandLine);
  bool RunFrame(int& exitCode);

  int64_t WindowProc(uint32_t message, uint64_t wParam, int64_t lParam);

  gfx::Context& Context() { return ctx_; }
  ScreenManager& Screens() { return screens_; }
  SoundSystem& Sound() { return sound_; }
  platform::Qv& Qv() { return qv_; }
  platform::MessageQueue& Queue() { return queue_; }
  Timers& Clock() { return timers_; }
  KeyQueue& Keys() { return keys_; }
  WindowTitle& Title() { return title_; }
  platform::ProgramLauncher& Launcher() { return launcher_; }
  MouseCursor& Mouse() { return mouse_; }
  const std::string& LauncherDirectory() const { return launcherDirectory_; }
  int FpsShown() const { return fpsShown_; }
  // Each start-up and shutdown step as it ran, in order (for tests and diagnostics).
  const std::vector<std::string>& Trace() const { return trace_; }

 private:
  void DestroyWindow();
  void Shutdown();
  void StartMusic();
  // The F1 read-out for this frame.
  void ShowFrameRate(float rate);
  // F11 and Alt+Return: window or full screen, remembered in setup.ini.
  void ToggleFullscreen();

  platform::Backend& backend_;
  platform::ProgramLauncher& launcher_;
  Program& program_;
  ProgramTraits traits_;

  platform::KeyboardSnapshot keyboard_;
  platform::MessageQueue queue_{keyboard_};
  platform::Qv qv_;
  MouseCursor mouse_;
  Timers timers_;
  KeyQueue keys_;
  MessagePump pump_;
  WindowTitle title_;
  gfx::RedrawQueue redraw_;
  gfx::SpriteList sprites_;
  gfx::Context ctx_;
  ScreenManager screens_;
  SoundSystem sound_;

  int fullscreen_ = 0;
  int active_ = 0;
  int fpsShown_ = 0;
  int mouseOffsetX_ = 0, mouseOffsetY_ = 0;
  bool windowExists_ = false;
  bool shutDown_ = false;
  std::string launcherDirectory_;
  std::string startDirectory_;  // where the program's own setup.ini lies
  std::vector<std::string> trace_;
};

}  // namespace shell
