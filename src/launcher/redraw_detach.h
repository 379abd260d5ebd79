// A screen that frees its pictures must not leave them behind as the
// redraw queue's target or background: the next screen keeps whatever the
// queue holds when its own background fails to load.
#pragma once
#include "gfx/redraw_queue.h"
#include "gfx/screen.h"

namespace launcher {

inline void DetachFromRedrawQueue(const gfx::Screen& screen, gfx::RedrawQueue& queue) {
  for (size_t i = 0; i < screen.ImageCount(); ++i) {
    const platform::Surface* surface = screen.ImageAt(i)->GetSurface();
    if (!surface) continue;
    if (queue.GetTarget() == surface) queue.SetTarget(nullptr);
    if (queue.GetBackground() == surface) queue.SetBackground(nullptr);
  }
}

}  // namespace launcher
