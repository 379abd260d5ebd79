// The library's own small text printer (the FPS read-out): a fixed 5 x 7
// pixel font drawn with a one-pixel shadow so it reads on any picture.
#pragma once
#include <cstdint>

namespace platform {

class Surface;

// Rows a line of text covers, its shadow included.
inline constexpr int kPrintedLineHeight = 8;

// Draws text with its top-left at (x, y), clipped to the surface; returns
// the x after the last character.
int PrintText(Surface& target, const char* text, int x, int y, uint16_t colour, uint16_t shadow);

}  // namespace platform
