#include "gfx/focus_ring.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "gfx/back_buffer.h"
#include "gfx/button_group.h"
#include "gfx/context.h"
#include "gfx/redraw_queue.h"
#include "gfx/surface_utils.h"
#include "platform/messages.h"
#include "platform/qv.h"
#include "shell/services/message_pump.h"
#include "shell/services/presses.h"

namespace gfx {

FocusRing::FocusRing(Context& ctx, const std::string& framePath) : ctx_(ctx), framePath_(framePath) {}

FocusRing::~FocusRing() = default;

void FocusRing::SetTargets(std::vector<Target> targets) {
  const int keep = Focused();
  targets_ = std::move(targets);
  focused_ = targets_.empty() ? -1 : 0;
  Focus(keep);
}

std::vector<FocusRing::Target> FocusRing::ButtonTargets(const ButtonGroup& group,
                                                        const std::vector<std::string>& names) {
  std::vector<Target> targets;
  for (size_t i = 0; i < names.size(); ++i) {
    const Button* button = group.Find(names[i]);
    if (button && button->Enabled()) targets.push_back({int(i), button->DrawRect()});
  }
  return targets;
}

void FocusRing::Focus(int id) {
  for (size_t i = 0; i < targets_.size(); ++i)
    if (targets_[i].id == id) focused_ = int(i);
}

int FocusRing::Focused() const { return focused_ < 0 ? -1 : targets_[size_t(focused_)].id; }

FocusRing::Action FocusRing::Handle(const shell::Press& press) {
  using namespace shell::scan;
  int dx = 0, dy = 0, step = 0;
  if (press.Key(kLeft) || press.Pad(platform::kPadLeft)) dx = -1;
  else if (press.Key(kRight) || press.Pad(platform::kPadRight)) dx = 1;
  else if (press.Key(kUp) || press.Pad(platform::kPadUp)) dy = -1;
  else if (press.Key(kDown) || press.Pad(platform::kPadDown)) dy = 1;
  else if (tabMoves_ && press.Key(kTab)) step = press.shift ? -1 : 1;
  else if (!press.repeat && (press.Key(kReturn) || press.Key(kPadEnter) || press.Pad(platform::kPadA) ||
                             (spaceActivates_ && press.Key(kSpace))))
    return focused_ < 0 ? Action::kNone : Action::kActivate;
  else
    return Action::kNone;
  // The first press only shows where the focus is.
  if (!press.markShown) return Action::kMoved;
  if (step != 0) Step(step); else Move(dx, dy);
  return Action::kMoved;
}

void FocusRing::Step(int by) {
  if (targets_.empty()) return;
  const int n = int(targets_.size());
  focused_ = ((focused_ + by) % n + n) % n;
}

void FocusRing::Move(int dx, int dy) {
  if (focused_ < 0) return;
  const platform::Rect& from = targets_[size_t(focused_)].rect;
  const int fx = (from.left + from.right) / 2, fy = (from.top + from.bottom) / 2;
  int best = -1;
  long bestScore = LONG_MAX;
  for (size_t i = 0; i < targets_.size(); ++i) {
    const platform::Rect& to = targets_[i].rect;
    const int tx = (to.left + to.right) / 2, ty = (to.top + to.bottom) / 2;
    const long along = dx != 0 ? long(tx - fx) * dx : long(ty - fy) * dy;
    const long across = std::labs(dx != 0 ? long(ty - fy) : long(tx - fx));
    if (along <= 0) continue;
    // The nearest target that way, straight ahead before off to the side.
    const long score = along + 2 * across;
    if (score < bestScore) {
      bestScore = score;
      best = int(i);
    }
  }
  if (best >= 0) focused_ = best;
}

void FocusRing::Draw(const platform::Rect& clip, bool queue) {
  if (focused_ < 0 || !ctx_.pump.Presses().MarkShown()) return;
  if (!frameLoaded_) {
    frameLoaded_ = true;
    frame_ = ctx_.qv.LoadBitmap(framePath_);
    if (frame_) SurfaceUtils::SetColourKey(frame_.get(), 0, 0, 255);
  }
  platform::Surface* back = BackBuffer(ctx_);
  if (!frame_ || !back) return;
  const platform::Rect& r = targets_[size_t(focused_)].rect;
  platform::Rect box{std::max({r.left - kMargin, clip.left, 0}), std::max({r.top - kMargin, clip.top, 0}),
                     std::min({r.right + kMargin, clip.right, back->width()}),
                     std::min({r.bottom + kMargin, clip.bottom, back->height()})};
  const int c = frame_->width() / 3, s = frame_->width();
  if (box.width() < 2 * c || box.height() < 2 * c || frame_->height() != s) return;
  // Corners as they are, edges stretched between them.
  const int xs[] = {box.left, box.left + c, box.right - c, box.right};
  const int ys[] = {box.top, box.top + c, box.bottom - c, box.bottom};
  const int us[] = {0, c, s - c, s};
  for (int j = 0; j < 3; ++j)
    for (int i = 0; i < 3; ++i) {
      if (i == 1 && j == 1) continue;
      const platform::Rect to{xs[i], ys[j], xs[i + 1], ys[j + 1]};
      const platform::Rect from{us[i], us[j], us[i + 1], us[j + 1]};
      if (to.width() > 0 && to.height() > 0) back->blt(&to, frame_.get(), &from, platform::kBltKeySrc);
    }
  if (queue) ctx_.redraw.QueueRect(box.left, box.top, box.width(), box.height());
}

}  // namespace gfx
