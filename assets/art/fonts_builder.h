// Builds a one-row bitmap font: the 94 glyphs '!'..'~' side by side, each
// separated from the next by fully blue columns, with no fully blue column
// inside any glyph.
#pragma once
#include <string>

#include "art_common.h"

namespace art {

struct FontLook {
  int height = 20;
  std::string family = "DejaVu Sans";
  bool bold = true;
  Colour fill;
  // With an outline the glyphs read on any backdrop: the fill is smoothed
  // toward the outline, and the outline's outer edge is hard.
  Colour outline{0, 0, 0, 0};
  double outline_width = 0;
  // Without an outline the glyphs are smoothed toward this colour, the one
  // they will be drawn on.
  Colour backdrop = palette::kPaper;
  double max_size = 0;  // 0: the largest size whose glyphs fit the height
};

// The size chosen and the widest glyph, for the caller's own checks.
struct FontResult {
  bool saved = false;
  double size = 0;
  int widest = 0;
  int width = 0;
};

FontResult BuildBitmapFont(const std::string& path, const FontLook& look);

}  // namespace art
