// The player editor pop-up: its page with the three entry boxes, and its
// buttons and send-scores switch.
#include <cmath>

#include "art_common.h"
#include "canvas.h"
#include "launcher_parts.h"

namespace art {
namespace {

constexpr int kPageW = 694, kPageH = 564;
// Entry fields in page coordinates: the typed text starts at their top-left.
constexpr int kFieldX = 50, kFieldW = 580, kFieldH = 26;
constexpr int kFieldY[3] = {270, 336, 404};
// The bottom tray behind the switch and the buttons, one flat colour so the
// switch (fully opaque) blends in.
constexpr double kTrayTop = 462;
constexpr Colour kTray = Hex(0xF3D9A4);
// The send-scores switch at (37, 486).
constexpr int kSwitchX = 37, kSwitchY = 486, kSwitchW = 100, kSwitchH = 40;

void PaintFieldLabel(cairo_t* cr, const char* label, double y) {
  TextStyle style;
  style.size = 17;
  style.bold = true;
  style.fill = palette::kPlum;
  DrawText(cr, label, kFieldX - 2, y - 9, style, Align::kLeft);
}

bool DrawPage(const std::string& dir) {
  Canvas canvas(kPageW, kPageH);
  cairo_t* cr = canvas.cr();
  PaintPanel(cr, kPageW, kPageH, "Players", 70);

  // A friendly note on how the page works.
  cairo_save(cr);
  RoundedRect(cr, 40, 110, 614, 112, 16);
  SetSource(cr, WithAlpha(palette::kSun, 0.22));
  cairo_fill(cr);
  cairo_restore(cr);
  TextStyle lead;
  lead.size = 19;
  lead.bold = true;
  lead.fill = palette::kInk;
  DrawText(cr, "Tell us who is playing!", 347, 142, lead, Align::kCentre);
  TextStyle note;
  note.size = 15;
  note.bold = false;
  note.fill = Hex(0x4A3A5C);
  DrawText(cr, "Type your name, address and e-mail. Tab or Enter moves to the next box.", 347, 172, note,
           Align::kCentre);
  DrawText(cr, "Click Enter to keep the changes, Back to leave them, Remove to start afresh.", 347, 196,
           note, Align::kCentre);

  const char* labels[3] = {"Name", "Address", "E-mail"};
  for (int i = 0; i < 3; ++i) {
    PaintFieldLabel(cr, labels[i], kFieldY[i]);
    // The box reaches a little beyond the field so typed text has a margin.
    PaintWell(cr, kFieldX - 6, kFieldY[i] - 4, kFieldW + 12, kFieldH + 2, 8, Hex(0x4A3968));
  }

  // Tray for the switch and the buttons.
  cairo_save(cr);
  cairo_rectangle(cr, 16, kTrayTop, kPageW - 32, kPageH - 16 - kTrayTop);
  SetSource(cr, kTray);
  cairo_fill(cr);
  cairo_rectangle(cr, 16, kTrayTop, kPageW - 32, 2);
  SetSource(cr, WithAlpha(Hex(0xC89A52), 1.0));
  cairo_fill(cr);
  cairo_restore(cr);
  TextStyle send;
  send.size = 16;
  send.bold = true;
  send.fill = palette::kInk;
  DrawText(cr, "Send my scores", 148, kSwitchY + 17, send, Align::kLeft);
  TextStyle hint;
  hint.size = 12;
  hint.bold = false;
  hint.fill = Hex(0x6A5A7C);
  DrawText(cr, "to the high-score page", 148, kSwitchY + 34, hint, Align::kLeft);

  const std::string path = JoinPath(dir, "PlayerInfo.bmp");
  return Reported(path, canvas.SaveOpaque(path));
}

// YES / NO switch: fully opaque (the page's tray colour around the pill),
// frame 0 yes, frame 1 no; the pill and its knob move nothing but colours.
bool DrawYesNo(const std::string& dir) {
  const std::string path = JoinPath(dir, "yesno.bmp");
  return Reported(path, SaveStrip(path, kSwitchW, kSwitchH, 2, [](cairo_t* cr, int frame) {
                 const bool yes = frame == 0;
                 cairo_rectangle(cr, 0, 0, kSwitchW, kSwitchH);
                 SetSource(cr, kTray);
                 cairo_fill(cr);
                 const Colour base = yes ? palette::kGrass : palette::kBerry;
                 PaintGlossyButton(cr, 2, 2, kSwitchW - 4, kSwitchH - 4, 17, base, ButtonState::kNormal);
                 // Knob on the side opposite the word.
                 const double knob_x = yes ? kSwitchW - 21 : 21;
                 cairo_arc(cr, knob_x, 19, 13, 0, 2 * M_PI);
                 SetSource(cr, Darker(base, 0.55));
                 cairo_fill(cr);
                 cairo_arc(cr, knob_x, 19, 11.5, 0, 2 * M_PI);
                 FillVertical(cr, 7, 31, Hex(0xFFFFFF), Hex(0xE3DCEB));
                 TextStyle style;
                 style.size = 17;
                 style.fill = Colour{1, 1, 1, 1};
                 style.outline = Darker(base, 0.6);
                 style.outline_width = 3;
                 DrawText(cr, yes ? "YES" : "NO", yes ? 38 : 62, 26, style, Align::kCentre);
               }));
}

}  // namespace

bool DrawPlayersPopup(const std::string& dir) {
  bool ok = DrawPage(dir);
  ok = DrawYesNo(dir) && ok;
  ok = SaveLabelStrip(dir, "EnterButton.bmp", 120, 48, "Enter", palette::kGrass, 21) && ok;
  ok = SaveLabelStrip(dir, "RemoveButton.bmp", 108, 48, "Remove", palette::kBerry, 18) && ok;
  return ok;
}

}  // namespace art
