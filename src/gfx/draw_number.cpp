#include "gfx/draw_number.h"

#include <algorithm>
#include <string>

#include "gfx/context.h"
#include "gfx/redraw_queue.h"
#include "gfx/sprite.h"

namespace gfx {

namespace {
constexpr int kDigits = 10;
}  // namespace

void DrawNumberRightAligned(Sprite& digits, int64_t value, int rightEdge, int y,
                            std::optional<NumberBox> box) {
  const std::string text = std::to_string(value);
  const int count = int(text.size());
  const int cell = digits.Width() / kDigits;
  int step = cell;
  int x = rightEdge - step * count;
  if (box && x < box->left && count > 1) {
    step = std::min(cell, (box->width - cell) / (count - 1));
    x = box->left + box->width - cell - step * (count - 1);
  }
  for (const char c : text) {
    if (c >= '0' && c <= '9') {
      digits.SetFrame(c - '0');
      digits.SetPosition(x, y);
      digits.DrawOnTarget();
    }
    x += step;
  }
}

}  // namespace gfx
