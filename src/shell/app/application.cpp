#include "shell/app/application.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "gfx/screen.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/termination.h"
#include "sound/sound_bank.h"

namespace shell {

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kSoundSlots = 200;
constexpr int kFrameRate = 100;

constexpr const char* kSetupFile = ".\\setup.ini";

constexpr const char* kNeedsHighColour = "Intermo Games needs the display set to High Color (16 bit).";
constexpr const char* kNoVideo = "DirectX not installed. Program needs DirectX 7.0a or higher to run";

}  // namespace

std::string CommandLineFrom(int argc, char** argv) {
  std::string text;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) text += ' ';
    text += argv[i];
  }
  return text;
}

int AnswerInfoRequest(int argc, char** argv, const char* name, const char* usage, std::FILE* out) {
  if (argc != 2) return -1;
  const std::string_view option = argv[1];
  if (option == "--help")
    std::fputs(usage, out);
  else if (option == "--version")
    std::fprintf(out, "%s %s\n", name, PAV_VERSION);
  else
    return -1;
  return 0;
}

Application::Application(platform::Backend& backend, platform::ProgramLauncher& launcher,
                         Program& program)
    : backend_(backend),
      launcher_(launcher),
      program_(program),
      traits_(program.Traits()),
      qv_(backend, queue_, keyboard_),
      mouse_(qv_),
      timers_(backend.timer(), mouse_),
      pump_(queue_, qv_, keys_),
      title_(backend, traits_.title),
      ctx_{qv_, timers_, mouse_, pump_, redraw_, sprites_, kWidth, kHeight},
      sound_(backend) {
  queue_.setSource(&backend_);
  queue_.setWindowProc([this](uint32_t m, uint64_t w, int64_t l) { return WindowProc(m, w, l); });
}

Application::~Application() {
  // A run cut short (a test, an exception) still shuts down in order.
  if (windowExists_) DestroyWindow();
}

int Application::Run(const std::string& commandLine) {
  const int early = StartUp(commandLine);
  if (early >= 0) return early;
  int exitCode = 0;
  while (RunFrame(exitCode)) {
  }
  return exitCode;
}

int Application::StartUp(const std::string& commandLine) {
  // The logical display is always 16 bits; a back end that offered
  // anything else could not show the art.
  const int depth = backend_.displayBitsPerPixel();
  if (depth != 15 && depth != 16) {
    backend_.messageBox(kNeedsHighColour, "");
    return 0;
  }
  std::string error;
  if (!backend_.startVideo(error)) {
    // A program that cannot show itself has failed, so the exit code says so.
    std::fprintf(stderr, "video: %s\n", error.c_str());
    backend_.messageBox(kNoVideo, "");
    return 1;
  }
  trace_.push_back("video");

  fullscreen_ = std::atoi(platform::GetProfileString("setup", "fullscreen", "0", kSetupFile, 256).c_str());
  startDirectory_ = platform::CurrentDirectory();

  platform::WindowConfig config;
  config.title = traits_.title;
  config.fullscreen = fullscreen_ != 0;
  config.sharpScale = platform::GetProfileString("setup", "scale", "smooth", kSetupFile, 16) == "sharp";
    config.topmostOnSmallDesktop = traits_.topmostOnSmallDesktop;
  config.width = kWidth;
  config.height = kHeight;
  if (!backend_.openWindow(config, error)) {
    std::fprintf(stderr, "window: %s\n", error.c_str());
    return 1;
  }
  windowExists_ = true;
  trace_.push_back("window");

  qv_.DebugEnable(0);
  const int ready = config.fullscreen ? qv_.InitDirectX(kWidth, kHeight, 16) : qv_.InitDirectX(kWidth, kHeight);
  if (!ready) {
    if (!config.fullscreen) qv_.PrintError();
    backend_.closeWindow();
    windowExists_ = false;
    return 1;
  }
  qv_.SetViewport(0, 0, kWidth, kHeight);
  platform::Surface* front = nullptr;
  platform::Surface* drawing = nullptr;
  qv_.GetDDInfo(&front, &drawing);
  drawing->fill(0);
  qv_.InitMouse();

  timers_.StartTimer();
  trace_.push_back("timer");
  sound_.Init(kSoundSlots);
  trace_.push_back("sound");
  if (traits_.quiz) StartMusic();

  int px = 0, py = 0;
  if (backend_.pointerPosition(px, py)) mouse_.SetPosition(px, py);
  qv_.AcquireMouse(1);
  qv_.InitFont();

  screens_.SetDisplay(qv_.GetLPDD(), drawing);
  if (traits_.quiz) launcherDirectory_ = commandLine.substr(0, kMaxLauncherDirectory);
  program_.Start(*this, commandLine);
  trace_.push_back("screens");
  qv_.InitKeyboard();
  platform::InstallTerminationHandlers();
  return -1;
}

void Application::StartMusic() {
  const std::string music = platform::GetProfileString("setup", "music", "Y", "..\\options.ini", 2);
  const std::string sfx = platform::GetProfileString("setup", "SFX", "Y", "..\\options.ini", 2);
  const bool musicOn = !music.empty() && music[0] == 'Y';
  sound_.Bank().EnableMusic(musicOn ? 1 : 0);
  sound_.Bank().EnableSFX((!sfx.empty() && sfx[0] == 'Y') ? 1 : 0);
  if (musicOn) sound_.StartMusic(".\\sounds\\music.wav");
}

bool Application::RunFrame(int& exitCode) {
  if (shutDown_ && !windowExists_ && queue_.empty()) {
    exitCode = 0;
    return false;
  }
  if (pump_.RunOnce()) {
    exitCode = 0;
    return false;
  }
  if (!windowExists_) return true;
  if (active_ == 1) {
    qv_.AcquireMouse(1);
    if (traits_.quiz) timers_.PaceFrame(kFrameRate);
    if (fpsShown_) ShowFrameRate(traits_.quiz ? timers_.FrameRate() : qv_.GetFPS());
    if (screens_.Update(active_) == gfx::kEndProgram) {
      DestroyWindow();
      exitCode = 0;
      return false;
    }
    // The launcher does not pace itself; waiting for the display (or the
    // next input) keeps it from burning a core.
    if (!traits_.quiz) backend_.waitForNextRefresh();
  } else {
    qv_.AcquireMouse(0);
    backend_.waitForEvents(50);
  }
  return true;
}

void Application::ShowFrameRate(float rate) {
  char text[32];
  std::snprintf(text, sizeof text, "%5.2f", double(rate));
  const platform::Rect drawn = qv_.PrintString(text, 580, 0);
  // Printed straight onto the page: the board is copied back over it after
  // the flip, so the read-out leaves no trace once F1 turns it off.
  redraw_.QueueBox(drawn.left, drawn.top, drawn.right, drawn.bottom);
}

void Application::DestroyWindow() {
  if (!windowExists_) return;
  queue_.send(platform::WM_DESTROY);
  backend_.closeWindow();
  windowExists_ = false;
}

int64_t Application::WindowProc(uint32_t message, uint64_t wParam, int64_t lParam) {
  using namespace platform;
  // A destroyed window gets nothing more.
  if (shutDown_) return 0;
  screens_.HandleMessage(message, wParam, lParam);
  switch (message) {
    case WM_ACTIVATEAPP:
      active_ = wParam != 0 ? 1 : 0;
      break;
    case WM_ACTIVATE:
      if (LoWord(wParam) == WA_INACTIVE) {
        qv_.AcquireMouse(0);
        mouse_.DropButtons();
        active_ = 0;
      } else if (LoWord(wParam) == WA_ACTIVE) {
        qv_.AcquireMouse(1);
        active_ = 1;
      }
      break;
    case WM_MOVE:
      if (windowExists_) qv_.SetWindowXY(XFromLParam(lParam), YFromLParam(lParam));
      break;
    case WM_SIZE:
      if (wParam == SIZE_MAXIMIZED) {
        const int w = int(LoWord(uint64_t(lParam))), h = int(HiWord(uint64_t(lParam)));
        qv_.SetWindowXY(w / 2 - 399, h / 2 - 300);
        mouseOffsetX_ = w / 2 - 399;
        mouseOffsetY_ = h / 2 - 300;
      } else if (wParam == SIZE_RESTORED) {
        mouseOffsetX_ = mouseOffsetY_ = 0;
      }
      break;
    case WM_MOUSEMOVE:
      if (active_ == 1)
        mouse_.SetPosition(XFromLParam(lParam) - mouseOffsetX_, YFromLParam(lParam) - mouseOffsetY_);
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      // A held key does not flip the screen back and forth.
      if (!IsKeyRepeat(lParam) &&
          (wParam == VK_F11 || (message == WM_SYSKEYDOWN && wParam == VK_RETURN)))
        ToggleFullscreen();
      break;
    case WM_KEYUP:
      if (wParam == VK_ESCAPE) queue_.post({WM_CLOSE, 0, 0});
      else if (wParam == VK_F1) fpsShown_ = 1 - fpsShown_;
      break;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_KEYMENU) return 0;
      break;
    case WM_CLOSE:
      DestroyWindow();
      break;
    case WM_DESTROY:
      Shutdown();
      break;
    default:
      break;
  }
  return 0;
}

void Application::ToggleFullscreen() {
  if (!windowExists_) return;
  fullscreen_ = fullscreen_ ? 0 : 1;
  backend_.setFullscreen(fullscreen_ != 0);
  // The launcher's title screen works in a game's directory; the choice
  // belongs to the program's own setup.ini all the same.
  const std::string here = platform::CurrentDirectory();
  std::string path = kSetupFile;
  if (here != startDirectory_) {
    const size_t cut = here.find_last_of(platform::kPathSeparator);
    path = cut != std::string::npos && here.substr(0, cut) == startDirectory_
               ? "..\\setup.ini"
               : startDirectory_ + platform::kPathSeparator + "setup.ini";
  }
  if (!platform::WriteProfileString("setup", "fullscreen", fullscreen_ ? "1" : "0", path))
    std::fprintf(stderr, "could not write the full-screen choice to %s\n", path.c_str());
}

void Application::Shutdown() {
  if (shutDown_) return;
  timers_.StopTimer();
  trace_.push_back("stop timer");
  screens_.ReleaseAll();
  trace_.push_back("release screens");
  mouse_.Release();
  trace_.push_back("release mouse");
  program_.ReleaseGameState();
  trace_.push_back("release game");
  qv_.AcquireMouse(0);
  qv_.FreeFont();
  qv_.FreeDirectInput();
  qv_.FreeDirectX();
  trace_.push_back("free library");
  sound_.Shutdown();
  trace_.push_back("shut down sound");
  active_ = 0;
  shutDown_ = true;
  queue_.postQuit(0);
}

}  // namespace shell
