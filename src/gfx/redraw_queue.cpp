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

}  // namespace

void RedrawQueue::SetTarget(platform::Surface* surface) {
  DropOneShot(lists_[0]);
  DropOneShot(lists_[1]);
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

void RedrawQueue::Replay(platform::Surface* backBuffer) {
  std::vector<Entry>& list = lists_[page_];
  for (const Entry& e : list) {
    if (e.target == target_)
      SurfaceUtils::CopyRect(target_, e.x, e.y, e.width, e.height, backBuffer, e.x, e.y);
  }
  DropOneShot(list);
}

}  // namespace gfx
