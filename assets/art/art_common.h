// Drawing helpers shared by the picture generators: colours, rounded shapes,
// labels in DejaVu Sans, glossy buttons and state strips whose frames all
// share one opaque silhouette.
#pragma once
#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>

namespace art {

struct Colour {
  double r = 0, g = 0, b = 0, a = 1;
};

constexpr Colour Hex(uint32_t rgb, double alpha = 1.0) {
  return Colour{((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0,
                alpha};
}
// t = 0 gives a, t = 1 gives b.
Colour Mix(Colour a, Colour b, double t);
Colour Lighter(Colour c, double t);  // toward white
Colour Darker(Colour c, double t);   // toward black
Colour WithAlpha(Colour c, double alpha);
void SetSource(cairo_t* cr, Colour c);

// The house palette, so every picture speaks the same colours.
namespace palette {
inline constexpr Colour kInk = Hex(0x2B1E3F);        // outlines and dark text (deep plum)
inline constexpr Colour kCream = Hex(0xFFF8E7);      // light panels
inline constexpr Colour kPaper = Hex(0xFDF3D8);      // table / text panels
inline constexpr Colour kSun = Hex(0xFFC93C);        // gold highlights
inline constexpr Colour kOrange = Hex(0xFF8A3D);
inline constexpr Colour kGrass = Hex(0x5CC45A);      // "go" buttons
inline constexpr Colour kSky = Hex(0x4FB3E8);        // neutral buttons (kept far from the key blue)
inline constexpr Colour kBerry = Hex(0xE2456B);      // exit / destructive
inline constexpr Colour kPlum = Hex(0x7A3FA0);       // purple accents and table text
inline constexpr Colour kTeal = Hex(0x2EB8A6);
// The light question panel behind font.bmp text in the quiz; fonts meant for
// it are rendered against exactly this colour.
inline constexpr Colour kQuestionPanel = Hex(0xFFF8E7);
}  // namespace palette

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);
// A five-pointed star, point up, as a new path around (cx, cy).
void StarPath(cairo_t* cr, double cx, double cy, double outer, double inner);
// Fills (and clears) the current path with a top-to-bottom gradient.
void FillVertical(cairo_t* cr, double y0, double y1, Colour top, Colour bottom);

// Text in DejaVu Sans (Book or Bold) through Cairo's toy font interface.
enum class Align { kLeft, kCentre, kRight };
struct TextStyle {
  double size = 20;
  bool bold = true;
  Colour fill = palette::kCream;
  Colour outline{0, 0, 0, 0};  // alpha 0: no outline
  double outline_width = 0;    // stroke width in pixels (half of it shows outside the glyph)
  Colour shadow{0, 0, 0, 0};   // alpha 0: no shadow
  double shadow_dx = 0, shadow_dy = 2;
};
void SelectFont(cairo_t* cr, double size, bool bold);
double TextWidth(cairo_t* cr, const std::string& text, double size, bool bold);
// x is the left edge, centre or right edge according to align; y is the baseline.
void DrawText(cairo_t* cr, const std::string& text, double x, double baseline, const TextStyle& style,
              Align align = Align::kCentre);
// Centred in the box; the size shrinks until the text fits the box width.
void DrawTextInBox(cairo_t* cr, const std::string& text, double x, double y, double w, double h,
                   TextStyle style);
// Short form: centred at cx on the baseline, no outline.
void DrawLabel(cairo_t* cr, const std::string& text, double cx, double baseline, double size, bool bold,
               Colour colour);

// Buttons. Geometry never depends on the state; only colours do, so the
// frames of one strip keep the same silhouette.
enum class ButtonState { kNormal = 0, kHover = 1, kPressed = 2 };
ButtonState StateOfFrame(int frame);  // 0 normal, 1 hover, 2 pressed
// A rounded candy button filling (x, y, w, h): dark rim, darker base lip,
// gradient body and a gloss highlight.
void PaintGlossyButton(cairo_t* cr, double x, double y, double w, double h, double radius, Colour base,
                       ButtonState state);
void PaintGlossyDisc(cairo_t* cr, double cx, double cy, double radius, Colour base, ButtonState state);
// Glossy rounded button with a centred label, filling the whole frame.
void PaintLabelButton(cairo_t* cr, int w, int h, const std::string& label, Colour base,
                      ButtonState state, double text_size = 0);

// Big title lettering: white with a thick dark rim and a soft drop shadow.
TextStyle HeadingStyle(double size);

// The logo's lettering, centred on cx: an ink rim with its shadow, then a
// warm gradient face running from face_top above the baseline to
// face_bottom below it, with a thin white gloss line when gloss_width > 0.
// A disc of radius r lit from (cx + light_dx, cy + light_dy) (a light spot
// of radius light_r), shading from lit to shade, with a rim of rim_width.
void PaintLitDisc(cairo_t* cr, double cx, double cy, double r, double light_dx, double light_dy,
                  double light_r, Colour lit, Colour shade, Colour rim, double rim_width);
// The logo's sun: a warm PaintLitDisc with an orange rim.
void PaintLogoSun(cairo_t* cr, double cx, double cy, double r, double light_dx, double light_dy,
                  double light_r, double rim_width);
struct LogoLettering {
  double size, outline_width, shadow_dy, shadow_alpha, face_top, face_bottom, gloss_width;
};
void DrawLogoLettering(cairo_t* cr, const std::string& text, double cx, double baseline,
                       const LogoLettering& look);

// Warm sky gradient with soft sun rays from (sun_x, sun_y); fully opaque.
void PaintSunnyBackdrop(cairo_t* cr, double w, double h, double sun_x, double sun_y);

// An opaque pop-up page filling (0, 0, w, h): a plum frame with square outer
// corners, a cream paper sheet inside, and (when title is not empty) a
// ribbon of header_h pixels at the top with the title on it.
void PaintPanel(cairo_t* cr, double w, double h, const std::string& title, double header_h = 70);
// A recessed rounded box (entry fields, displays): dark inside, light lower rim.
void PaintWell(cairo_t* cr, double x, double y, double w, double h, double radius, Colour inside);

// Game pictures (250 x 100) sit under the slot frame, which covers this many
// pixels along each edge: keep a tile's content inside that margin.
inline constexpr int kSlotFrameBorder = 7;

// Lays out frames side by side (cols x rows, row by row) from a painter
// called once per frame with the origin moved to the frame's corner.
// Frame 0 defines the opaque silhouette: every other frame is composed over
// frame 0 and cut to that silhouette, so all frames share exactly one mask.
// Saved keyed: opaque pixels un-premultiplied, the rest pure blue.
using FramePainter = std::function<void(cairo_t* cr, int frame)>;
bool SaveFrames(const std::string& path, int frame_w, int frame_h, int cols, int rows,
                const FramePainter& paint);
inline bool SaveStrip(const std::string& path, int frame_w, int frame_h, int frames,
                      const FramePainter& paint) {
  return SaveFrames(path, frame_w, frame_h, frames, 1, paint);
}

// A strip of two PaintLabelButton frames (normal, highlighted) saved as dir/file.
bool SaveLabelStrip(const std::string& dir, const std::string& file, int w, int h, const std::string& label,
                    Colour base, double text_size = 0);
// Says on stderr which picture could not be written; returns ok unchanged.
bool Reported(const std::string& path, bool ok);

// Drops Cairo's and fontconfig's font caches. Call once at the end of a
// generator's main, after every canvas is gone, so leak checkers see a clean
// exit.
void ReleaseFontCaches();

// Joins a directory and a file name with one '/'.
std::string JoinPath(const std::string& dir, const std::string& name);

}  // namespace art
