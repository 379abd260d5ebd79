// The composed picture of the current screen (the target), a clean copy of
// its background, and for each of the two display pages a list of
// rectangles to copy from the target onto the back buffer after a flip, so
// that what sprites and buttons drew on a page is wiped on that page's next
// turn and changes to the picture reach the screen.
#pragma once
#include <vector>

namespace platform { class Surface; }

namespace gfx {

class ScreenImage;

class RedrawQueue {
 public:
  static constexpr int kOneShot = 0x0001;
  static constexpr int kRestore = 0x1000;

  struct Entry {
    int x = 0, y = 0, width = 0, height = 0;
    int flags = kOneShot | kRestore;
    // Identities only: compared with the current target, never drawn from.
    const platform::Surface* target = nullptr;
    const platform::Surface* background = nullptr;
  };

  // Drops every one-shot entry of both pages, then takes the new target.
  void SetTarget(platform::Surface* surface);
  platform::Surface* GetTarget() const { return target_; }
  // A modal loop's own target while it runs: SaveTarget sets it and keeps
  // the one before, RestoreTarget gives that back (none when it was
  // forgotten meanwhile, as a shutdown inside the loop frees it).
  void SaveTarget(platform::Surface* surface);
  void RestoreTarget();
  void SetBackground(platform::Surface* surface) { background_ = surface; }
  // A surface about to be freed stops being the target or the background
  // (the target then becomes none, which drops the one-shot entries).
  void Forget(const platform::Surface* surface);
  platform::Surface* GetBackground() const { return background_; }

  // Copies the whole background onto the target and queues the whole target.
  void RestoreAll();
  // Copies the rectangle from the background onto the target and queues it.
  void RestoreRect(int x, int y, int width, int height);
  void RestoreImageRect(const ScreenImage* image);
  // Shows the image's window (its x, y, width, height) of a screen-sized
  // layer: copies that rectangle of the image's surface (when it has one)
  // onto the target and queues it.
  void ShowImageRect(const ScreenImage* image);
  // Queue only: the caller has drawn the rectangle itself.
  void QueueRect(int x, int y, int width, int height);
  void QueueBox(int left, int top, int right, int bottom);

  void NextPage() { page_ = 1 - page_; }
  // Copies the current page's entries recorded against the current target
  // from the target onto the back buffer; one-shot entries are dropped
  // whether or not they were copied.
  void Replay(platform::Surface* backBuffer);

  int Page() const { return page_; }
  const std::vector<Entry>& Entries(int page) const { return lists_[page == 0 ? 0 : 1]; }

 private:
  int page_ = 0;
  std::vector<Entry> lists_[2];
  platform::Surface* target_ = nullptr;
  platform::Surface* background_ = nullptr;
  std::vector<platform::Surface*> saved_;
};

}  // namespace gfx
