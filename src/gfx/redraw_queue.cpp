#include "gfx/redraw_queue.h"

#include <algorithm>

#include "gfx/screen_image.h"
#include "gfx/surface_utils.h"
#include "platform/surface.h"

namespace gfx {

namespace {

void DropOneShot(std::vector<RedrawQueue::Entry>& list) {
  std::erase_if(list, [](const RedrawQueue::Entry& e) { return e.flags & RedrawQueue::kOneShot; });
}

bool Same(const RedrawQueue::Drawing& a, const RedrawQueue::Drawing& b) {
  const std::weak_ptr<const platform::Surface> none;
  const bool sameImage = !a.image.owner_before(b.image) && !b.image.owner_before(a.image);
  const bool hasImage = a.image.owner_before(none) || none.owner_before(a.image);
  return a.who == b.who && a.what == b.what && sameImage && !(hasImage && a.image.expired());
}

// Enough for every widget of a screen; beyond it the oldest are forgotten.
constexpr size_t kMaxMarks = 512;

}  // namespace

void RedrawQueue::SetTarget(platform::Surface* surface) {
  DropOneShot(lists_[0]);
  DropOneShot(lists_[1]);
  marks_.clear();
  target_ = surface;
}

void RedrawQueue::SaveTarget(platform::Surface* surface) {
  saved_.push_back(target_);
  SetTarget(surface);
}

void RedrawQueue::RestoreTarget() {
  if (saved_.empty()) return;
  platform::Surface* previous = saved_.back();
  saved_.pop_back();
  SetTarget(previous);
}

void RedrawQueue::Forget(const platform::Surface* surface) {
  if (!surface) return;
  if (target_ == surface) SetTarget(nullptr);
  if (background_ == surface) background_ = nullptr;
  std::erase_if(marks_, [&](const Mark& m) { return m.surface == surface || m.target == surface; });
  std::replace_if(saved_.begin(), saved_.end(), [&](const platform::Surface* s) { return s == surface; },
                  nullptr);
}

void RedrawQueue::RestoreAll() {
  if (!target_) return;
  SurfaceUtils::CopyRect(background_, 0, 0, target_->width(), target_->height(), target_, 0, 0);
  QueueRect(0, 0, target_->width(), target_->height());
}

void RedrawQueue::RestoreRect(int x, int y, int width, int height) {
  SurfaceUtils::CopyRect(background_, x, y, width, height, target_, x, y);
  QueueRect(x, y, width, height);
}

void RedrawQueue::RestoreImageRect(const ScreenImage* image) {
  if (!image) return;
  RestoreRect(image->X(), image->Y(), image->Width(), image->Height());
}

void RedrawQueue::ShowImageRect(const ScreenImage* image) {
  if (!image) return;
  SurfaceUtils::CopyRect(image->GetSurface(), image->X(), image->Y(), image->Width(),
                         image->Height(), target_, image->X(), image->Y());
  QueueRect(image->X(), image->Y(), image->Width(), image->Height());
}

void RedrawQueue::QueueRect(int x, int y, int width, int height) {
  lists_[page_].push_back(Entry{x, y, width, height, kOneShot | kRestore, target_, background_});
}

void RedrawQueue::QueueBox(int left, int top, int right, int bottom) {
  QueueRect(left, top, right - left, bottom - top);
}

void RedrawQueue::Replay(platform::Surface* backBuffer, const void* presenter) {
  std::vector<Entry>& list = lists_[page_];
  for (const Entry& e : list) {
    if (e.target == target_)
      SurfaceUtils::CopyRect(target_, e.x, e.y, e.width, e.height, backBuffer, e.x, e.y);
  }
  DropOneShot(list);
  // Only the screen that made a drawing can stop making it: a modal
  // picture's frames leave the drawings of the screen beneath alone.
  std::erase_if(marks_, [&](Mark& m) {
    if (!m.presenter) m.presenter = presenter;
    if (m.presenter != presenter) return false;
    if (m.wanted) {
      m.wanted = false;
      return false;
    }
    if (m.surface == backBuffer) Wipe(m, backBuffer);
    return true;
  });
}

bool RedrawQueue::Unchanged(platform::Surface* surface, const platform::Rect& area,
                            const Drawing& d) {
  if (!surface) return false;
  for (Mark& m : marks_) {
    if (m.surface != surface || m.area != area) continue;
    if (Same(m.drawing, d) && m.target == target_ && !surface->writtenSince(m.serial, area)) {
      m.serial = surface->writeCount();
      m.wanted = true;
      return true;
    }
    if (!Same(m.drawing, d)) Wipe(m, surface);
    return false;
  }
  return false;
}

void RedrawQueue::Drew(platform::Surface* surface, const platform::Rect& area, Drawing d,
                       const platform::Rect& wipe) {
  if (!surface) return;
  surface->keepWriteLog();
  std::erase_if(marks_, [&](const Mark& m) { return m.surface == surface && m.area == area; });
  if (marks_.size() >= kMaxMarks) marks_.erase(marks_.begin());
  marks_.push_back(Mark{surface, area, wipe, std::move(d), surface->writeCount(), target_});
}

void RedrawQueue::Wipe(const Mark& m, platform::Surface* surface) {
  if (m.surface == m.target || m.target != target_ || m.wipe.width() <= 0 || m.wipe.height() <= 0)
    return;
  SurfaceUtils::CopyRect(target_, m.wipe.left, m.wipe.top, m.wipe.width(), m.wipe.height(), surface,
                         m.wipe.left, m.wipe.top);
}

}  // namespace gfx
