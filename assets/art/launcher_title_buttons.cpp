// Buttons of a game's title screen, its sound switches and the text cursor.
#include <cmath>

#include "art_common.h"
#include "canvas.h"
#include "launcher_parts.h"

namespace art {
namespace {

void PaintPeople(cairo_t* cr, double x, double y, Colour fill, Colour rim) {
  // Two figures, the front one larger.
  const double figures[2][3] = {{x + 22, y + 2, 0.8}, {x + 10, y + 6, 1.0}};
  for (const auto& f : figures) {
    const double s = f[2];
    cairo_new_path(cr);
    cairo_arc(cr, f[0], f[1] + 8 * s, 6.5 * s, 0, 2 * M_PI);
    cairo_new_sub_path(cr);
    cairo_arc(cr, f[0], f[1] + 28 * s, 12 * s, M_PI, 2 * M_PI);
    cairo_close_path(cr);
    SetSource(cr, rim);
    cairo_set_line_width(cr, 3);
    cairo_stroke_preserve(cr);
    SetSource(cr, fill);
    cairo_fill(cr);
  }
}

bool DrawPlayersButton(const std::string& dir) {
  const std::string path = JoinPath(dir, "PlayersButton.bmp");
  return Reported(path, SaveStrip(path, 236, 52, 2, [](cairo_t* cr, int frame) {
                 const ButtonState state = StateOfFrame(frame);
                 const Colour base = palette::kOrange;
                 PaintGlossyButton(cr, 0, 0, 236, 52, 18, base, state);
                 const double shift = state == ButtonState::kPressed ? 1 : 0;
                 PaintPeople(cr, 40 + shift, 8 + shift, Colour{1, 1, 1, 1}, Darker(base, 0.6));
                 TextStyle style;
                 style.size = 24;
                 style.fill = Colour{1, 1, 1, 1};
                 style.outline = Darker(base, 0.6);
                 style.outline_width = 3;
                 style.shadow = WithAlpha(Darker(base, 0.7), 0.55);
                 style.shadow_dy = 2;
                 DrawText(cr, "Players", 136 + shift, 34 + shift, style, Align::kCentre);
               }));
}

void PaintSpeaker(cairo_t* cr, double cx, double cy, Colour fill, Colour rim) {
  cairo_move_to(cr, cx - 12, cy - 5);
  cairo_line_to(cr, cx - 6, cy - 5);
  cairo_line_to(cr, cx + 2, cy - 12);
  cairo_line_to(cr, cx + 2, cy + 12);
  cairo_line_to(cr, cx - 6, cy + 5);
  cairo_line_to(cr, cx - 12, cy + 5);
  cairo_close_path(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetSource(cr, rim);
  cairo_set_line_width(cr, 3);
  cairo_stroke_preserve(cr);
  SetSource(cr, fill);
  cairo_fill(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i < 2; ++i) {
    const double r = 7 + 6 * i;
    cairo_new_path(cr);
    cairo_arc(cr, cx + 2, cy, r, -M_PI / 4, M_PI / 4);
    SetSource(cr, rim);
    cairo_set_line_width(cr, 5);
    cairo_stroke_preserve(cr);
    SetSource(cr, fill);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
  }
}

void PaintNote(cairo_t* cr, double cx, double cy, Colour fill, Colour rim) {
  // Two beamed eighth notes.
  for (int pass = 0; pass < 2; ++pass) {
    const Colour c = pass == 0 ? rim : fill;
    const double grow = pass == 0 ? 1.6 : 0;
    SetSource(cr, c);
    for (double hx : {cx - 8.0, cx + 8.0}) {
      const double hy = hx < cx ? cy + 9 : cy + 6;
      cairo_save(cr);
      cairo_translate(cr, hx - 3, hy);
      cairo_rotate(cr, -0.45);
      cairo_scale(cr, 5.2 + grow, 3.8 + grow);
      cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
      cairo_restore(cr);
      cairo_fill(cr);
      cairo_rectangle(cr, hx + 0.5 - grow, hy - 18 - grow, 2.6 + 2 * grow, 18 + grow);
      cairo_fill(cr);
    }
    cairo_move_to(cr, cx - 7.5 - grow, cy - 9 - grow);
    cairo_line_to(cr, cx + 11.1 + grow, cy - 12 - grow);
    cairo_line_to(cr, cx + 11.1 + grow, cy - 6 + grow);
    cairo_line_to(cr, cx - 7.5 - grow, cy - 3 + grow);
    cairo_close_path(cr);
    cairo_fill(cr);
  }
}

void PaintCross(cairo_t* cr, double cx, double cy, double r) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, cx - r, cy - r);
  cairo_line_to(cr, cx + r, cy + r);
  SetSource(cr, Hex(0x5A0F1E));
  cairo_set_line_width(cr, 8);
  cairo_stroke_preserve(cr);
  SetSource(cr, Hex(0xFF4D5E));
  cairo_set_line_width(cr, 4.5);
  cairo_stroke(cr);
}

// Frame 0 is the "on" look, frame 1 the "off" look; there is no hover frame.
bool DrawSoundSwitch(const std::string& dir, const char* file, bool music) {
  const std::string path = JoinPath(dir, file);
  return Reported(path, SaveStrip(path, 50, 50, 2, [music](cairo_t* cr, int frame) {
                 const bool on = frame == 0;
                 const Colour base = on ? palette::kGrass : Hex(0x9C93A8);
                 PaintGlossyDisc(cr, 25, 25, 24.5, base, ButtonState::kNormal);
                 const Colour fill = on ? Colour{1, 1, 1, 1} : Hex(0xE4E0EA);
                 const Colour rim = Darker(base, 0.62);
                 if (music) {
                   PaintNote(cr, 24, 24, fill, rim);
                 } else {
                   PaintSpeaker(cr, 22, 23, fill, rim);
                 }
                 if (!on) PaintCross(cr, 25, 23, 13);
               }));
}

bool DrawCursor(const std::string& dir) {
  // A solid block the height of the name fonts, in their highlight gold.
  Canvas canvas(10, 20);
  cairo_t* cr = canvas.cr();
  cairo_rectangle(cr, 0, 0, 10, 20);
  SetSource(cr, Hex(0x4A2308));
  cairo_fill(cr);
  cairo_rectangle(cr, 1, 1, 8, 18);
  FillVertical(cr, 1, 19, Hex(0xFFE680), Hex(0xFFC21F));
  const std::string path = JoinPath(dir, "blockcursor.bmp");
  return Reported(path, canvas.SaveKeyed(path));
}

}  // namespace

bool DrawTitleButtons(const std::string& dir) {
  bool ok = SaveLabelStrip(dir, "HowToPlayButton.bmp", 160, 60, "How to play", palette::kSky, 21);
  ok = SaveLabelStrip(dir, "PlayButton.bmp", 160, 60, "Play", palette::kGrass, 28) && ok;
  ok = SaveLabelStrip(dir, "HighScoresButton.bmp", 160, 60, "High scores", palette::kPlum, 21) && ok;
  ok = SaveLabelStrip(dir, "MenuButton.bmp", 160, 60, "Menu", palette::kOrange, 24) && ok;
  ok = SaveLabelStrip(dir, "CreditsButton.bmp", 160, 60, "Credits", palette::kTeal, 24) && ok;
  ok = SaveLabelStrip(dir, "ExitButton.bmp", 160, 60, "Exit", palette::kBerry, 24) && ok;
  ok = DrawPlayersButton(dir) && ok;
  ok = DrawSoundSwitch(dir, "sfx.bmp", false) && ok;
  ok = DrawSoundSwitch(dir, "music.bmp", true) && ok;
  ok = DrawCursor(dir) && ok;
  return ok;
}

}  // namespace art
