// The quiz's pop-up pictures: the hall-of-fame notice, the game-over sign,
// and the two pages the launcher and the quiz show over their screens, the
// rules and the credits.
#include <cmath>
#include <sstream>
#include <vector>

#include "quiz_art.h"

namespace art::quiz {
namespace {

constexpr int kPageW = 694, kPageH = 564;

void Star(cairo_t* cr, double x, double y, double r, Colour fill) {
  StarPath(cr, x, y, r, r * 0.45);
  SetSource(cr, fill);
  cairo_fill_preserve(cr);
  SetSource(cr, Darker(fill, 0.55));
  cairo_set_line_width(cr, std::max(1.2, r * 0.12));
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
}

// A plum-framed card with a warm inside, filling the whole picture.
void Card(cairo_t* cr, double w, double h, Colour top, Colour bottom) {
  cairo_rectangle(cr, 0, 0, w, h);
  cairo_pattern_t* frame = cairo_pattern_create_linear(0, 0, 0, h);
  cairo_pattern_add_color_stop_rgb(frame, 0, 0.54, 0.30, 0.70);
  cairo_pattern_add_color_stop_rgb(frame, 1, 0.31, 0.14, 0.44);
  cairo_set_source(cr, frame);
  cairo_fill(cr);
  cairo_pattern_destroy(frame);
  RoundedRect(cr, 6, 6, w - 12, h - 12, 14);
  SetSource(cr, palette::kInk);
  cairo_fill(cr);
  RoundedRect(cr, 8, 8, w - 16, h - 16, 12);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 8, 0, h - 8);
  cairo_pattern_add_color_stop_rgb(g, 0, top.r, top.g, top.b);
  cairo_pattern_add_color_stop_rgb(g, 1, bottom.r, bottom.g, bottom.b);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  RoundedRect(cr, 12.5, 12.5, w - 25, h - 25, 9);
  SetSource(cr, WithAlpha(palette::kSun, 0.9));
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
}

// Sun-burst rays behind a heading, clipped to the card's inside.
void Burst(cairo_t* cr, double cx, double cy, double reach, Colour c) {
  for (int i = 0; i < 16; ++i) {
    const double a0 = i * M_PI / 8, a1 = a0 + M_PI / 16;
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx + reach * std::cos(a0), cy + reach * std::sin(a0));
    cairo_line_to(cr, cx + reach * std::cos(a1), cy + reach * std::sin(a1));
    cairo_close_path(cr);
  }
  cairo_pattern_t* fade = cairo_pattern_create_radial(cx, cy, 0, cx, cy, reach);
  cairo_pattern_add_color_stop_rgba(fade, 0, c.r, c.g, c.b, 0.45);
  cairo_pattern_add_color_stop_rgba(fade, 1, c.r, c.g, c.b, 0);
  cairo_set_source(cr, fade);
  cairo_fill(cr);
  cairo_pattern_destroy(fade);
}

void Trophy(cairo_t* cr, double cx, double cy, double s) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, s, s);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  // Handles.
  cairo_new_path(cr);
  cairo_arc(cr, -20, -14, 10, 0.5 * M_PI, 1.5 * M_PI);
  cairo_new_sub_path(cr);
  cairo_arc_negative(cr, 20, -14, 10, 0.5 * M_PI, -0.5 * M_PI);
  SetSource(cr, palette::kInk);
  cairo_set_line_width(cr, 8);
  cairo_stroke_preserve(cr);
  SetSource(cr, Hex(0xF7C234));
  cairo_set_line_width(cr, 4);
  cairo_stroke(cr);
  // Cup, stem and base.
  cairo_move_to(cr, -22, -26);
  cairo_line_to(cr, 22, -26);
  cairo_curve_to(cr, 22, 0, 12, 8, 5, 10);
  cairo_line_to(cr, 5, 18);
  cairo_line_to(cr, 14, 22);
  cairo_line_to(cr, 14, 28);
  cairo_line_to(cr, -14, 28);
  cairo_line_to(cr, -14, 22);
  cairo_line_to(cr, -5, 18);
  cairo_line_to(cr, -5, 10);
  cairo_curve_to(cr, -12, 8, -22, 0, -22, -26);
  cairo_close_path(cr);
  cairo_pattern_t* g = cairo_pattern_create_linear(-22, 0, 22, 0);
  cairo_pattern_add_color_stop_rgb(g, 0, 0.93, 0.62, 0.12);
  cairo_pattern_add_color_stop_rgb(g, 0.35, 1.0, 0.90, 0.45);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.88, 0.55, 0.10);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  SetSource(cr, palette::kInk);
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  Star(cr, 0, -10, 8, Hex(0xFFFFFF));
  cairo_restore(cr);
}

// Greedy word wrap at `width` pixels; returns the lines.
std::vector<std::string> Wrap(cairo_t* cr, const std::string& text, double width, double size, bool bold) {
  std::vector<std::string> lines;
  std::istringstream words(text);
  std::string word, line;
  while (words >> word) {
    const std::string candidate = line.empty() ? word : line + " " + word;
    if (!line.empty() && TextWidth(cr, candidate, size, bold) > width) {
      lines.push_back(line);
      line = word;
    } else {
      line = candidate;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// A paragraph in ink colour whose first line starts at `top`; returns the
// top of the line that would follow it.
double Paragraph(cairo_t* cr, const std::string& text, double x, double top, double width, double size,
                 bool bold = false, Colour colour = palette::kInk) {
  const double leading = std::round(size * 1.32);
  TextStyle style;
  style.size = size;
  style.bold = bold;
  style.fill = colour;
  style.shadow_dy = 0;
  for (const std::string& line : Wrap(cr, text, width, size, bold)) {
    DrawText(cr, line, x, top + std::round(size * 1.0), style, Align::kLeft);
    top += leading;
  }
  return top;
}

void MiniDisc(cairo_t* cr, double cx, double cy, double r, Colour base, const char* label) {
  PaintGlossyDisc(cr, cx, cy, r, base, ButtonState::kNormal);
  TextStyle style;
  style.size = r * 1.05;
  style.fill = Hex(0xFFFFFF);
  style.outline = Darker(base, 0.6);
  style.outline_width = 2.5;
  style.shadow_dy = 0;
  DrawText(cr, label, cx, cy + r * 0.3, style, Align::kCentre);
}

void Stopwatch(cairo_t* cr, double cx, double cy, double r) {
  cairo_new_path(cr);
  RoundedRect(cr, cx - r * 0.25, cy - r * 1.45, r * 0.5, r * 0.35, 2);
  SetSource(cr, palette::kInk);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  SetSource(cr, palette::kCream);
  cairo_fill_preserve(cr);
  SetSource(cr, palette::kInk);
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  cairo_move_to(cr, cx, cy);
  cairo_arc(cr, cx, cy, r - 4, -M_PI / 2, M_PI / 3);
  cairo_close_path(cr);
  SetSource(cr, WithAlpha(Hex(0xFF7A2E), 0.8));
  cairo_fill(cr);
  cairo_move_to(cr, cx, cy);
  cairo_line_to(cr, cx, cy - r * 0.7);
  SetSource(cr, palette::kInk);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
}

void MiniLadder(cairo_t* cr, double x, double y) {
  static constexpr Colour kRamp[] = {Hex(0x4DB05A), Hex(0x8CC43C), Hex(0xE0A42A), Hex(0xE8702E)};
  for (int i = 0; i < 4; ++i) {
    PaintGlossyButton(cr, x, y + (3 - i) * 13, 46, 12, 5, kRamp[i], ButtonState::kNormal);
  }
}

void RulesPage(cairo_t* cr) {
  PaintPanel(cr, kPageW, kPageH, "How to play", 64);
  const double icon_x = 78, text_x = 132, text_w = kPageW - text_x - 48;
  double y = 104;
  const double size = 15;
  struct Rule {
    int icon;
    const char* text;
  };
  const Rule rules[] = {
      {0, "TRUE or FALSE? Click your answer or press T (or Left) or F (or Right). Not sure? "
          "PASS (P or Down) lets it go by."},
      {1, "You have 180 seconds on the clock. Answer as many statements as you can."},
      {2, "Each right answer scores the points of your rung and climbs the 10-rung ladder, "
          "from 125 up to 100,000 points."},
      {3, "A wrong answer drops you back to the bottom of the ladder, but you keep the "
          "points you have."},
      {4, "Three right answers in a row earn 20 extra seconds. A pass or a wrong answer "
          "breaks the row."},
      {5, "After each answer the explanation shows. Click it, press Space, or wait 10 "
          "seconds to go on."},
      {7, "Keys: N new game, R rules, M menu, F11 full screen. Controller: A is TRUE, "
          "B is FALSE, Y is PASS, Start goes on."},
      {6, "When time is up, a good score enters the Hall of Fame."},
  };
  for (const Rule& rule : rules) {
    const double top = y;
    y = Paragraph(cr, rule.text, text_x, y, text_w, size);
    const double mid = (top + y) / 2;
    switch (rule.icon) {
      case 0:
        MiniDisc(cr, icon_x - 19, mid, 18, tone::kTrue, "\u2713");
        MiniDisc(cr, icon_x + 19, mid, 18, tone::kFalse, "\u2717");
        break;
      case 1: Stopwatch(cr, icon_x, mid + 3, 20); break;
      case 2: MiniLadder(cr, icon_x - 23, mid - 26); break;
      case 3: {
        cairo_new_path(cr);
        cairo_move_to(cr, icon_x, mid - 22);
        cairo_line_to(cr, icon_x, mid + 12);
        cairo_move_to(cr, icon_x - 12, mid + 2);
        cairo_line_to(cr, icon_x, mid + 16);
        cairo_line_to(cr, icon_x + 12, mid + 2);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        SetSource(cr, palette::kInk);
        cairo_set_line_width(cr, 10);
        cairo_stroke_preserve(cr);
        SetSource(cr, tone::kFalse);
        cairo_set_line_width(cr, 5);
        cairo_stroke(cr);
        break;
      }
      case 4:
        PaintDaisy(cr, icon_x - 22, mid, 12);
        PaintDaisy(cr, icon_x, mid, 12);
        PaintDaisy(cr, icon_x + 22, mid, 12);
        break;
      case 6: Trophy(cr, icon_x, mid, 0.62); break;
      case 7:
        MiniDisc(cr, icon_x - 19, mid, 13, tone::kTrue, "A");
        MiniDisc(cr, icon_x + 19, mid, 13, tone::kFalse, "B");
        break;
      default: {
        RoundedRect(cr, icon_x - 26, mid - 18, 52, 36, 6);
        SetSource(cr, palette::kInk);
        cairo_fill(cr);
        RoundedRect(cr, icon_x - 24, mid - 16, 48, 32, 5);
        SetSource(cr, palette::kQuestionPanel);
        cairo_fill(cr);
        for (int k = 0; k < 3; ++k) {
          cairo_rectangle(cr, icon_x - 18, mid - 9 + k * 8, k == 2 ? 22 : 36, 3);
        }
        SetSource(cr, WithAlpha(palette::kInk, 0.6));
        cairo_fill(cr);
        break;
      }
    }
    y += 12;
  }
  // A divider and the closing hint.
  cairo_rectangle(cr, 60, kPageH - 54, kPageW - 120, 2);
  SetSource(cr, WithAlpha(palette::kSun, 0.9));
  cairo_fill(cr);
  TextStyle hint;
  hint.size = 16;
  hint.bold = true;
  hint.fill = palette::kPlum;
  hint.shadow_dy = 0;
  DrawText(cr, "Click anywhere or press Space to close", kPageW / 2.0, kPageH - 28, hint,
           Align::kCentre);
}

void CreditsPage(cairo_t* cr) {
  PaintPanel(cr, kPageW, kPageH, "Credits", 64);
  // The star of the show, in a sunny frame.
  cairo_save(cr);
  RoundedRect(cr, 44, 112, 250, 170, 18);
  SetSource(cr, palette::kInk);
  cairo_fill(cr);
  RoundedRect(cr, 47, 115, 244, 164, 15);
  cairo_clip(cr);
  cairo_translate(cr, 47, 115);
  cairo_scale(cr, 244.0 / kBullBackdrop.w * 1.18, 244.0 / kBullBackdrop.w * 1.18);
  cairo_translate(cr, -196, -30);
  PaintPasture(cr, 800, 400);
  cairo_translate(cr, kBullBackdrop.x, kBullBackdrop.y);
  PaintBull(cr, 4);
  cairo_restore(cr);

  TextStyle heading = HeadingStyle(52);
  heading.fill = palette::kSun;
  DrawText(cr, "Verimoo", 480, 176, heading, Align::kCentre);
  Paragraph(cr, "The true or false quiz with a bull who has opinions.", 334, 196, 300, 17, false,
            palette::kPlum);

  struct Line {
    const char* label;
    const char* text;
  };
  const Line lines[] = {
      {"Game", "A game by the Pavlora team."},
      {"Pictures", "Every picture is drawn by code."},
      {"Sounds", "Every sound and tune is synthesised."},
      {"Questions", "All questions were written for this game."},
  };
  double y = 312;
  for (const Line& line : lines) {
    TextStyle label;
    label.size = 18;
    label.bold = true;
    label.fill = Hex(0xC8561C);
    label.shadow_dy = 0;
    DrawText(cr, line.label, 220, y + 18, label, Align::kRight);
    Star(cr, 242, y + 12, 7, palette::kSun);
    y = Paragraph(cr, line.text, 262, y, 400, 18) + 14;
  }
  TextStyle thanks = HeadingStyle(28);
  thanks.fill = palette::kGrass;
  DrawText(cr, "Thanks for playing!", kPageW / 2.0, kPageH - 76, thanks, Align::kCentre);
  TextStyle hint;
  hint.size = 15;
  hint.bold = true;
  hint.fill = palette::kPlum;
  hint.shadow_dy = 0;
  DrawText(cr, "Click anywhere or press Space to close", kPageW / 2.0, kPageH - 34, hint,
           Align::kCentre);
}

void HallOfFameNotice(cairo_t* cr) {
  const double w = 400, h = 110;
  Card(cr, w, h, Hex(0xFFF1C4), Hex(0xFFD77A));
  cairo_save(cr);
  RoundedRect(cr, 8, 8, w - 16, h - 16, 12);
  cairo_clip(cr);
  Burst(cr, 62, h / 2, 160, Hex(0xFFFFFF));
  cairo_restore(cr);
  Trophy(cr, 62, h / 2 + 2, 1.25);
  Star(cr, 28, 28, 7, Hex(0xFFFFFF));
  Star(cr, 100, 86, 6, Hex(0xFFFFFF));
  Star(cr, 370, 26, 8, palette::kSun);
  Star(cr, 366, 86, 6, palette::kSun);
  TextStyle small = HeadingStyle(22);
  small.fill = Hex(0xFFFFFF);
  DrawText(cr, "You made the", 232, 46, small, Align::kCentre);
  TextStyle big = HeadingStyle(32);
  big.fill = palette::kSun;
  DrawText(cr, "Hall of Fame!", 232, 84, big, Align::kCentre);
}

void GameOverSign(cairo_t* cr) {
  const double w = 450, h = 170;
  Card(cr, w, h, Hex(0xFFF8E7), Hex(0xFBE3B4));
  cairo_save(cr);
  RoundedRect(cr, 8, 8, w - 16, h - 16, 12);
  cairo_clip(cr);
  Burst(cr, w / 2, 70, 260, Hex(0xFFC93C));
  cairo_restore(cr);
  TextStyle heading = HeadingStyle(58);
  heading.fill = Hex(0xFF8A3D);
  DrawText(cr, "GAME OVER", w / 2, 92, heading, Align::kCentre);
  Star(cr, 36, 40, 9, palette::kSun);
  Star(cr, w - 36, 40, 9, palette::kSun);
  TextStyle line;
  line.size = 18;
  line.bold = true;
  line.fill = palette::kPlum;
  line.shadow_dy = 0;
  DrawText(cr, "Click New game (or press N) to play again", w / 2, 138, line, Align::kCentre);
}

}  // namespace

bool WritePopups(const std::string& dir) {
  bool ok = SaveOpaquePicture(JoinPath(dir, "hallfamepop.bmp"), 400, 110, HallOfFameNotice);
  ok = SaveOpaquePicture(JoinPath(dir, "gameover.bmp"), 450, 170, GameOverSign) && ok;
  ok = SaveOpaquePicture(JoinPath(dir, "title/HowToPlay.bmp"), kPageW, kPageH, RulesPage) && ok;
  ok = SaveOpaquePicture(JoinPath(dir, "title/Credits.bmp"), kPageW, kPageH, CreditsPage) && ok;
  return ok;
}

}  // namespace art::quiz
