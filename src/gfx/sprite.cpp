#include "gfx/sprite.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "gfx/back_buffer.h"
#include "gfx/context.h"
#include "gfx/redraw_queue.h"
#include "gfx/surface_utils.h"
#include "platform/qv.h"
#include "shell/services/timers.h"

namespace gfx {

namespace {

// Truncation toward zero, kept inside the int range.
int TruncateToInt(float v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483520.0f) return std::numeric_limits<int>::max();
  if (v <= -2147483648.0f) return std::numeric_limits<int>::min();
  return int(v);
}

}  // namespace

Sprite::Sprite(Context& ctx) : ctx_(ctx) {}

Sprite::Sprite(const Sprite& other) : ctx_(other.ctx_) {
  for (const auto& frame : other.frames_) AddFrame(frame);
  x_ = other.x_;
  y_ = other.y_;
  width_ = other.width_;
  height_ = other.height_;
  currentFrame_ = other.currentFrame_;
  centred_ = other.centred_;
  vx_ = other.vx_;
  vy_ = other.vy_;
  frameTime_ = other.frameTime_;
  frameDelay_ = other.frameDelay_;
  rangeStart_ = other.rangeStart_;
  rangeEnd_ = other.rangeEnd_;
  restoreFirst_ = other.restoreFirst_;
  restoreAfter_ = other.restoreAfter_;
  wrap_ = other.wrap_;
  loopMode_ = other.loopMode_;
  playing_ = other.playing_;
  visible_ = other.visible_;
  name_ = other.name_;
  shared_ = 1;
}

Sprite::~Sprite() = default;

int Sprite::Now() const { return int(ctx_.timers.Ticks()); }

void Sprite::SetPosition(int x, int y) {
  x_ = float(x);
  y_ = float(y);
}

void Sprite::DrawOnTarget() { Draw(ctx_.redraw.GetTarget()); }

void Sprite::Draw(platform::Surface* target) {
  if (restoreFirst_)
    ctx_.redraw.RestoreRect(TruncateToInt(x_), TruncateToInt(y_), width_, height_);
  platform::Surface* frame = Frame(currentFrame_);
  if (!frame) return;
  float left = x_, top = y_;
  if (centred_) {
    left -= float(width_ / 2);
    top -= float(height_ / 2);
  }
  const int l = TruncateToInt(left), t = TruncateToInt(top);
  // On the back buffer or the target an unchanged sprite is left alone;
  // on the back buffer one that is no longer drawn is wiped by the queue.
  RedrawQueue& queue = ctx_.redraw;
  const bool page = target && target == BackBuffer(ctx_);
  const bool tracked = page || (target && target == queue.GetTarget());
  const platform::Rect area{l, t, l + frame->width(), t + frame->height()};
  const platform::Rect wipe = restoreAfter_ ? platform::Rect{l, t, l + width_, t + height_}
                                            : platform::Rect{};
  const RedrawQueue::Drawing drawing{frames_[size_t(currentFrame_)], nullptr, visible_};
  if (tracked && queue.Unchanged(target, area, drawing)) return;
  if (visible_) SurfaceUtils::DrawKeyed(frame, target, l, t);
  if (restoreAfter_ && !page) queue.QueueRect(l, t, width_, height_);
  if (tracked) queue.Drew(target, area, drawing, wipe);
}

void Sprite::Move() {
  x_ += vx_;
  y_ += vy_;
}

void Sprite::SetBounds(int left, int top, int right, int bottom) {
  bounds_ = {left, top, right, bottom};
}

void Sprite::SetFrame(int index) {
  if (index >= 0 && index < FrameCount()) currentFrame_ = index;
}

void Sprite::SetVisible(int flag) { visible_ = flag; }
void Sprite::SetFrameDelay(int milliseconds) { frameDelay_ = milliseconds; }

void Sprite::SetColourKey(int red, int green, int blue) {
  for (auto& frame : frames_) SurfaceUtils::SetColourKey(frame.get(), red, green, blue);
}

int Sprite::Tick() {
  const int now = Now();
  // Compared as a distance so that the clock's wrap does not stall it.
  if (int32_t(uint32_t(frameTime_) - uint32_t(now)) >= 0) return 0;
  if (currentFrame_ + 1 < FrameCount())
    ++currentFrame_;
  else if (wrap_)
    currentFrame_ = 0;
  frameTime_ = int(uint32_t(now) + uint32_t(frameDelay_));
  return 1;
}

void Sprite::SetFrameUnchecked(int index) { currentFrame_ = index; }

void Sprite::AppendFrames(std::vector<std::unique_ptr<platform::Surface>>& frames) {
  for (auto& frame : frames) frames_.push_back(std::shared_ptr<platform::Surface>(std::move(frame)));
}

int Sprite::LoadStrip(const std::string& path, int count, int vertical) {
  SurfaceUtils::SurfaceList frames;
  const std::unique_ptr<platform::Surface> strip =
      SurfaceUtils::LoadStrip(ctx_.qv, path, count, vertical, frames);
  if (!strip) return 0;
  AppendFrames(frames);
  width_ = strip->width();
  height_ = strip->height();
  rangeStart_ = 0;
  rangeEnd_ = FrameCount();
  return 1;
}

void Sprite::LoadFrames(const std::string& path, int frameWidth, int frameHeight) {
  SurfaceUtils::SurfaceList frames;
  SurfaceUtils::SplitFile(ctx_.qv, path, frames, frameWidth, frameHeight);
  AppendFrames(frames);
  width_ = frameWidth;
  height_ = frameHeight;
  rangeStart_ = 0;
  rangeEnd_ = FrameCount();
}

void Sprite::SetRange(int start, int end) {
  rangeStart_ = start;
  rangeEnd_ = end;
}

void Sprite::SetName(const std::string& name) { name_ = name.substr(0, kMaxName); }
void Sprite::SetPlaying(int flag) { playing_ = flag; }
void Sprite::SetLoopMode(int mode) { loopMode_ = mode; }
void Sprite::SetRestoreAfter(int flag) { restoreAfter_ = flag; }

void Sprite::Animate() {
  if (rangeStart_ == -1) return;
  const int now = Now();
  if (int32_t(uint32_t(now) - uint32_t(frameTime_)) <= frameDelay_) return;
  frameTime_ = now;
  if (playing_ == 1) {
    ++currentFrame_;
    SetFrame(currentFrame_);
  }
  if (currentFrame_ >= rangeEnd_) {
    switch (loopMode_) {
      case kLoop:
        currentFrame_ = 0;
        break;
      case kStop:
        playing_ = 0;
        currentFrame_ = rangeEnd_ - 1;
        break;
      case kOnce:
        playing_ = 0;
        currentFrame_ = -1;
        break;
      case kRewind:
        playing_ = 0;
        currentFrame_ = rangeStart_;
        break;
      default:
        break;
    }
  }
}

void Sprite::DivideWidthByFrames() {
  if (!frames_.empty()) width_ /= FrameCount();
}

void Sprite::AddFrame(std::shared_ptr<platform::Surface> surface) {
  if (!surface) return;
  SurfaceUtils::SetColourKey(surface.get(), 0, 0, 255);
  const int w = surface->width(), h = surface->height();
  SetBounds(0, 0, w, h);
  frames_.push_back(std::move(surface));
  rangeStart_ = 0;
  rangeEnd_ = FrameCount();
  width_ = w;
  height_ = h;
}

int Sprite::AddFrameFromFile(const std::string& path) {
  std::unique_ptr<platform::Surface> surface = ctx_.qv.LoadBitmap(path);
  if (surface)
    AddFrame(std::move(surface));
  else
    ctx_.qv.backend().messageBox(path, "ERROR: can't find file!");
  return 1;
}

}  // namespace gfx
