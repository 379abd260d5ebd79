// The launcher-facing pictures of the quiz: its title screen backdrop and
// the tile that stands for the game in the catalogue.
#include <cmath>

#include "quiz_art.h"

namespace art::quiz {
namespace {

// The fields where the launcher writes the eight player names.
constexpr Rect kNamePlates[8] = {{239, 378, 150, 30}, {408, 378, 150, 30}, {238, 420, 150, 30},
                                 {408, 420, 150, 30}, {238, 464, 150, 30}, {408, 464, 150, 30},
                                 {238, 510, 150, 30}, {408, 510, 150, 30}};
constexpr Colour kPlate = Hex(0x6E4126);

void Logo(cairo_t* cr, double cx, double baseline, double size) {
  TextStyle style = HeadingStyle(size);
  style.fill = palette::kSun;
  style.outline = Hex(0x5A2A0C);
  style.shadow = WithAlpha(palette::kInk, 0.35);
  DrawText(cr, "Verimoo", cx, baseline, style, Align::kCentre);
  // A white gloss across the upper half of the letters.
  cairo_save(cr);
  SelectFont(cr, size, true);
  cairo_text_extents_t ext;
  cairo_text_extents(cr, "Verimoo", &ext);
  cairo_move_to(cr, cx - ext.x_advance / 2, baseline);
  cairo_text_path(cr, "Verimoo");
  cairo_clip(cr);
  cairo_rectangle(cr, cx - ext.x_advance / 2 - 4, baseline - size, ext.x_advance + 8, size * 0.42);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
  cairo_fill(cr);
  cairo_restore(cr);
}

void Pill(cairo_t* cr, double x, double y, double w, double h, Colour base, const char* label, double size) {
  PaintGlossyButton(cr, x, y, w, h, h / 2, base, ButtonState::kNormal);
  TextStyle style;
  style.size = size;
  style.fill = Hex(0xFFFFFF);
  style.outline = Darker(base, 0.6);
  style.outline_width = std::max(2.0, size * 0.16);
  style.shadow_dy = 0;
  DrawTextInBox(cr, label, x + 4, y + 1, w - 8, h - h * 0.1 - 2, style);
}

void TitleScreen(cairo_t* cr) {
  PastureLayout layout;
  layout.horizon = 62;
  layout.sun_x = 420;
  layout.sun_y = 56;
  layout.patch_x = 596;
  layout.patch_y = 290;
  layout.patch_w = 170;
  PaintPasture(cr, 800, 600, layout);

  // The bull, large, on the right.
  cairo_save(cr);
  cairo_translate(cr, 596 - 207 * 1.05, 292 - 222 * 1.05);
  cairo_scale(cr, 1.05, 1.05);
  PaintBull(cr, 4);
  cairo_restore(cr);

  // Logo and tag line on the left.
  Logo(cr, 222, 142, 80);
  Pill(cr, 62, 170, 118, 40, tone::kTrue, "TRUE", 20);
  Pill(cr, 192, 170, 60, 40, tone::kPass, "or", 18);
  Pill(cr, 264, 170, 118, 40, tone::kFalse, "FALSE", 20);

  // The name board: a wooden board with eight recessed plates.
  const double bx = 222, by = 364, bw = 352, bh = 190;
  PaintSoftShadow(cr, bx, by, bw, bh, 16, 10, 0.5);
  PaintWoodPanel(cr, bx, by, bw, bh, 16, 57);
  for (const Rect& r : kNamePlates) {
    PaintWell(cr, r.x, r.y, r.w, r.h, 8, kPlate);
  }
}

void GameTile(cairo_t* cr) {
  cairo_save(cr);
  cairo_scale(cr, 250.0 / 560.0, 250.0 / 560.0);
  PastureLayout layout;
  layout.horizon = -40;
  layout.sun_x = 260;
  layout.sun_y = 36;
  layout.patch_x = 410;
  layout.patch_y = 206;
  layout.patch_w = 150;
  PaintPasture(cr, 560, 224, layout);
  cairo_translate(cr, 420 - 207 * 0.74, 208 - 222 * 0.74);
  cairo_scale(cr, 0.74, 0.74);
  PaintBull(cr, 4);
  cairo_restore(cr);
  Logo(cr, 80, 46, 30);
  Pill(cr, 14, 58, 62, 26, tone::kTrue, "TRUE", 13);
  Pill(cr, 82, 58, 66, 26, tone::kFalse, "FALSE", 13);
}

}  // namespace

bool WriteTitleArt(const std::string& dir) {
  return SaveOpaquePicture(JoinPath(dir, "title/titlebackground.bmp"), 800, 600, TitleScreen);
}

bool WriteGameTile(const std::string& dir) {
  return SaveOpaquePicture(JoinPath(dir, "PavloraButton.bmp"), 250, 100, GameTile);
}

}  // namespace art::quiz
