#include "gfx/button.h"

#include <utility>

#include "gfx/back_buffer.h"
#include "gfx/context.h"
#include "gfx/redraw_queue.h"
#include "gfx/surface_utils.h"
#include "platform/messages.h"
#include "platform/qv.h"

namespace gfx {

Button::Button(Context& ctx) : ctx_(ctx) {}

Button::Button(Context& ctx, int x, int y) : ctx_(ctx), x_(x), y_(y), hitX_(x), hitY_(y) {}

Button::Button(Context& ctx, int x, int y, int width, int height)
    : ctx_(ctx),
      x_(x),
      y_(y),
      width_(width),
      height_(height),
      hitX_(x),
      hitY_(y),
      hitWidth_(width),
      hitHeight_(height) {}

Button::~Button() = default;

void Button::AddStateSurface(std::shared_ptr<platform::Surface> surface) {
  if (!surface) return;
  SurfaceUtils::SetColourKey(surface.get(), 0, 0, 255);
  width_ = hitWidth_ = surface->width();
  height_ = hitHeight_ = surface->height();
  images_.push_back(std::move(surface));
}

int Button::AddStateImage(const std::string& path) {
  std::unique_ptr<platform::Surface> surface = ctx_.qv.LoadBitmap(path, 16);
  if (!surface) return 0;
  AddStateSurface(std::move(surface));
  return 1;
}

int Button::LoadStateStrip(const std::string& path, int count, int vertical) {
  SurfaceUtils::SurfaceList frames;
  if (!SurfaceUtils::LoadStrip(ctx_.qv, path, count, vertical, frames) ||
      frames.size() != size_t(count))
    return 0;
  for (auto& frame : frames) AddStateSurface(std::move(frame));
  return 1;
}

bool Button::Inside(int x, int y, bool edgesIncluded) const {
  const int64_t left = int64_t(hitX_) + offsetX_, top = int64_t(hitY_) + offsetY_;
  const int64_t right = left + hitWidth_, bottom = top + hitHeight_;
  if (edgesIncluded) return left <= x && x <= right && top <= y && y <= bottom;
  return left <= x && x < right && top <= y && y < bottom;
}

int Button::OpaqueAt(int x, int y) const {
  const platform::Surface* first = Image(0);
  if (!first) return -1;
  const int pixel = SurfaceUtils::ReadPixel(first, x - (hitX_ + offsetX_), y - (hitY_ + offsetY_));
  if (pixel < 0) return -1;
  return pixel != SurfaceUtils::KeyValue(first, 0, 0, 255) ? 1 : 0;
}

void Button::ChangeState(int state) {
  SetState(state);
  DrawOrBackBuffer(nullptr);
}

int Button::HandleMouse(int x, int y, int buttonMask) {
  if (!enabled_) return state_;
  const bool inside = Inside(x, y, false);
  clicked_ = 0;
  clickKind_ = 0;
  if (buttonMask & 1) {
    if (!inside) {
      if (state_ != kNormal) ChangeState(kNormal);
    } else if (state_ != kPressed) {
      if (!pixelHit_ || OpaqueAt(x, y) == 1) ChangeState(kPressed);
    }
  } else if (!inside) {
    if (state_ != kNormal) ChangeState(kNormal);
  } else {
    const int opaque = pixelHit_ ? OpaqueAt(x, y) : 1;
    if (opaque == 0) {
      ChangeState(kNormal);
    } else if (opaque == 1) {
      if (state_ == kPressed) {
        clicked_ = 1;
        clickKind_ = 1;
      }
      if (state_ != kHover) ChangeState(kHover);
    }
  }
  return state_;
}

int Button::HandleMouseMessage(uint32_t message, uint64_t, int64_t lParam) {
  if (!enabled_) return state_;
  const int x = int(platform::LoWord(uint64_t(lParam)));
  const int y = int(platform::HiWord(uint64_t(lParam)));
  const bool inside = Inside(x, y, true);
  clicked_ = 0;
  clickKind_ = 0;
  switch (message) {
    case platform::WM_MOUSEMOVE:
      if (inside) {
        if (state_ != kHover && state_ != kPressed) ChangeState(kHover);
      } else if (state_ != kNormal) {
        ChangeState(kNormal);
      }
      break;
    case platform::WM_LBUTTONDOWN:
      if (inside) {
        if (state_ != kPressed) ChangeState(kPressed);
      } else if (state_ != kNormal) {
        ChangeState(kNormal);
      }
      break;
    case platform::WM_LBUTTONUP:
      if (inside) {
        clicked_ = 1;
        clickKind_ = 1;
        if (state_ != kHover) ChangeState(kHover);
      } else if (state_ != kNormal) {
        ChangeState(kNormal);
      }
      break;
    case platform::WM_RBUTTONUP:
      if (inside) {
        clicked_ = 1;
        clickKind_ = 2;
      }
      break;
    default:
      break;
  }
  return state_;
}

void Button::DrawOrBackBuffer(platform::Surface* surface) {
  Draw(surface ? surface : BackBuffer(ctx_));
}

void Button::SetImageOffset(int n) {
  imageOffset_ = n;
  Redraw();
}

platform::Rect Button::DrawRect() const {
  const int left = x_ + offsetX_, top = y_ + offsetY_;
  return {left, top, left + width_, top + height_};
}

void Button::Draw(platform::Surface* surface) {
  if (images_.empty()) return;
  int index = firstImageOnly_ ? 0 : state_ + imageOffset_;
  // An index past the list (or before it) shows the last picture.
  if (index < 0 || size_t(index) >= images_.size()) index = int(images_.size()) - 1;
  const platform::Rect to = DrawRect();
  const std::shared_ptr<platform::Surface>& image = images_[size_t(index)];
  // On the back buffer or the target an unchanged button is left alone;
  // on the back buffer one that is no longer drawn is wiped by the queue.
  RedrawQueue& queue = ctx_.redraw;
  const bool page = surface && surface == BackBuffer(ctx_);
  const bool tracked = page || (surface && surface == queue.GetTarget());
  const RedrawQueue::Drawing drawing{image};
  if (tracked && queue.Unchanged(surface, to, drawing)) return;
  if (queueRestore_ && !page) queue.QueueRect(to.left, to.top, to.width(), to.height());
  if (!surface) return;
  surface->blt(&to, image.get(), nullptr, platform::kBltKeySrc);
  if (tracked) queue.Drew(surface, to, drawing, to);
}

void Button::Redraw() {
  if (enabled_) Draw(BackBuffer(ctx_));
}

int Button::WasClicked() const { return clicked_; }

void Button::Trigger() {
  if (!enabled_) return;
  clicked_ = 1;
  clickKind_ = 1;
}

void Button::Reset() {
  SetState(kNormal);
  Redraw();
}

void Button::SetName(const std::string& name) { name_ = name.substr(0, kMaxName); }

void Button::SetOffset(int x, int y) {
  offsetX_ = x;
  offsetY_ = y;
}

void Button::SetEnabled(int flag) { enabled_ = flag; }

void Button::DrawOnBackground(int flag) {
  if (!flag) return;
  Draw(ctx_.redraw.GetBackground());
  Draw(ctx_.redraw.GetTarget());
}

void Button::SwapFirstTwoImages() {
  if (images_.size() >= 2) std::swap(images_[0], images_[1]);
  Redraw();
}

void Button::SetFirstImageOnly(int flag) { firstImageOnly_ = flag; }
void Button::SetState(int state) { state_ = state; }
int Button::GetState() const { return state_; }

void Button::SetHitRect(int x, int y, int width, int height) {
  hitX_ = x;
  hitY_ = y;
  hitWidth_ = width;
  hitHeight_ = height;
}

void Button::SetQueueRestore(int flag) { queueRestore_ = flag; }
void Button::SetPixelHit(int flag) { pixelHit_ = flag; }

}  // namespace gfx
