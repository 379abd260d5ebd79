#include "shell/services/mouse_cursor.h"

#include "platform/qv.h"

namespace shell {

void MouseCursor::GetState(int* x, int* y, int* buttons) const {
  if (x) *x = x_;
  if (y) *y = y_;
  if (buttons) *buttons = int(buttons_.load() | pressed_.exchange(0));
}

void MouseCursor::Poll() {
  if (polling_.load() != 1) return;
  int bits = 0;
  qv_.GetMouseData(nullptr, nullptr, &bits);
  buttons_.store(uint32_t(bits));
  pressed_.fetch_or(uint32_t(bits));
}

}  // namespace shell
