// Every bitmap font of both programs, and the two digit strips.
#include <cmath>

#include "art_common.h"
#include "canvas.h"
#include "fonts_builder.h"
#include "launcher_art.h"

namespace art {
namespace {

// Ten digit cells side by side, each digit centred in its cell.
bool DigitStrip(const std::string& path, int cell_w, int cell_h, double size, Colour fill, Colour outline) {
  Canvas canvas(cell_w * 10, cell_h);
  TextStyle style;
  style.size = size;
  style.bold = true;
  style.fill = fill;
  style.outline = outline;
  style.outline_width = 3;
  style.shadow = Colour{0, 0, 0, 0};
  for (int d = 0; d < 10; ++d) {
    const std::string digit(1, static_cast<char>('0' + d));
    cairo_save(canvas.cr());
    SelectFont(canvas.cr(), size, true);
    cairo_text_extents_t e;
    cairo_text_extents(canvas.cr(), digit.c_str(), &e);
    cairo_restore(canvas.cr());
    // Centre the ink (not the advance) in the cell, and the digit height too.
    const double left = d * cell_w + (cell_w - e.width) / 2 - e.x_bearing;
    const double baseline = (cell_h + e.height) / 2;
    DrawText(canvas.cr(), digit, left, std::round(baseline), style, Align::kLeft);
  }
  return canvas.SaveKeyed(path);
}

}  // namespace

bool DrawFonts(const std::string& launcher_dir, const std::string& game_dir) {
  bool ok = true;

  // Player names on the title screen's plates: light, with a dark rim so they
  // read on any plate colour.
  FontLook names;
  names.height = 20;
  names.family = "DejaVu Sans Condensed";
  names.bold = true;
  names.fill = Hex(0xFFFDF4);
  names.outline = palette::kInk;
  names.outline_width = 3;
  std::string path = JoinPath(launcher_dir, "n_font.bmp");
  ok = Reported(path, BuildBitmapFont(path, names).saved) && ok;

  // The selected player, and everything typed on the players screen.
  FontLook highlight = names;
  highlight.fill = Hex(0xFFD23F);
  highlight.outline = Hex(0x4A2308);
  path = JoinPath(launcher_dir, "h_font.bmp");
  ok = Reported(path, BuildBitmapFont(path, highlight).saved) && ok;

  // Hall-of-fame rows, smoothed toward the table's paper colour.
  FontLook hall;
  hall.height = 20;
  hall.family = "DejaVu Sans Condensed";
  hall.bold = true;
  hall.backdrop = palette::kPaper;
  hall.fill = Hex(0x1C1826);
  path = JoinPath(launcher_dir, "HallBlackFont.bmp");
  ok = Reported(path, BuildBitmapFont(path, hall).saved) && ok;
  hall.fill = palette::kPlum;
  path = JoinPath(launcher_dir, "HallPurpleFont.bmp");
  ok = Reported(path, BuildBitmapFont(path, hall).saved) && ok;

  // Question and explanation text on the quiz's light panel.
  FontLook question;
  question.height = 22;
  question.family = "DejaVu Sans";
  question.bold = false;
  question.backdrop = palette::kQuestionPanel;
  question.fill = palette::kInk;
  path = JoinPath(game_dir, "font.bmp");
  ok = Reported(path, BuildBitmapFont(path, question).saved) && ok;

  // Page number on the catalogue's control plate, score digits on the quiz's plates.
  path = JoinPath(launcher_dir, "PageNumbers.bmp");
  ok = Reported(path, DigitStrip(path, 16, 22, 22, Hex(0xFFFDF4), palette::kInk)) && ok;
  path = JoinPath(game_dir, "scorefont.bmp");
  ok = Reported(path, DigitStrip(path, 15, 22, 21, Hex(0xFFD23F), Hex(0x4A2308))) && ok;
  return ok;
}

}  // namespace art
