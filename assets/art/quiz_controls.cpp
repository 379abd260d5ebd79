// The quiz's buttons (four on the bench, three answer discs), the truth
// stamps and the streak flower. Buttons are two-frame strips: normal, then
// highlighted, with one shared silhouette.
#include <cmath>

#include "quiz_art.h"

namespace art::quiz {
namespace {

constexpr int kButtonW = 90, kButtonH = 70;
constexpr int kDiscW = 120, kDiscH = 110;

void Icon(cairo_t* cr, Colour fill, double width) {
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetSource(cr, palette::kInk);
  cairo_set_line_width(cr, width + 3);
  cairo_stroke_preserve(cr);
  SetSource(cr, fill);
  cairo_fill(cr);
}

void StrokeIcon(cairo_t* cr, Colour colour, double width) {
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_path_t* path = cairo_copy_path(cr);
  SetSource(cr, palette::kInk);
  cairo_set_line_width(cr, width + 4);
  cairo_stroke(cr);
  cairo_append_path(cr, path);
  cairo_path_destroy(path);
  SetSource(cr, colour);
  cairo_set_line_width(cr, width);
  cairo_stroke(cr);
}

// Icons centred on (x, y), about 26 pixels across.
void ReplayIcon(cairo_t* cr, double x, double y) {
  // A nearly closed clockwise circle with its arrow head at the upper right.
  const double r = 10, a0 = 0.3 * M_PI, a1 = 1.62 * M_PI;
  cairo_new_path(cr);
  cairo_arc(cr, x, y, r, a0, a1);
  StrokeIcon(cr, Hex(0xFFFFFF), 4.5);
  const double ex = x + r * std::cos(a1), ey = y + r * std::sin(a1);
  const double tx = -std::sin(a1), ty = std::cos(a1);  // direction of travel
  const double nx = std::cos(a1), ny = std::sin(a1);   // outward
  cairo_move_to(cr, ex + tx * 10, ey + ty * 10);
  cairo_line_to(cr, ex - tx * 1 + nx * 6.5, ey - ty * 1 + ny * 6.5);
  cairo_line_to(cr, ex - tx * 1 - nx * 6.5, ey - ty * 1 - ny * 6.5);
  cairo_close_path(cr);
  Icon(cr, Hex(0xFFFFFF), 1.5);
}

void InfoIcon(cairo_t* cr, double x, double y) {
  cairo_new_path(cr);
  cairo_arc(cr, x, y, 12.5, 0, 2 * M_PI);
  Icon(cr, Hex(0xFFFFFF), 1.5);
  TextStyle style;
  style.size = 19;
  style.fill = Darker(palette::kTeal, 0.2);
  style.shadow_dy = 0;
  DrawText(cr, "?", x, y + 7, style, Align::kCentre);
}

void HouseIcon(cairo_t* cr, double x, double y) {
  cairo_new_path(cr);
  cairo_move_to(cr, x - 13, y - 1);
  cairo_line_to(cr, x, y - 13);
  cairo_line_to(cr, x + 13, y - 1);
  cairo_line_to(cr, x + 9, y - 1);
  cairo_line_to(cr, x + 9, y + 12);
  cairo_line_to(cr, x - 9, y + 12);
  cairo_line_to(cr, x - 9, y - 1);
  cairo_close_path(cr);
  Icon(cr, Hex(0xFFFFFF), 1.5);
  RoundedRect(cr, x - 3.5, y + 3, 7, 9, 1.5);
  SetSource(cr, palette::kOrange);
  cairo_fill(cr);
}

void DoorIcon(cairo_t* cr, double x, double y) {
  cairo_new_path(cr);
  RoundedRect(cr, x - 12, y - 12, 15, 25, 2);
  Icon(cr, Hex(0xFFFFFF), 1.5);
  cairo_arc(cr, x - 1, y + 1, 1.8, 0, 2 * M_PI);
  SetSource(cr, palette::kBerry);
  cairo_fill(cr);
  cairo_move_to(cr, x + 1, y);
  cairo_line_to(cr, x + 13, y);
  StrokeIcon(cr, Hex(0xFFFFFF), 3.5);
  cairo_move_to(cr, x + 9, y - 5);
  cairo_line_to(cr, x + 14, y);
  cairo_line_to(cr, x + 9, y + 5);
  StrokeIcon(cr, Hex(0xFFFFFF), 3.5);
}

void PaintBenchButton(cairo_t* cr, int frame, const char* label, Colour base,
                      void (*icon)(cairo_t*, double, double)) {
  const ButtonState state = StateOfFrame(frame);
  PaintGlossyButton(cr, 1, 1, kButtonW - 2, kButtonH - 2, 16, base, state);
  icon(cr, kButtonW / 2.0, 24);
  TextStyle style;
  style.size = 14;
  style.fill = Hex(0xFFFFFF);
  style.outline = Darker(base, 0.6);
  style.outline_width = 3;
  style.shadow = WithAlpha(Darker(base, 0.7), 0.5);
  style.shadow_dy = 1.5;
  DrawTextInBox(cr, label, 6, 41, kButtonW - 12, 16, style);
}

void CheckMark(cairo_t* cr, double x, double y, double s) {
  cairo_new_path(cr);
  cairo_move_to(cr, x - 10 * s, y);
  cairo_line_to(cr, x - 3 * s, y + 7 * s);
  cairo_line_to(cr, x + 11 * s, y - 8 * s);
  StrokeIcon(cr, Hex(0xFFFFFF), 5 * s);
}

void CrossMark(cairo_t* cr, double x, double y, double s) {
  cairo_new_path(cr);
  cairo_move_to(cr, x - 8 * s, y - 8 * s);
  cairo_line_to(cr, x + 8 * s, y + 8 * s);
  cairo_move_to(cr, x + 8 * s, y - 8 * s);
  cairo_line_to(cr, x - 8 * s, y + 8 * s);
  StrokeIcon(cr, Hex(0xFFFFFF), 5 * s);
}

void SkipMark(cairo_t* cr, double x, double y, double s) {
  // Two chevrons: "let this one go by".
  cairo_new_path(cr);
  for (double dx : {-6.0, 5.0}) {
    cairo_move_to(cr, x + (dx - 5) * s, y - 8 * s);
    cairo_line_to(cr, x + (dx + 3) * s, y);
    cairo_line_to(cr, x + (dx - 5) * s, y + 8 * s);
  }
  StrokeIcon(cr, Hex(0xFFFFFF), 4.5 * s);
}

void PaintAnswerDisc(cairo_t* cr, int frame, const char* label, Colour base,
                     void (*mark)(cairo_t*, double, double, double)) {
  const ButtonState state = StateOfFrame(frame);
  const double cx = kDiscW / 2.0, cy = 54, r = 52;
  // A soft contact shadow on the stage, part of the silhouette.
  cairo_save(cr);
  cairo_translate(cr, cx, cy + r - 4);
  cairo_scale(cr, r * 0.95, 9);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
  cairo_set_source_rgba(cr, 0.2, 0.1, 0.02, 0.4);
  cairo_fill(cr);
  PaintGlossyDisc(cr, cx, cy, r, base, state);
  mark(cr, cx, cy - 16, 1.15);
  TextStyle style;
  style.size = 22;
  style.fill = Hex(0xFFFFFF);
  style.outline = Darker(base, 0.62);
  style.outline_width = 4;
  style.shadow = WithAlpha(Darker(base, 0.7), 0.55);
  style.shadow_dy = 2;
  DrawText(cr, label, cx, cy + 22, style, Align::kCentre);
}

void PaintStamp(cairo_t* cr, const char* label, Colour ink, bool right) {
  const double w = kStamp.w, h = kStamp.h;
  RoundedRect(cr, 1, 1, w - 2, h - 2, 9);
  SetSource(cr, Darker(ink, 0.45));
  cairo_fill(cr);
  RoundedRect(cr, 2.5, 2.5, w - 5, h - 5, 7.5);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 2, 0, h - 2);
  const Colour top = Lighter(ink, 0.25), bottom = Darker(ink, 0.1);
  cairo_pattern_add_color_stop_rgb(g, 0, top.r, top.g, top.b);
  cairo_pattern_add_color_stop_rgb(g, 1, bottom.r, bottom.g, bottom.b);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  RoundedRect(cr, 5.5, 5.5, w - 11, h - 11, 5);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.75);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  if (right) {
    CheckMark(cr, 20, h / 2 + 1, 0.62);
  } else {
    CrossMark(cr, 20, h / 2, 0.62);
  }
  TextStyle style;
  style.size = 19;
  style.fill = Hex(0xFFFFFF);
  style.outline = Darker(ink, 0.55);
  style.outline_width = 3;
  style.shadow_dy = 0;
  DrawTextInBox(cr, label, 32, 3, w - 40, h - 6, style);
}

}  // namespace

bool WriteControls(const std::string& dir, const Canvas& board) {
  struct Bench {
    const char* file;
    const char* label;
    Colour base;
    void (*icon)(cairo_t*, double, double);
    int x, y;
  };
  const Bench bench[] = {
      {"newgame.bmp", "New game", palette::kGrass, ReplayIcon, 10, 520},
      {"info.bmp", "Rules", palette::kTeal, InfoIcon, 104, 520},
      {"back.bmp", "Menu", palette::kOrange, HouseIcon, 610, 520},
      {"exit.bmp", "Exit", palette::kBerry, DoorIcon, 704, 520},
  };
  bool ok = true;
  for (const Bench& b : bench) {
    ok = SaveFramesOverBoard(
             JoinPath(dir, b.file), kButtonW, kButtonH, 2,
             [&](cairo_t* cr, int frame) { PaintBenchButton(cr, frame, b.label, b.base, b.icon); },
             [&](int) { return Rect{b.x, b.y, kButtonW, kButtonH}; }, board) &&
         ok;
  }
  struct Disc {
    const char* file;
    const char* label;
    Colour base;
    void (*mark)(cairo_t*, double, double, double);
    int x;
  };
  const Disc discs[] = {
      {"truepie.bmp", "TRUE", tone::kTrue, CheckMark, 212},
      {"passpie.bmp", "PASS", tone::kPass, SkipMark, 350},
      {"falsepie.bmp", "FALSE", tone::kFalse, CrossMark, 476},
  };
  for (const Disc& d : discs) {
    ok = SaveFramesOverBoard(
             JoinPath(dir, d.file), kDiscW, kDiscH, 2,
             [&](cairo_t* cr, int frame) { PaintAnswerDisc(cr, frame, d.label, d.base, d.mark); },
             [&](int) { return Rect{d.x, 479, kDiscW, kDiscH}; }, board) &&
         ok;
  }
  return ok;
}

bool WriteMarks(const std::string& dir, const Canvas& board) {
  auto at_stamp = [](int) { return kStamp; };
  bool ok = SaveFramesOverBoard(
      JoinPath(dir, "true.bmp"), kStamp.w, kStamp.h, 1,
      [](cairo_t* cr, int) { PaintStamp(cr, "TRUE", Hex(0x2E9E3E), true); }, at_stamp, board);
  ok = SaveFramesOverBoard(
           JoinPath(dir, "false.bmp"), kStamp.w, kStamp.h, 1,
           [](cairo_t* cr, int) { PaintStamp(cr, "FALSE", Hex(0xD8382E), false); }, at_stamp, board) &&
       ok;
  // The flower lands on either the gauge glass or its rising fill, so its
  // edge is cut sharp rather than blended toward either.
  Canvas flower(kFlowerSize, kFlowerSize);
  PaintDaisy(flower.cr(), kFlowerSize / 2.0, kFlowerSize / 2.0, kFlowerSize / 2.0 - 1);
  ok = flower.SaveKeyed(JoinPath(dir, "flower.bmp")) && ok;
  return ok;
}

}  // namespace art::quiz
