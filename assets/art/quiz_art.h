// Pictures of the quiz: the board, its sprites and pop-ups, the title art and
// the game tile. Every generator here paints with Cairo and writes one or
// more 24-bit BMP files into the game directory.
#pragma once
#include <cairo.h>

#include <functional>
#include <string>

#include "art_common.h"
#include "canvas.h"

namespace art::quiz {

// Screen rectangles of the quiz board that the pictures must agree on.
struct Rect {
  int x, y, w, h;
};
inline constexpr Rect kBestBox{10, 10, 136, 34};
inline constexpr Rect kScoreBox{650, 10, 136, 34};
inline constexpr Rect kLadderPanel{2, 70, 150, 442};
inline constexpr Rect kQuestionArea{164, 244, 466, 168};
inline constexpr Rect kTimeBar{649, 74, 136, 440};
inline constexpr Rect kStamp{345, 254, 104, 32};
// The part of every bull frame that is opaque; the rest of the 415 x 251
// frame is key blue so the bull never covers the question panel.
inline constexpr Rect kBullBackdrop{164, 14, 415, 230};
inline constexpr int kBullFrameW = 415, kBullFrameH = 251;
inline constexpr int kRungW = 136, kRungH = 40, kRungs = 10;
inline constexpr int kFlowerSize = 40;
// Rung i of the ladder sits at (kRungX, RungY(i)).
inline constexpr int kRungX = 10;
constexpr int RungY(int i) { return 466 - 43 * i; }

// The quiz's own colours, on top of the house palette.
namespace tone {
inline constexpr Colour kSkyTop = Hex(0x5DB8EA);
inline constexpr Colour kSkyLow = Hex(0xD4F1FB);
inline constexpr Colour kHillFar = Hex(0x9CD67C);
inline constexpr Colour kHillNear = Hex(0x72C253);
inline constexpr Colour kMeadow = Hex(0x6CBF4A);
inline constexpr Colour kMeadowDeep = Hex(0x4E9E38);
inline constexpr Colour kWood = Hex(0xB97A43);
inline constexpr Colour kWoodDark = Hex(0x7C4A25);
inline constexpr Colour kWoodLight = Hex(0xD9A066);
inline constexpr Colour kFence = Hex(0xE3B27A);
inline constexpr Colour kBullOutline = Hex(0x2E1A10);
inline constexpr Colour kTrue = Hex(0x49B847);
inline constexpr Colour kPass = Hex(0xF2A93B);
inline constexpr Colour kFalse = Hex(0xE2493F);
}  // namespace tone

// The sunny pasture behind everything: sky, clouds, hills, fence, meadow.
// It depends only on the layout and screen coordinates, so any crop of it
// painted with the same origin matches the board pixel for pixel.
struct PastureLayout {
  double horizon = 0;                   // moves hills, fence and meadow down
  double sun_x = 548, sun_y = 50;
  double patch_x = 371, patch_y = 238;  // the sandy spot the bull stands on
  double patch_w = 200;
};
void PaintPasture(cairo_t* cr, int width, int height, const PastureLayout& layout = {});

// A wooden board with a bevelled rim and grain lines, filling (x, y, w, h).
void PaintWoodPanel(cairo_t* cr, double x, double y, double w, double h, double radius, unsigned seed);
// A soft shadow below a rounded rectangle (drawn before it).
void PaintSoftShadow(cairo_t* cr, double x, double y, double w, double h, double radius, double spread,
                     double strength);
// A five-petal-ring daisy of the given radius centred at (cx, cy).
void PaintDaisy(cairo_t* cr, double cx, double cy, double radius);

// The bull, drawn into a 415 x 230 area whose top-left is the origin.
void PaintBull(cairo_t* cr, int pose);
inline constexpr int kBullPoses = 16;
// The bull's head in its resting pose, centred on the origin; horns and ears
// reach about 125 units to either side and 100 up, the muzzle 90 down.
void PaintBullHead(cairo_t* cr);

// A strip of frames painted by `paint` on transparent frames and then laid
// over the board picture at the screen position each frame will occupy, so
// the edges blend into what they really sit on. Frame 0's coverage decides
// the silhouette, shared by every frame. `position(i)` gives frame i's
// screen corner.
using FramePlace = std::function<Rect(int frame)>;
bool SaveFramesOverBoard(const std::string& path, int frame_w, int frame_h, int frames,
                         const FramePainter& paint, const FramePlace& place, const Canvas& board);

// An opaque picture (background or pop-up) painted over a white start.
bool SaveOpaquePicture(const std::string& path, int w, int h, const std::function<void(cairo_t*)>& paint);

// Writers, one per picture family; each returns false when a file could not be written.
void PaintBoard(Canvas& board);  // background.bmp without saving
bool WriteBullFrames(const std::string& dir, const Canvas& board);
bool WriteTimeBar(const std::string& dir);
bool WriteLadderTiles(const std::string& dir, const Canvas& board);
bool WriteControls(const std::string& dir, const Canvas& board);
bool WriteMarks(const std::string& dir, const Canvas& board);
bool WritePopups(const std::string& dir);
bool WriteTitleArt(const std::string& dir);
bool WriteGameTile(const std::string& dir);

}  // namespace art::quiz
