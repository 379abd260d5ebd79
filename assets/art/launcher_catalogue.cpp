// The catalogue screen: backdrop with logo, page controls and slot wells,
// the slot frame, the "more games" tile and the information page.
#include <cmath>

#include "art_common.h"
#include "canvas.h"
#include "launcher_parts.h"

namespace art {
namespace {

// Slot grid of the catalogue (top-left corners of the 250 x 100 game pictures).
constexpr int kSlotX[3] = {14, 271, 528};
constexpr int kSlotY[4] = {140, 247, 355, 461};
constexpr int kSlotW = 250, kSlotH = 100;

void PaintLogo(cairo_t* cr) {
  // "Pavlora" in big candy letters with a sun behind the first letter.
  const double cx = 300, baseline = 92;
  cairo_save(cr);
  PaintLogoSun(cr, 78, 56, 34, -8, -10, 4, 3);
  for (int i = 0; i < 12; ++i) {
    const double a = i * M_PI / 6 + M_PI / 12;
    cairo_move_to(cr, 78 + 40 * std::cos(a), 56 + 40 * std::sin(a));
    cairo_line_to(cr, 78 + 52 * std::cos(a), 56 + 52 * std::sin(a));
  }
  SetSource(cr, Hex(0xFFB02E));
  cairo_set_line_width(cr, 5);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_stroke(cr);
  cairo_restore(cr);

  DrawLogoLettering(cr, "Pavlora", cx, baseline, {78, 12, 5, 0.4, 58, 6, 1.2});

  TextStyle tag;
  tag.size = 17;
  tag.bold = true;
  tag.fill = Colour{1, 1, 1, 1};
  tag.outline = Hex(0x2E6F8E);
  tag.outline_width = 4;
  DrawText(cr, "fun games, one click away", cx + 6, 122, tag, Align::kCentre);
}

void PaintControlPlate(cairo_t* cr) {
  cairo_save(cr);
  RoundedRect(cr, 629, 9, 168, 128, 18);
  SetSource(cr, WithAlpha(palette::kInk, 0.35));
  cairo_fill(cr);
  RoundedRect(cr, 627, 6, 170, 128, 18);
  FillVertical(cr, 6, 134, Hex(0x8A4DB3), Hex(0x55287A));
  RoundedRect(cr, 627, 6, 170, 128, 18);
  SetSource(cr, palette::kInk);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
  RoundedRect(cr, 632, 10, 160, 40, 14);
  FillVertical(cr, 10, 50, Colour{1, 1, 1, 0.28}, Colour{1, 1, 1, 0.02});
  // Page number display between the arrows; digits end at x 716.
  PaintWell(cr, 683, 25, 38, 32, 8, Hex(0x2A1840));
  TextStyle small;
  small.size = 9;
  small.bold = true;
  small.fill = Hex(0xF3E3FF);
  DrawText(cr, "PAGE", 702, 73, small, Align::kCentre);
  cairo_restore(cr);
}

void PaintSlotWell(cairo_t* cr, double x, double y) {
  cairo_save(cr);
  RoundedRect(cr, x - 3, y - 3, kSlotW + 6, kSlotH + 6, 14);
  FillVertical(cr, y - 3, y + kSlotH + 3, WithAlpha(palette::kInk, 0.50), Colour{1, 1, 1, 0.70});
  RoundedRect(cr, x - 1, y - 1, kSlotW + 2, kSlotH + 2, 12);
  FillVertical(cr, y, y + kSlotH, WithAlpha(Hex(0x7A4A8C), 0.42), WithAlpha(Hex(0xC98A9A), 0.30));
  RoundedRect(cr, x - 1, y - 1, kSlotW + 2, 14, 12);
  FillVertical(cr, y - 1, y + 13, WithAlpha(palette::kInk, 0.45), WithAlpha(palette::kInk, 0.0));
  // A faint star marks an empty slot.
  StarPath(cr, x + kSlotW / 2.0, y + kSlotH / 2.0 + 2, 24, 10);
  SetSource(cr, Colour{1, 1, 1, 0.13});
  cairo_fill(cr);
  cairo_restore(cr);
}

void PaintFooter(cairo_t* cr) {
  cairo_save(cr);
  cairo_rectangle(cr, 0, 566, 800, 34);
  FillVertical(cr, 566, 600, Hex(0x7A3FA0), Hex(0x4E2470));
  cairo_rectangle(cr, 0, 566, 800, 2);
  SetSource(cr, palette::kSun);
  cairo_fill(cr);
  TextStyle text;
  text.size = 14;
  text.bold = true;
  text.fill = Hex(0xFFF1C9);
  DrawText(cr, "Click a game or press Return  \xE2\x80\xA2  Arrows turn the pages  \xE2\x80\xA2  i for help", 400,
           588, text, Align::kCentre);
  cairo_restore(cr);
}

bool DrawBackground(const std::string& dir) {
  Canvas canvas(800, 600);
  cairo_t* cr = canvas.cr();
  PaintSunnyBackdrop(cr, 800, 600, 80, 56);
  // Soft bubbles for depth, at fixed places.
  const double bubbles[][3] = {{560, 40, 30}, {470, 110, 14}, {760, 560, 40}, {40, 590, 46}, {300, 575, 22}};
  for (const auto& b : bubbles) {
    cairo_arc(cr, b[0], b[1], b[2], 0, 2 * M_PI);
    SetSource(cr, Colour{1, 1, 1, 0.18});
    cairo_fill(cr);
  }
  PaintLogo(cr);
  PaintControlPlate(cr);
  for (int row = 0; row < 4; ++row) {
    for (int col = 0; col < 3; ++col) PaintSlotWell(cr, kSlotX[col], kSlotY[row]);
  }
  PaintFooter(cr);
  const std::string path = JoinPath(dir, "background.bmp");
  return Reported(path, canvas.SaveOpaque(path));
}

void PaintArrow(cairo_t* cr, double cx, double cy, double size, bool left) {
  const double d = left ? -1 : 1;
  cairo_move_to(cr, cx + d * size * 0.62, cy);
  cairo_line_to(cr, cx - d * size * 0.38, cy - size * 0.62);
  cairo_line_to(cr, cx - d * size * 0.38, cy + size * 0.62);
  cairo_close_path(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetSource(cr, Hex(0x8C3F12));
  cairo_set_line_width(cr, 4);
  cairo_stroke_preserve(cr);
  SetSource(cr, Colour{1, 1, 1, 1});
  cairo_fill(cr);
}

bool DrawPageArrow(const std::string& dir, const char* name, bool left) {
  const std::string path = JoinPath(dir, name);
  return Reported(path, SaveStrip(path, 44, 44, 2, [left](cairo_t* cr, int frame) {
                 const ButtonState state = StateOfFrame(frame);
                 PaintGlossyDisc(cr, 22, 22, 21.5, palette::kOrange, state);
                 PaintArrow(cr, left ? 21 : 23, 20, 13, left);
               }));
}

bool DrawHelpButton(const std::string& dir) {
  const std::string path = JoinPath(dir, "Info.bmp");
  return Reported(path, SaveStrip(path, 76, 44, 2, [](cairo_t* cr, int frame) {
                 PaintGlossyButton(cr, 0, 0, 76, 44, 16, palette::kSky, StateOfFrame(frame));
                 // "i" in a white coin, then the word.
                 cairo_arc(cr, 20, 19, 11, 0, 2 * M_PI);
                 SetSource(cr, Hex(0x1F5F84));
                 cairo_fill(cr);
                 cairo_arc(cr, 20, 19, 9.5, 0, 2 * M_PI);
                 SetSource(cr, Colour{1, 1, 1, 1});
                 cairo_fill(cr);
                 TextStyle i;
                 i.size = 16;
                 i.fill = Hex(0x1F5F84);
                 DrawText(cr, "i", 20, 25, i, Align::kCentre);
                 TextStyle word;
                 word.size = 15;
                 word.fill = Colour{1, 1, 1, 1};
                 word.outline = Hex(0x1F5F84);
                 word.outline_width = 3;
                 DrawText(cr, "Help", 52, 25, word, Align::kCentre);
               }));
}

// The slot frame: square outer edge, rounded window, and a window of pure
// key blue so the game picture shows through. Only the rim colours change.
bool DrawGameButton(const std::string& dir) {
  const std::string path = JoinPath(dir, "GameButton.bmp");
  return Reported(path, SaveStrip(path, kSlotW, kSlotH, 3, [](cairo_t* cr, int frame) {
                 const ButtonState state = StateOfFrame(frame);
                 Colour top = Hex(0xFFF3D6), bottom = Hex(0xE0B46A), line = Hex(0x8A5A1C);
                 if (state == ButtonState::kHover) {
                   top = Hex(0xFFFBE0);
                   bottom = Hex(0xFFC93C);
                   line = Hex(0xC86A00);
                 } else if (state == ButtonState::kPressed) {
                   top = Hex(0xF08A3A);
                   bottom = Hex(0xB2501A);
                   line = Hex(0x5E2A08);
                 }
                 const double b = kSlotFrameBorder;
                 cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
                 cairo_rectangle(cr, 0, 0, kSlotW, kSlotH);
                 RoundedRect(cr, b, b, kSlotW - 2 * b, kSlotH - 2 * b, 9);
                 FillVertical(cr, 0, kSlotH, top, bottom);
                 // Dark line on the outer edge and around the window.
                 cairo_rectangle(cr, 0.75, 0.75, kSlotW - 1.5, kSlotH - 1.5);
                 SetSource(cr, line);
                 cairo_set_line_width(cr, 1.5);
                 cairo_stroke(cr);
                 RoundedRect(cr, b - 0.75, b - 0.75, kSlotW - 2 * b + 1.5, kSlotH - 2 * b + 1.5, 9.75);
                 cairo_set_line_width(cr, 1.5);
                 cairo_stroke(cr);
                 // Sparkles in the corners when the pointer is over the slot.
                 if (state == ButtonState::kHover) {
                   for (const auto& p : {std::pair{3.5, 3.5}, std::pair{kSlotW - 3.5, 3.5},
                                         std::pair{3.5, kSlotH - 3.5}, std::pair{kSlotW - 3.5, kSlotH - 3.5}}) {
                     cairo_arc(cr, p.first, p.second, 2.2, 0, 2 * M_PI);
                     SetSource(cr, Colour{1, 1, 1, 1});
                     cairo_fill(cr);
                   }
                 }
               }));
}

bool DrawCollectTile(const std::string& dir) {
  Canvas canvas(kSlotW, kSlotH);
  cairo_t* cr = canvas.cr();
  cairo_rectangle(cr, 0, 0, kSlotW, kSlotH);
  FillVertical(cr, 0, kSlotH, Hex(0x47C3B0), Hex(0x1F8C7E));
  // Rays from the gift.
  for (int i = 0; i < 12; ++i) {
    const double a0 = i * M_PI / 6, a1 = a0 + M_PI / 12;
    cairo_move_to(cr, 60, 52);
    cairo_line_to(cr, 60 + 300 * std::cos(a0), 52 + 300 * std::sin(a0));
    cairo_line_to(cr, 60 + 300 * std::cos(a1), 52 + 300 * std::sin(a1));
    cairo_close_path(cr);
  }
  SetSource(cr, Colour{1, 1, 1, 0.12});
  cairo_fill(cr);
  // A gift box.
  RoundedRect(cr, 34, 44, 52, 40, 5);
  FillVertical(cr, 44, 84, Hex(0xFF6F91), Hex(0xD03A60));
  RoundedRect(cr, 30, 34, 60, 14, 4);
  FillVertical(cr, 34, 48, Hex(0xFF8FAA), Hex(0xE2456B));
  cairo_rectangle(cr, 55, 34, 10, 50);
  SetSource(cr, palette::kSun);
  cairo_fill(cr);
  for (int side = -1; side <= 1; side += 2) {
    cairo_save(cr);
    cairo_translate(cr, 60 + side * 9, 27);
    cairo_scale(cr, 10, 6);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    SetSource(cr, palette::kSun);
    cairo_fill_preserve(cr);
    SetSource(cr, Hex(0xB07A00));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
  }
  RoundedRect(cr, 30, 34, 60, 50, 5);
  SetSource(cr, palette::kInk);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  TextStyle title = HeadingStyle(24);
  title.outline = Hex(0x0F4F47);
  title.outline_width = 5;
  DrawTextInBox(cr, "More games", 98, 24, 142, 34, title);
  TextStyle sub;
  sub.size = 12;
  sub.bold = true;
  sub.fill = Hex(0xFFF6CC);
  DrawTextInBox(cr, "visit our site", 98, 58, 142, 20, sub);
  const std::string path = JoinPath(dir, "CollectButton.bmp");
  return Reported(path, canvas.SaveOpaque(path));
}

bool DrawInfoPage(const std::string& dir) {
  constexpr int w = 780, h = 520;
  Canvas canvas(w, h);
  cairo_t* cr = canvas.cr();
  PaintPanel(cr, w, h, "About Pavlora", 66);
  struct Line {
    const char* text;
    bool bold;
  };
  const Line lines[] = {
      {"Pavlora keeps all your games in one place.", true},
      {"Click a game's picture to open its title screen.", false},
      {"With more than twelve games, the arrows at the top turn the pages.", false},
      {"On a game's title screen you can:", true},
      {"\xE2\x80\xA2  start the game with Play, or read How to play and the Credits,", false},
      {"\xE2\x80\xA2  see the High scores and send your best score to our web page,", false},
      {"\xE2\x80\xA2  set up to eight Players and click a name to choose who plays,", false},
      {"\xE2\x80\xA2  switch the sound effects and the music on or off.", false},
      {"Menu brings you back here; Exit closes Pavlora.", false},
      {"Keys work too: arrows or Tab move, Return opens, Page Up and Down turn", false},
      {"pages, F11 switches full screen; or use a game controller's D-pad and A.", false},
  };
  double y = 150;
  for (const Line& line : lines) {
    TextStyle style;
    style.size = line.bold ? 20 : 18;
    style.bold = line.bold;
    style.fill = line.bold ? palette::kPlum : palette::kInk;
    const double x = line.text[0] == '\xE2' ? 70 : 50;
    if (line.bold && y > 160) y += 10;
    DrawText(cr, line.text, x, y, style, Align::kLeft);
    y += line.bold ? 34 : 29;
  }
  TextStyle version;
  version.size = 13;
  version.bold = false;
  version.fill = Hex(0x7A6A8A);
  DrawText(cr, "Pavlora 1.0  \xE2\x80\xA2  all pictures and sounds made for this collection", 50, 486,
           version, Align::kLeft);
  const std::string path = JoinPath(dir, "infoscreen.bmp");
  return Reported(path, canvas.SaveOpaque(path));
}

}  // namespace

bool DrawCatalogueArt(const std::string& dir) {
  bool ok = DrawBackground(dir);
  ok = DrawPageArrow(dir, "PageArrowsLeft.bmp", true) && ok;
  ok = DrawPageArrow(dir, "PageArrowsRight.bmp", false) && ok;
  ok = DrawHelpButton(dir) && ok;
  ok = SaveLabelStrip(dir, "SmallExit.bmp", 76, 44, "Exit", palette::kBerry, 17) && ok;
  ok = DrawGameButton(dir) && ok;
  ok = DrawCollectTile(dir) && ok;
  ok = DrawInfoPage(dir) && ok;
  ok = SaveLabelStrip(dir, "backbutton.bmp", 80, 40, "Back", palette::kSky, 17) && ok;
  return ok;
}

}  // namespace art
