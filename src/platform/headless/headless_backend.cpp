#include "platform/headless/headless_backend.h"

#include <cstdio>

#include "platform/headless/pulled_audio.h"

namespace platform {

HeadlessBackend::HeadlessBackend() = default;
HeadlessBackend::~HeadlessBackend() = default;

bool HeadlessBackend::startVideo(std::string& error) {
  if (failVideo_.empty()) return true;
  error = failVideo_;
  return false;
}

bool HeadlessBackend::openWindow(const WindowConfig& config, std::string& error) {
  if (!failWindow_.empty()) {
    error = failWindow_;
    failWindow_.clear();
    return false;
  }
  config_ = config;
  title_ = config.title;
  open_ = true;
  // A real window is activated as soon as it is shown.
  activate(true);
  return true;
}

void HeadlessBackend::present(const Surface& frame, const std::vector<Rect>& changed) {
  if (!frame_ || frame_->width() != frame.width() || frame_->height() != frame.height()) {
    frame_ = std::make_unique<Surface>(frame.width(), frame.height(), frame.format());
    frame_->blt(nullptr, &frame, nullptr, 0);
  } else {
    for (const Rect& r : changed) frame_->blt(&r, &frame, &r, 0);
  }
  ++presented_;
}

void HeadlessBackend::waitForEvents(int timeoutMs) {
  // Nothing arrives on its own here: time passes instead.
  if (pending_.empty() && timeoutMs > 0) timer_.advance(unsigned(timeoutMs));
}

bool HeadlessBackend::pointerPosition(int& x, int& y) const {
  x = pointerX_.load();
  y = pointerY_.load();
  return true;
}

void HeadlessBackend::messageBox(const std::string& text, const std::string& caption) {
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  boxes_.push_back({text, caption});
}

std::unique_ptr<AudioOutput> HeadlessBackend::openAudio(AudioSource& source,
                                                        const AudioFormat& wanted) {
  // The device the test pulls from is forgotten when the program closes it.
  class Device : public PulledAudioOutput {
   public:
    Device(AudioSource& source, AudioFormat format, PulledAudioOutput*& registered)
        : PulledAudioOutput(source, format), registered_(registered) {
      registered_ = this;
    }
    ~Device() override {
      if (registered_ == this) registered_ = nullptr;
    }

   private:
    PulledAudioOutput*& registered_;
  };
  return std::make_unique<Device>(source, wanted, audio_);
}

void HeadlessBackend::translatePending(MessageQueue& queue) {
  std::vector<Message> batch;
  batch.swap(pending_);
  for (const Message& m : batch) {
    // The button state the timer polls follows the events as they are taken.
    switch (m.message) {
      case WM_LBUTTONDOWN: buttons_.press(1); break;
      case WM_LBUTTONUP: buttons_.release(1); break;
      case WM_RBUTTONDOWN: buttons_.press(2); break;
      case WM_RBUTTONUP: buttons_.release(2); break;
      default: break;
    }
    if (m.message >= WM_MOUSEMOVE && m.message <= WM_RBUTTONUP) {
      pointerX_ = XFromLParam(m.lParam);
      pointerY_ = YFromLParam(m.lParam);
    }
    queue.post(m);
  }
}

void HeadlessBackend::mouseMove(int x, int y) {
  post({WM_MOUSEMOVE, buttons_.current(), MakeLParam(x, y)});
}

void HeadlessBackend::mouseDown(int x, int y, bool right) {
  mouseMove(x, y);
  post({right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, MakeLParam(x, y)});
}

void HeadlessBackend::mouseUp(int x, int y, bool right) {
  mouseMove(x, y);
  post({right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, MakeLParam(x, y)});
}

void HeadlessBackend::tap(int x, int y) {
  mouseDown(x, y);
  mouseUp(x, y);
}

void HeadlessBackend::keyDown(int scanCode, uint32_t virtualKey, bool repeat) {
  Message m{WM_KEYDOWN, virtualKey, MakeLParam(1, scanCode & 0x7F) | (int64_t(repeat) << 30)};
  m.scanCode = scanCode;
  m.keyDown = true;
  post(m);
}

void HeadlessBackend::keyUp(int scanCode, uint32_t virtualKey) {
  Message m{WM_KEYUP, virtualKey, MakeLParam(1, scanCode & 0x7F) | (int64_t(3) << 30)};
  m.scanCode = scanCode;
  m.keyDown = false;
  post(m);
}

void HeadlessBackend::padButton(int pad, PadButton button, bool down) {
  pads_.button(pad, button, down, [this](const Message& m) { post(m); });
}

void HeadlessBackend::padStick(int pad, PadTracker::Axis axis, int value) {
  pads_.axis(pad, axis, value, [this](const Message& m) { post(m); });
}

void HeadlessBackend::unplugPad(int pad) {
  pads_.removed(pad, [this](const Message& m) { post(m); });
}

void HeadlessBackend::close() { post({WM_CLOSE, 0, 0}); }

void HeadlessBackend::activate(bool active) {
  post({WM_ACTIVATEAPP, active ? 1u : 0u, 0});
  post({WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, 0});
}

}  // namespace platform
