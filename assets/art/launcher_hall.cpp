// The hall-of-fame pop-up: a page with two ruled columns of ten rows, and its
// send-score and clear buttons.
#include <cmath>
#include <string>

#include "art_common.h"
#include "canvas.h"
#include "launcher_parts.h"

namespace art {
namespace {

constexpr int kPageW = 694, kPageH = 564;
// Table rows start at y 275 with a pitch of 26; the text is 20 high.
constexpr int kRowTop = 275, kRowPitch = 26, kRows = 10;
constexpr int kNameX[2] = {56, 387};
constexpr int kScoreX[2] = {256, 587};

void PaintTrophy(cairo_t* cr, double cx, double top) {
  cairo_save(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  const Colour rim = Hex(0x8A5A00);
  // Handles.
  for (int side = -1; side <= 1; side += 2) {
    cairo_new_path(cr);
    cairo_arc(cr, cx + side * 30, top + 24, 13, 0, 2 * M_PI);
    SetSource(cr, rim);
    cairo_set_line_width(cr, 8);
    cairo_stroke_preserve(cr);
    SetSource(cr, palette::kSun);
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
  }
  // Cup, stem and base.
  cairo_move_to(cr, cx - 32, top + 4);
  cairo_line_to(cr, cx + 32, top + 4);
  cairo_curve_to(cr, cx + 32, top + 46, cx + 14, top + 58, cx + 6, top + 62);
  cairo_line_to(cr, cx + 6, top + 76);
  cairo_line_to(cr, cx + 22, top + 84);
  cairo_line_to(cr, cx + 22, top + 94);
  cairo_line_to(cr, cx - 22, top + 94);
  cairo_line_to(cr, cx - 22, top + 84);
  cairo_line_to(cr, cx - 6, top + 76);
  cairo_line_to(cr, cx - 6, top + 62);
  cairo_curve_to(cr, cx - 14, top + 58, cx - 32, top + 46, cx - 32, top + 4);
  cairo_close_path(cr);
  cairo_pattern_t* gold = cairo_pattern_create_linear(cx - 32, 0, cx + 32, 0);
  cairo_pattern_add_color_stop_rgb(gold, 0.0, 0.95, 0.62, 0.10);
  cairo_pattern_add_color_stop_rgb(gold, 0.35, 1.00, 0.93, 0.55);
  cairo_pattern_add_color_stop_rgb(gold, 1.0, 0.88, 0.55, 0.05);
  cairo_set_source(cr, gold);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(gold);
  SetSource(cr, rim);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
  // A star on the cup.
  StarPath(cr, cx, top + 28, 11, 4.5);
  SetSource(cr, Colour{1, 1, 1, 0.9});
  cairo_fill(cr);
  cairo_restore(cr);
}

void PaintTable(cairo_t* cr) {
  // The rows themselves are plain paper: the table fonts are smoothed toward it.
  const double top = kRowTop - 8, bottom = kRowTop + kRows * kRowPitch + 2;
  for (int col = 0; col < 2; ++col) {
    const double x0 = col == 0 ? 22 : 352, x1 = col == 0 ? 347 : 672;
    RoundedRect(cr, x0, top, x1 - x0, bottom - top, 12);
    SetSource(cr, palette::kInk);
    cairo_set_line_width(cr, 2);
    cairo_stroke_preserve(cr);
    SetSource(cr, palette::kPaper);
    cairo_fill(cr);
    for (int r = 0; r < kRows; ++r) {
      const double y = kRowTop + r * kRowPitch;
      if (r > 0) {
        cairo_rectangle(cr, x0 + 8, y - 4, x1 - x0 - 16, 1);
        SetSource(cr, Hex(0xE2C58E));
        cairo_fill(cr);
      }
      TextStyle rank;
      rank.size = 12;
      rank.bold = true;
      rank.fill = Hex(0xA08A6A);
      const std::string number = std::to_string(col * kRows + r + 1) + ".";
      DrawText(cr, number, kNameX[col] - 4, y + 15, rank, Align::kRight);
    }
    // Between name and score.
    cairo_rectangle(cr, kScoreX[col] - 10, top + 6, 1, bottom - top - 12);
    SetSource(cr, Hex(0xE2C58E));
    cairo_fill(cr);
  }
}

bool DrawPage(const std::string& dir) {
  Canvas canvas(kPageW, kPageH);
  cairo_t* cr = canvas.cr();
  PaintPanel(cr, kPageW, kPageH, "Hall of Fame", 56);
  // Left of the buttons (x >= 552, y 88..260): the trophy and a line of text.
  PaintTrophy(cr, 120, 106);
  TextStyle lead;
  lead.size = 22;
  lead.bold = true;
  lead.fill = palette::kInk;
  DrawText(cr, "The best players", 196, 148, lead, Align::kLeft);
  TextStyle note;
  note.size = 15;
  note.bold = false;
  note.fill = Hex(0x4A3A5C);
  DrawText(cr, "of this game. Can you climb", 196, 176, note, Align::kLeft);
  DrawText(cr, "to the top of the table?", 196, 196, note, Align::kLeft);
  // The button column stays plain paper, with a soft bed under it.
  RoundedRect(cr, 544, 80, 138, 186, 16);
  SetSource(cr, WithAlpha(palette::kPlum, 0.10));
  cairo_fill(cr);
  PaintTable(cr);
  const std::string path = JoinPath(dir, "HallOfFameScreen.bmp");
  return Reported(path, canvas.SaveOpaque(path));
}

}  // namespace

bool DrawHallOfFamePopup(const std::string& dir) {
  bool ok = DrawPage(dir);
  ok = SaveLabelStrip(dir, "UploadButton.bmp", 130, 52, "Send score", palette::kTeal, 18) && ok;
  ok = SaveLabelStrip(dir, "ClearScores.bmp", 130, 52, "Clear scores", palette::kBerry, 18) && ok;
  return ok;
}

}  // namespace art
