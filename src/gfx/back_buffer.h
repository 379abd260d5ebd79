// The page all drawing goes to until the next flip.
#pragma once
#include "gfx/context.h"
#include "platform/qv.h"

namespace gfx {

inline platform::Surface* BackBuffer(Context& ctx) {
  platform::Surface* front = nullptr;
  platform::Surface* back = nullptr;
  ctx.qv.GetDDInfo(&front, &back);
  return back;
}

}  // namespace gfx
