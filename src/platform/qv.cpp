#include "platform/qv.h"

#include <cstdio>
#include <cstring>
#include <vector>

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
  display_->back().trackChanges(true);
  showWhole_ = true;
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

namespace {

// Narrows r to the rows where the two pictures differ; false when none do.
bool NarrowToDifference(const Surface& a, const Surface& b, Rect& r) {
  const size_t bytes = size_t(r.width()) * size_t(a.bytesPerPixel());
  auto same = [&](int y) {
    const size_t at = size_t(r.left) * size_t(a.bytesPerPixel());
    return std::memcmp(a.bits() + size_t(y) * size_t(a.pitch()) + at,
                       b.bits() + size_t(y) * size_t(b.pitch()) + at, bytes) == 0;
  };
  while (r.top < r.bottom && same(r.top)) ++r.top;
  while (r.bottom > r.top && same(r.bottom - 1)) --r.bottom;
  return r.top < r.bottom;
}

}  // namespace

int Qv::Flip() {
  if (!display_) return 0;
  // The front page is what the display shows. Only what was drawn on the
  // back buffer since the last flip can differ from it, and of that only
  // what really differs is brought to the front page and handed on, so a
  // still frame (a cursor drawn over its own restore) shows nothing new.
  // The back buffer keeps its picture, as a windowed display's does, so
  // what the redraw queue brings to it after one flip is still there after
  // the next.
  const Surface& back = display_->back();
  Surface& front = display_->front();
  std::vector<Rect> changed = display_->back().takeChanges();
  if (showWhole_) {
    // A new display's first frame: the window may still show another.
    changed.assign(1, Rect{0, 0, back.width(), back.height()});
    showWhole_ = false;
  } else {
    std::erase_if(changed, [&](Rect& r) { return !NarrowToDifference(front, back, r); });
  }
  for (const Rect& r : changed) front.blt(&r, &back, &r, 0);
  backend_.present(back, changed);
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
