#include "platform/sdl/sdl_backend.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/sdl/scancodes.h"
#include "platform/sdl/sdl_audio.h"

namespace platform {

namespace {

// Up to about two seconds for a named display to answer.
constexpr int kVideoAttempts = 8;
constexpr Uint32 kVideoRetryMs = 250;

}  // namespace

SdlBackend::SdlBackend() : timer_(MakeThreadTimer()) {}

SdlBackend::~SdlBackend() {
  closeWindow();
  for (auto& [id, pad] : pads_) SDL_GameControllerClose(pad);
  pads_.clear();
  if (padsStarted_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  if (videoStarted_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  SDL_Quit();
}

bool SdlBackend::startVideo(std::string& error) {
  if (videoStarted_) return true;
  // A display that is named but refuses the first connection (a busy
  // machine, the program that started this one still closing) is given a
  // few more tries before the program gives up on it.
  const bool named = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
  for (int attempt = 0;; ++attempt) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      error = SDL_GetError();
      return false;
    }
    // With no display SDL falls back to a driver that shows nothing, and the
    // program would run on unseen; only a user who names such a driver gets it.
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool invisible = driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
    const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    if (!invisible || (asked && *asked)) break;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    if (!named || attempt == kVideoAttempts - 1) {
      error = "no display to open a window on: DISPLAY and WAYLAND_DISPLAY are unset or name none that answers";
      return false;
    }
    std::fprintf(stderr, "video: the display did not answer; trying again\n");
    SDL_Delay(kVideoRetryMs);
  }
  videoStarted_ = true;
  // The window's own surface is used where the frame shows 1:1; SDL would
  // otherwise back it with a GL texture, the very cost it is meant to save.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // Controllers are welcome but not needed: without them the programs
  // play with the keyboard and the mouse. Those already plugged in arrive
  // as device-added events.
  padsStarted_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
  if (!padsStarted_) std::fprintf(stderr, "controllers: %s\n", SDL_GetError());
  return true;
}

bool SdlBackend::openWindow(const WindowConfig& config, std::string& error) {
  if (!startVideo(error)) return false;
  logicalWidth_ = config.width;
  logicalHeight_ = config.height;

  SDL_DisplayMode desktop{};
  const bool haveDesktop = SDL_GetDesktopDisplayMode(0, &desktop) == 0;
  if (haveDesktop && desktop.refresh_rate > 0) refreshMs_ = uint32_t(1000 / desktop.refresh_rate);

  Uint32 flags = SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
  if (config.fullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  if (!config.fullscreen && config.topmostOnSmallDesktop && haveDesktop && desktop.w == 800 &&
      desktop.h == 600)
    flags |= SDL_WINDOW_ALWAYS_ON_TOP;

  window_ = SDL_CreateWindow(config.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                             logicalWidth_, logicalHeight_, flags);
  if (!window_) {
    error = SDL_GetError();
    return false;
  }
  sharpScale_ = config.sharpScale;
  if (!createRenderer(error)) {
    closeWindow();
    return false;
  }
  choosePath();
  int mx = 0, my = 0;
  SDL_GetMouseState(&mx, &my);
  setPointer(mx, my);
  return true;
}

bool SdlBackend::createRenderer(std::string& error) {
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, sharpScale_ ? "nearest" : "linear");
  renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_PRESENTVSYNC);
  if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, 0);  // e.g. the dummy driver
  if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  if (!renderer_) {
    error = SDL_GetError();
    return false;
  }
  // The frame keeps its aspect, letterboxed, and pointer events arrive in
  // logical coordinates.
  SDL_RenderSetLogicalSize(renderer_, logicalWidth_, logicalHeight_);
  fitScale();
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING,
                               logicalWidth_, logicalHeight_);
  if (!texture_) {
    error = SDL_GetError();
    destroyRenderer();
    return false;
  }
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  SDL_RenderPresent(renderer_);
  return true;
}

void SdlBackend::destroyRenderer() {
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  texture_ = nullptr;
  renderer_ = nullptr;
}

void SdlBackend::choosePath() {
  if (!window_) return;
  int w = 0, h = 0;
  SDL_GetWindowSizeInPixels(window_, &w, &h);
  const bool fullscreen = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
  const bool oneToOne = !fullscreen && w == logicalWidth_ && h == logicalHeight_;
  mustShow_ = true;
  if (oneToOne && !direct_) {
    // Without the renderer a still window costs nothing to show, and a
    // changed rectangle is a copy, not a new picture of the whole window.
    destroyRenderer();
    direct_ = SDL_GetWindowSurface(window_) != nullptr;
    if (!direct_) std::fprintf(stderr, "window surface: %s\n", SDL_GetError());
  } else if (!oneToOne && direct_) {
    direct_ = false;
  }
  if (!direct_ && !renderer_) {
    std::string error;
    if (!createRenderer(error)) std::fprintf(stderr, "renderer: %s\n", error.c_str());
  }
}

void SdlBackend::closeWindow() {
  destroyRenderer();
  if (window_) SDL_DestroyWindow(window_);
  window_ = nullptr;
  direct_ = false;
}

void SdlBackend::setTitle(const std::string& title) {
  if (window_) SDL_SetWindowTitle(window_, title.c_str());
}

void SdlBackend::setFullscreen(bool on) {
  if (!window_) return;
  if (SDL_SetWindowFullscreen(window_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0)
    std::fprintf(stderr, "full screen: %s\n", SDL_GetError());
  choosePath();
}

void SdlBackend::fitScale() {
  if (!renderer_) return;
  int w = 0, h = 0;
  SDL_GetRendererOutputSize(renderer_, &w, &h);
  const bool whole = sharpScale_ && w >= logicalWidth_ && h >= logicalHeight_;
  SDL_RenderSetIntegerScale(renderer_, whole ? SDL_TRUE : SDL_FALSE);
}

void SdlBackend::present(const Surface& frame, const std::vector<Rect>& changed) {
  if (!window_ || (!direct_ && (!renderer_ || !texture_)) || frame.format() != PixelFormat::Rgb565)
    return;
  // What a skipped frame changed is still owed to the window.
  owed_.insert(owed_.end(), changed.begin(), changed.end());
  if (owed_.size() > kMaxOwed) {
    owed_.clear();
    mustShow_ = true;
  }
  // The display shows at most one frame per refresh; a faster frame loop
  // (the quiz runs at 100 per second) must not wait for the screen.
  const uint32_t now = SDL_GetTicks();
  if (lastPresent_ != 0 && now - lastPresent_ + 2 < refreshMs_) return;
  lastPresent_ = now;  // paces waitForNextRefresh whether or not anything is shown
  // Nothing new: the screen keeps what it shows and costs nothing.
  if (owed_.empty() && !mustShow_) return;
  if (mustShow_) owed_.assign(1, Rect{0, 0, frame.width(), frame.height()});
  if (direct_)
    presentOnSurface(frame);
  else
    presentThroughRenderer(frame);
  owed_.clear();
  mustShow_ = false;
}

void SdlBackend::presentOnSurface(const Surface& frame) {
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (!surface || surface->w < frame.width() || surface->h < frame.height()) {
    mustShow_ = true;
    return;
  }
  if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
  std::vector<SDL_Rect> areas;
  areas.reserve(owed_.size());
  const int bytes = surface->format->BytesPerPixel;
  for (const Rect& r : owed_) {
    SDL_ConvertPixels(r.width(), r.height(), SDL_PIXELFORMAT_RGB565,
                      frame.bits() + size_t(r.top) * size_t(frame.pitch()) + size_t(r.left) * 2,
                      frame.pitch(), surface->format->format,
                      static_cast<uint8_t*>(surface->pixels) + size_t(r.top) * size_t(surface->pitch) +
                          size_t(r.left) * size_t(bytes),
                      surface->pitch);
    areas.push_back({r.left, r.top, r.width(), r.height()});
  }
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  SDL_UpdateWindowSurfaceRects(window_, areas.data(), int(areas.size()));
}

void SdlBackend::presentThroughRenderer(const Surface& frame) {
  for (const Rect& r : owed_) {
    const SDL_Rect area{r.left, r.top, r.width(), r.height()};
    SDL_UpdateTexture(texture_, &area,
                      frame.bits() + size_t(r.top) * size_t(frame.pitch()) + size_t(r.left) * 2,
                      frame.pitch());
  }
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  SDL_RenderPresent(renderer_);
}

void SdlBackend::waitForEvents(int timeoutMs) { SDL_WaitEventTimeout(nullptr, timeoutMs); }

void SdlBackend::waitForNextRefresh() {
  const uint32_t since = SDL_GetTicks() - lastPresent_;
  if (since < refreshMs_) SDL_WaitEventTimeout(nullptr, int(refreshMs_ - since));
}

bool SdlBackend::pointerPosition(int& x, int& y) const {
  x = pointerX_.load();
  y = pointerY_.load();
  return true;
}

void SdlBackend::setPointer(int x, int y) {
  pointerX_ = x;
  pointerY_ = y;
}

void SdlBackend::messageBox(const std::string& text, const std::string& caption) {
  // Always said on standard error too: there may be no display to show it.
  std::fprintf(stderr, "%s%s%s\n", caption.c_str(), caption.empty() ? "" : ": ", text.c_str());
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), text.c_str(), window_);
}

std::unique_ptr<AudioOutput> SdlBackend::openAudio(AudioSource& source, const AudioFormat& wanted) {
  return OpenSdlAudio(source, wanted);
}

void SdlBackend::translatePending(MessageQueue& queue) {
  SDL_Event e;
  while (SDL_PollEvent(&e)) translate(e, queue);
}

void SdlBackend::postActivation(MessageQueue& queue, bool active) {
  if (active == active_) return;
  active_ = active;
  if (!active) buttons_.releaseAll();
  queue.post({WM_ACTIVATEAPP, active ? 1u : 0u, 0});
  queue.post({WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, 0});
}

void SdlBackend::translate(const SDL_Event& e, MessageQueue& queue) {
  switch (e.type) {
    case SDL_QUIT:
      queue.post({WM_CLOSE, 0, 0});
      break;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
      mustShow_ = true;  // the texture's pixels may be gone
      break;
    case SDL_WINDOWEVENT:
      switch (e.window.event) {
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_FOCUS_GAINED:
          postActivation(queue, true);
          break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
        case SDL_WINDOWEVENT_HIDDEN:
          postActivation(queue, false);
          break;
        case SDL_WINDOWEVENT_MINIMIZED:
          queue.post({WM_SIZE, SIZE_MINIMIZED, 0});
          postActivation(queue, false);
          break;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
          choosePath();
          fitScale();
          // The logical screen always fills the client area (scaled), so
          // every size is reported as a restored 800 x 600 view.
          queue.post({WM_SIZE, SIZE_RESTORED, MakeLParam(logicalWidth_, logicalHeight_)});
          if (e.window.event == SDL_WINDOWEVENT_RESTORED &&
              (SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS))
            postActivation(queue, true);
          break;
        case SDL_WINDOWEVENT_EXPOSED:
          mustShow_ = true;  // the window system lost what was shown
          break;
        case SDL_WINDOWEVENT_MOVED:
          queue.post({WM_MOVE, 0, MakeLParam(e.window.data1, e.window.data2)});
          break;
        case SDL_WINDOWEVENT_CLOSE:
          queue.post({WM_CLOSE, 0, 0});
          break;
        default:
          break;
      }
      break;
    case SDL_MOUSEMOTION:
      setPointer(e.motion.x, e.motion.y);
      queue.post({WM_MOUSEMOVE, buttons_.current(), MakeLParam(e.motion.x, e.motion.y)});
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const bool down = e.type == SDL_MOUSEBUTTONDOWN;
      const bool left = e.button.button == SDL_BUTTON_LEFT;
      if (!left && e.button.button != SDL_BUTTON_RIGHT) break;
      const uint32_t bit = left ? 1 : 2;
      // The poll sees the press even when the release follows at once (a tap).
      if (down) buttons_.press(bit); else buttons_.release(bit);
      setPointer(e.button.x, e.button.y);
      const uint32_t message = left ? (down ? WM_LBUTTONDOWN : WM_LBUTTONUP)
                                    : (down ? WM_RBUTTONDOWN : WM_RBUTTONUP);
      queue.post({message, buttons_.current(), MakeLParam(e.button.x, e.button.y)});
      break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const bool down = e.type == SDL_KEYDOWN;
      const int scan = sdl::ScanCodeFromSdl(e.key.keysym.scancode);
      const uint32_t vk = sdl::VirtualKeyFromSdl(e.key.keysym.scancode);
      const bool alt = (e.key.keysym.mod & KMOD_ALT) != 0 || vk == VK_MENU || vk == VK_F10;
      uint32_t message = down ? WM_KEYDOWN : WM_KEYUP;
      if (alt) message = down ? WM_SYSKEYDOWN : WM_SYSKEYUP;
      int64_t lParam = MakeLParam(1, scan & 0x7F);
      if (scan & 0x80) lParam |= int64_t(1) << 24;  // extended key
      if (e.key.repeat) lParam |= int64_t(1) << 30;
      if (!down) lParam |= int64_t(3) << 30;
      Message m{message, vk, lParam};
      m.scanCode = scan ? scan : -1;
      m.keyDown = down;
      queue.post(m);
      break;
    }
    default:
      translatePad(e, queue);
      break;
  }
}

void SdlBackend::translatePad(const SDL_Event& e, MessageQueue& queue) {
  const auto post = [&queue](const Message& m) { queue.post(m); };
  switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED:
      if (SDL_GameController* pad = SDL_GameControllerOpen(e.cdevice.which)) {
        const int id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad));
        if (!pads_.emplace(id, pad).second) SDL_GameControllerClose(pad);
      }
      break;
    case SDL_CONTROLLERDEVICEREMOVED: {
      // Whatever it held is let go, so no direction stays pressed.
      padTracker_.removed(e.cdevice.which, post);
      const auto it = pads_.find(e.cdevice.which);
      if (it != pads_.end()) {
        SDL_GameControllerClose(it->second);
        pads_.erase(it);
      }
      break;
    }
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
      PadButton button = kPadButtonCount;
      switch (e.cbutton.button) {
        case SDL_CONTROLLER_BUTTON_A: button = kPadA; break;
        case SDL_CONTROLLER_BUTTON_B: button = kPadB; break;
        case SDL_CONTROLLER_BUTTON_X: button = kPadX; break;
        case SDL_CONTROLLER_BUTTON_Y: button = kPadY; break;
        case SDL_CONTROLLER_BUTTON_BACK: button = kPadBack; break;
        case SDL_CONTROLLER_BUTTON_START: button = kPadStart; break;
        case SDL_CONTROLLER_BUTTON_DPAD_UP: button = kPadUp; break;
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN: button = kPadDown; break;
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT: button = kPadLeft; break;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: button = kPadRight; break;
        case SDL_CONTROLLER_BUTTON_LEFTSHOULDER: button = kPadLeftShoulder; break;
        case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER: button = kPadRightShoulder; break;
        default: break;
      }
      padTracker_.button(e.cbutton.which, button, e.type == SDL_CONTROLLERBUTTONDOWN, post);
      break;
    }
    case SDL_CONTROLLERAXISMOTION:
      if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX)
        padTracker_.axis(e.caxis.which, PadTracker::kStickX, e.caxis.value, post);
      else if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY)
        padTracker_.axis(e.caxis.which, PadTracker::kStickY, e.caxis.value, post);
      break;
    default:
      break;
  }
}

}  // namespace platform
