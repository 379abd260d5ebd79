// The quiz board (background.bmp) and the sprites that live in its fixed
// zones: the bull frames, the time gauge fill and the ladder rungs.
#include <cmath>
#include <cstdint>

#include "quiz_art.h"

namespace art::quiz {
namespace {

constexpr Colour kScoreWell = Hex(0x3A2418);
constexpr Colour kRungWell = Hex(0x6B4122);
constexpr Colour kGaugeGlass = Hex(0x2F4A3A);
constexpr Colour kLabel = palette::kCream;

void FillLinear(cairo_t* cr, double x0, double y0, double x1, double y1, Colour a, Colour b) {
  cairo_pattern_t* g = cairo_pattern_create_linear(x0, y0, x1, y1);
  cairo_pattern_add_color_stop_rgba(g, 0, a.r, a.g, a.b, a.a);
  cairo_pattern_add_color_stop_rgba(g, 1, b.r, b.g, b.b, b.a);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
}

// A score plate: the digits box itself is a dark well, framed in wood, with
// its caption on a tab hanging below.
void ScorePlate(cairo_t* cr, const Rect& box, const char* caption, unsigned seed) {
  const double tab_w = 84, tab_x = box.x + (box.w - tab_w) / 2;
  PaintSoftShadow(cr, tab_x, box.y + box.h, tab_w, 24, 8, 5, 0.35);
  PaintWoodPanel(cr, tab_x, box.y + box.h - 6, tab_w, 30, 8, seed + 1);
  TextStyle style;
  style.size = 14;
  style.bold = true;
  style.fill = kLabel;
  style.outline = tone::kWoodDark;
  style.outline_width = 3;
  style.shadow = WithAlpha(Hex(0x2A1608), 0.5);
  style.shadow_dy = 1.5;
  DrawText(cr, caption, tab_x + tab_w / 2, box.y + box.h + 18, style, Align::kCentre);

  PaintSoftShadow(cr, box.x - 4, box.y - 4, box.w + 8, box.h + 8, 10, 6, 0.4);
  PaintWoodPanel(cr, box.x - 5, box.y - 5, box.w + 10, box.h + 10, 10, seed);
  PaintWell(cr, box.x, box.y, box.w, box.h, 7, kScoreWell);
}

void LadderPanel(cairo_t* cr) {
  const Rect& r = kLadderPanel;
  PaintSoftShadow(cr, r.x, r.y, r.w, r.h, 12, 8, 0.45);
  PaintWoodPanel(cr, r.x, r.y, r.w, r.h, 12, 21);
  // Side rails suggest a ladder; each rung waits in its own well.
  for (double x : {r.x + 4.0, r.x + r.w - 8.0}) {
    cairo_rectangle(cr, x, r.y + 6, 4, r.h - 12);
    SetSource(cr, WithAlpha(tone::kWoodDark, 0.35));
    cairo_fill(cr);
  }
  for (int i = 0; i < kRungs; ++i) {
    PaintWell(cr, kRungX, RungY(i), kRungW, kRungH, 9, kRungWell);
  }
}

void TimeGauge(cairo_t* cr) {
  const Rect& r = kTimeBar;
  PaintSoftShadow(cr, r.x - 6, r.y - 6, r.w + 12, r.h + 12, 14, 8, 0.45);
  PaintWoodPanel(cr, r.x - 6, r.y - 6, r.w + 12, r.h + 12, 14, 33);
  // The glass tube the gauge rises in.
  RoundedRect(cr, r.x, r.y, r.w, r.h, 10);
  SetSource(cr, Darker(kGaugeGlass, 0.4));
  cairo_fill(cr);
  RoundedRect(cr, r.x + 1, r.y + 1, r.w - 2, r.h - 2, 9);
  FillLinear(cr, r.x, 0, r.x + r.w, 0, Darker(kGaugeGlass, 0.2), Lighter(kGaugeGlass, 0.08));
  // A highlight running down the glass.
  RoundedRect(cr, r.x + 14, r.y + 8, 12, r.h - 16, 6);
  SetSource(cr, Colour{1, 1, 1, 0.10});
  cairo_fill(cr);
  // Ticks every 30 seconds of the 180-second game.
  for (int k = 1; k < 6; ++k) {
    const double y = std::round(r.y + r.h * k / 6.0) + 0.5;
    for (double x0 : {r.x + 4.0, r.x + r.w - 22.0}) {
      cairo_move_to(cr, x0, y);
      cairo_line_to(cr, x0 + 18, y);
    }
    SetSource(cr, Colour{1, 1, 1, 0.35});
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
  }
  // A small stopwatch and caption at the top of the tube.
  const double cx = r.x + r.w / 2, cy = r.y + 40;
  cairo_arc(cr, cx, cy, 15, 0, 2 * M_PI);
  SetSource(cr, palette::kCream);
  cairo_fill_preserve(cr);
  SetSource(cr, Hex(0x1E2C22));
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  cairo_rectangle(cr, cx - 4, cy - 23, 8, 6);
  cairo_fill(cr);
  cairo_move_to(cr, cx, cy);
  cairo_line_to(cr, cx, cy - 10);
  cairo_move_to(cr, cx, cy);
  cairo_line_to(cr, cx + 7, cy + 3);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
  TextStyle style;
  style.size = 15;
  style.fill = palette::kCream;
  style.shadow = Colour{0, 0, 0, 0.4};
  style.shadow_dy = 1.5;
  DrawText(cr, "TIME", cx, cy + 36, style, Align::kCentre);
}

void QuestionPanel(cairo_t* cr) {
  const Rect& r = kQuestionArea;
  PaintSoftShadow(cr, r.x, r.y, r.w, r.h, 14, 9, 0.5);
  PaintWoodPanel(cr, r.x, r.y, r.w, r.h, 14, 45);
  // The paper is one flat colour: the question font is drawn against exactly it.
  RoundedRect(cr, r.x + 8, r.y + 8, r.w - 16, r.h - 16, 8);
  SetSource(cr, Darker(tone::kWoodDark, 0.2));
  cairo_fill(cr);
  RoundedRect(cr, r.x + 9, r.y + 9, r.w - 18, r.h - 18, 7);
  SetSource(cr, palette::kQuestionPanel);
  cairo_fill(cr);
}

// The wooden console at the bottom: a full-width bench for the four round-
// cornered buttons and a raised middle stage for the three answer discs.
void ButtonBed(cairo_t* cr) {
  auto outline = [cr] {
    const double top = 470, bench = 516, left = 196, right = 612, r = 22;
    cairo_new_path(cr);
    cairo_move_to(cr, -10, bench);
    cairo_line_to(cr, left - r, bench);
    cairo_arc_negative(cr, left - r, bench - r, r, M_PI / 2, 0);
    cairo_line_to(cr, left, top + r);
    cairo_arc(cr, left + r, top + r, r, M_PI, 1.5 * M_PI);
    cairo_line_to(cr, right - r, top);
    cairo_arc(cr, right - r, top + r, r, 1.5 * M_PI, 2 * M_PI);
    cairo_line_to(cr, right, bench - r);
    cairo_arc_negative(cr, right + r, bench - r, r, M_PI, M_PI / 2);
    cairo_line_to(cr, 810, bench);
    cairo_line_to(cr, 810, 610);
    cairo_line_to(cr, -10, 610);
    cairo_close_path(cr);
  };
  // Shadow on the grass.
  for (int i = 5; i >= 1; --i) {
    cairo_save(cr);
    cairo_translate(cr, 0, -i * 1.6);
    outline();
    cairo_set_source_rgba(cr, 0.1, 0.08, 0.02, 0.08);
    cairo_fill(cr);
    cairo_restore(cr);
  }
  outline();
  SetSource(cr, tone::kWoodDark);
  cairo_fill(cr);
  cairo_save(cr);
  cairo_translate(cr, 0, 2.5);
  outline();
  cairo_restore(cr);
  cairo_clip(cr);
  cairo_rectangle(cr, 0, 460, 800, 140);
  FillLinear(cr, 0, 470, 0, 600, Lighter(tone::kWood, 0.14), Darker(tone::kWood, 0.12));
  // Planks with seams and a little grain.
  for (double y = 476; y < 600; y += 21) {
    cairo_rectangle(cr, 0, y + 19, 800, 1.5);
    SetSource(cr, WithAlpha(tone::kWoodDark, 0.6));
    cairo_fill(cr);
    cairo_rectangle(cr, 0, y + 20.5, 800, 1);
    SetSource(cr, WithAlpha(tone::kWoodLight, 0.5));
    cairo_fill(cr);
    for (int k = 0; k < 4; ++k) {
      const double gy = y + 3 + k * 4.3;
      cairo_move_to(cr, 0, gy);
      for (double x = 0; x <= 800; x += 8) {
        cairo_line_to(cr, x, gy + 0.9 * std::sin(x / (37 + k * 11) + y * 0.3 + k));
      }
      SetSource(cr, WithAlpha(tone::kWoodDark, 0.16));
      cairo_set_line_width(cr, 1);
      cairo_stroke(cr);
    }
  }
  // Nail heads at the plank ends.
  for (double y = 486; y < 600; y += 21) {
    for (double x : {203.0, 605.0}) {
      if (y < 478) continue;
      cairo_arc(cr, x, y, 1.8, 0, 2 * M_PI);
      SetSource(cr, Hex(0x4A2C14));
      cairo_fill(cr);
    }
  }
  cairo_reset_clip(cr);
  // Top edge highlight.
  cairo_save(cr);
  cairo_translate(cr, 0, 3.5);
  outline();
  cairo_restore(cr);
  SetSource(cr, Colour{1, 0.92, 0.78, 0.35});
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
}

// Bull timer: picture row 0 is the rising edge, every row below it the same.
void PaintTimeFill(cairo_t* cr) {
  const double x0 = 3, w = kTimeBar.w - 6;
  const Colour hot = Hex(0xFF7A2E);
  cairo_rectangle(cr, x0, 0, w, kTimeBar.h);
  cairo_pattern_t* g = cairo_pattern_create_linear(x0, 0, x0 + w, 0);
  const Colour stops[] = {Darker(hot, 0.25), Lighter(hot, 0.25), Lighter(hot, 0.45), hot, Darker(hot, 0.3)};
  const double at[] = {0, 0.18, 0.3, 0.62, 1};
  for (int i = 0; i < 5; ++i) cairo_pattern_add_color_stop_rgb(g, at[i], stops[i].r, stops[i].g, stops[i].b);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  // The leading edge: a bright meniscus over a darker seam.
  cairo_rectangle(cr, x0, 0, w, 3);
  SetSource(cr, Hex(0xFFE08A));
  cairo_fill(cr);
  cairo_rectangle(cr, x0, 3, w, 2);
  SetSource(cr, Hex(0xFFB04A));
  cairo_fill(cr);
  cairo_rectangle(cr, x0, 5, w, 1);
  SetSource(cr, Darker(hot, 0.15));
  cairo_fill(cr);
}

}  // namespace

void PaintBoard(Canvas& board) {
  cairo_t* cr = board.cr();
  PaintPasture(cr, board.width(), board.height());
  ScorePlate(cr, kBestBox, "BEST", 3);
  ScorePlate(cr, kScoreBox, "SCORE", 9);
  LadderPanel(cr);
  TimeGauge(cr);
  QuestionPanel(cr);
  ButtonBed(cr);
  cairo_surface_flush(board.surface());
}

bool WriteBullFrames(const std::string& dir, const Canvas& board) {
  constexpr int kCols = 4;
  Canvas sheet(kBullFrameW * kCols, kBullFrameH * (kBullPoses / kCols));
  cairo_t* cr = sheet.cr();
  for (int f = 0; f < kBullPoses; ++f) {
    const int ox = (f % kCols) * kBullFrameW, oy = (f / kCols) * kBullFrameH;
    cairo_save(cr);
    cairo_rectangle(cr, ox, oy, kBullBackdrop.w, kBullBackdrop.h);
    cairo_clip(cr);
    // The board's own pixels behind the bull, copied 1:1.
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, board.surface(), ox - kBullBackdrop.x, oy - kBullBackdrop.y);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_translate(cr, ox, oy);
    PaintBull(cr, f);
    cairo_restore(cr);
  }
  return sheet.SaveKeyed(JoinPath(dir, "bullanim.bmp"));
}

bool WriteTimeBar(const std::string& dir) {
  Canvas fill(kTimeBar.w, kTimeBar.h);
  PaintTimeFill(fill.cr());
  return fill.SaveKeyed(JoinPath(dir, "bulltimer.bmp"));
}

bool WriteLadderTiles(const std::string& dir, const Canvas& board) {
  static constexpr const char* kValues[kRungs] = {"125",   "250",    "500",    "1,000",  "2,000",
                                                  "5,000", "10,000", "25,000", "50,000", "100,000"};
  auto rung_colour = [](int i) {
    // Leafy green at the foot of the ladder warming to gold at the top.
    static constexpr Colour kRamp[] = {Hex(0x4DB05A), Hex(0x8CC43C), Hex(0xE0A42A), Hex(0xE8702E)};
    const double t = i / 9.0 * 3.0;
    const int k = std::min(2, static_cast<int>(t));
    return Mix(kRamp[k], kRamp[k + 1], t - k);
  };
  auto paint = [&](cairo_t* cr, int i, bool lit) {
    const Colour base = lit ? Hex(0xFFC93C) : rung_colour(i);
    // The plate has the well's own outline, so it covers the well exactly.
    PaintGlossyButton(cr, 0, 0, kRungW, kRungH, 9, base, lit ? ButtonState::kHover : ButtonState::kNormal);
    if (lit) {
      RoundedRect(cr, 3.5, 3.5, kRungW - 7, kRungH - 10, 8);
      cairo_set_source_rgba(cr, 1, 1, 1, 0.9);
      cairo_set_line_width(cr, 2);
      cairo_stroke(cr);
    }
    TextStyle style;
    style.size = i == 9 ? 19 : 20;
    style.fill = lit ? Hex(0xFFFFFF) : palette::kCream;
    style.outline = lit ? Hex(0xB0481A) : Darker(base, 0.6);
    style.outline_width = 3.5;
    style.shadow = WithAlpha(Darker(base, 0.7), 0.5);
    style.shadow_dy = 1.5;
    DrawTextInBox(cr, kValues[i], 8, 1, kRungW - 16, kRungH - 6, style);
    if (i == 9 || lit) {
      // Stars: one on the top rung, two more whenever a rung lights up.
      auto star = [cr](double x, double y, double r, Colour c) {
        StarPath(cr, x, y, r, r * 0.45);
        SetSource(cr, c);
        cairo_fill_preserve(cr);
        SetSource(cr, Hex(0x9A4A10));
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
      };
      star(14, 17, 7, lit ? Hex(0xFFFFFF) : palette::kSun);
      star(kRungW - 14, 17, 7, lit ? Hex(0xFFFFFF) : palette::kSun);
    }
  };
  auto place = [](int i) { return Rect{kRungX, RungY(i), kRungW, kRungH}; };
  const bool plain = SaveFramesOverBoard(
      JoinPath(dir, "allscore.bmp"), kRungW, kRungH, kRungs,
      [&](cairo_t* cr, int i) { paint(cr, i, false); }, place, board);
  const bool lit = SaveFramesOverBoard(
      JoinPath(dir, "allscorehighlight.bmp"), kRungW, kRungH, kRungs,
      [&](cairo_t* cr, int i) { paint(cr, i, true); }, place, board);
  return plain && lit;
}

}  // namespace art::quiz
