#include "platform/qv.h"

#include <cstdio>

#include "platform/bitmap.h"
#include "platform/text_printer.h"

namespace platform {

Qv::Qv(Backend& backend, MessageQueue& queue, KeyboardSnapshot& keyboard)
    : backend_(backend), queue_(queue), keyboard_(keyboard) {}

Qv::~Qv() = default;

int Qv::InitDirectX(int width, int height, int bitsPerPixel) {
  if (bitsPerPixel != 15 && bitsPerPixel != 16) {
    lastError_ = "only 16-bit display modes are offered";
    return 0;
  }
  return InitDirectX(width, height);
}

int Qv::InitDirectX(int width, int height) {
  if (width <= 0 || height <= 0 || width > 8192 || height > 8192) {
    lastError_ = "display size out of range";
    return 0;
  }
  display_ = std::make_unique<Display>(width, height);
  display_->front().fill(0);
  display_->back().fill(0);
  fpsWindowStart_ = backend_.timer().tickCount();
  fpsFrames_ = 0;
  return 1;
}

void Qv::PrintError() {
  const std::string text = lastError_.empty() ? "The display could not be started." : lastError_;
  std::fprintf(stderr, "display error: %s\n", text.c_str());
  backend_.messageBox(text, "Display error");
}

void Qv::SetViewport(int, int, int, int) {}

void Qv::GetDDInfo(Surface** front, Surface** back) {
  if (front) *front = display_ ? &display_->front() : nullptr;
  if (back) *back = display_ ? &display_->back() : nullptr;
}

int Qv::Flip() {
  if (!display_) return 0;
  backend_.present(display_->back());
  // Shown by copying, as a windowed display is: the back buffer keeps its
  // picture, so what the redraw queue brings to it after one flip is still
  // there after the next. Exchanging the pages would leave every lasting
  // change on one page only, and the picture would flicker between the two.
  display_->front().blt(nullptr, &display_->back(), nullptr, 0);
  ++fpsFrames_;
  const uint32_t now = backend_.timer().tickCount();
  const uint32_t span = now - fpsWindowStart_;
  if (span >= 500) {
    fps_ = float(fpsFrames_) * 1000.0f / float(span);
    fpsFrames_ = 0;
    fpsWindowStart_ = now;
  }
  return 1;
}

std::unique_ptr<Surface> Qv::LoadBitmap(const std::string& path, int depth) {
  return LoadBitmapFile(path, depth);
}

void Qv::AcquireMouse(int acquire) {
  if (acquire) {
    mouseAcquired_.store(true);
  } else if (mouseAcquired_.exchange(false)) {
    backend_.mouseButtons().releaseAll();
  }
}

void Qv::GetMouseData(int* x, int* y, int* buttons) {
  int px = 0, py = 0;
  backend_.pointerPosition(px, py);
  if (x) *x = px;
  if (y) *y = py;
  if (buttons) {
    // Unacquired, the device reports nothing; the latch keeps a tap for later.
    *buttons = (mouseReady_ && mouseAcquired_.load()) ? int(backend_.mouseButtons().poll()) : 0;
  }
}

Rect Qv::PrintString(const char* text, int x, int y) {
  if (!display_ || !fontReady_) return {};
  const int end = PrintText(display_->back(), text, x, y, Rgb565(255, 255, 160), Rgb565(0, 0, 0));
  return {x, y, end, y + kPrintedLineHeight};
}

void Qv::FreeDirectX() { display_.reset(); }

}  // namespace platform
