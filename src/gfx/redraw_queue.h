// The composed picture of the current screen (the target), a clean copy of
// its background, and for each of the two display pages a list of
// rectangles to copy from the target onto the back buffer after a flip, so
// that what sprites and buttons drew on a page is wiped on that page's next
// turn and changes to the picture reach the screen.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/surface.h"

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

  // A picture a widget puts on a surface: an image (held weakly, so that a
  // new image at a freed one's address is never taken for it), or a
  // caller's own drawing told apart by who and what.
  struct Drawing {
    std::weak_ptr<const platform::Surface> image;
    const void* who = nullptr;
    int64_t what = 0;
  };
  // Widgets leave an unchanged picture alone: true when the surface still
  // shows this drawing at this place with nothing written over it since;
  // it then counts as drawn again this frame and need not be drawn.
  // Otherwise, on a page, a different drawing in that place is wiped first.
  bool Unchanged(platform::Surface* surface, const platform::Rect& area, const Drawing& d);
  // Records a drawing just made over area. On a page (any surface but the
  // target) wipe is what to copy back from the target after the flip of
  // the first frame that does not make the drawing again; on the target
  // the drawing stays, as everything drawn there does.
  void Drew(platform::Surface* surface, const platform::Rect& area, Drawing d,
            const platform::Rect& wipe);

  void NextPage() { page_ = 1 - page_; }
  // Copies the current page's entries recorded against the current target
  // from the target onto the back buffer; one-shot entries are dropped
  // whether or not they were copied. Drawings on the back buffer that the
  // presenting screen did not make again in the frame just shown are wiped.
  void Replay(platform::Surface* backBuffer, const void* presenter = nullptr);

  int Page() const { return page_; }
  const std::vector<Entry>& Entries(int page) const { return lists_[page == 0 ? 0 : 1]; }

 private:
  int page_ = 0;
  std::vector<Entry> lists_[2];
  platform::Surface* target_ = nullptr;
  platform::Surface* background_ = nullptr;
  std::vector<platform::Surface*> saved_;

  struct Mark {
    const platform::Surface* surface;
    platform::Rect area, wipe;
    Drawing drawing;
    uint64_t serial;                    // the surface's write count just after the drawing
    const platform::Surface* target;    // the target it was drawn against
    const void* presenter = nullptr;    // the screen whose frames make it; none until its first present
    bool wanted = true;                 // made (or found still shown) this frame
  };
  // Copies the mark's wipe rectangle from the target back onto surface.
  void Wipe(const Mark& m, platform::Surface* surface);
  std::vector<Mark> marks_;
};

}  // namespace gfx
