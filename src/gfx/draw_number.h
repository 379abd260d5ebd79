// A whole number drawn with a sprite whose ten frames are the digits 0 to 9
// (scores, page numbers), right-aligned.
#pragma once
#include <cstdint>
#include <optional>

namespace gfx {

class Sprite;

// Where a number must stay: the part of the screen wiped before it is drawn.
struct NumberBox {
  int left, width;
};

// Draws value onto the redraw target, its last digit ending at rightEdge.
// A number that would start left of box closes its digits up to fit the
// whole box instead, its last digit ending at the box's right edge.
void DrawNumberRightAligned(Sprite& digits, int64_t value, int rightEdge, int y,
                            std::optional<NumberBox> box = std::nullopt);

}  // namespace gfx
