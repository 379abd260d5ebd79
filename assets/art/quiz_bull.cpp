// The bull: one cartoon drawn from a handful of pose parameters, so the 16
// frames of its animations stay one recognisable character.
#include <cmath>

#include "quiz_art.h"

namespace art::quiz {
namespace {

constexpr Colour kCoat = Hex(0x8A5230);
constexpr Colour kCoatLight = Hex(0xB0713F);
constexpr Colour kCoatShade = Hex(0x6A3C22);
constexpr Colour kMuzzle = Hex(0xF6E2D2);
constexpr Colour kMuzzleShade = Hex(0xE3BFA8);
constexpr Colour kHoof = Hex(0x4A3328);
constexpr Colour kHorn = Hex(0xF4E8C6);
constexpr Colour kHornTip = Hex(0xC9B48A);
constexpr Colour kTuft = Hex(0x3A2216);
constexpr Colour kGold = Hex(0xF2BE38);
constexpr Colour kLine = tone::kBullOutline;
constexpr double kOutline = 3.0;
// Drawing scale of the whole figure.
constexpr double kScale = 0.86;

enum class Eyes { kOpen, kHalf, kHappy, kClosed, kAngry, kSquint };
enum class Mouth { kSmile, kChew, kFrown, kGrin, kFlat, kWavy, kSide, kSleep };
enum class Stance { kStand, kJump, kPaw, kShrug, kScratch, kLying };

struct Pose {
  Stance stance = Stance::kStand;
  double body_dy = 0;
  double head_dx = 0, head_dy = 0, head_rot = 0, head_turn = 0;
  Eyes eyes = Eyes::kOpen;
  double look_x = 0, look_y = 0;
  double brow_anger = 0, brow_raise = 0, brow_tilt = 0;
  Mouth mouth = Mouth::kSmile;
  int steam = 0;  // 0 none, 1 a snort, 2 big clouds
  bool blush = false, anger_mark = false, question = false, sparkles = false, zzz = false,
       dust = false, shrug_marks = false;
};

Pose PoseFor(int frame) {
  Pose p;
  switch (frame) {
    case 0: break;
    case 1:  // chewing, eyes narrowed
      p.eyes = Eyes::kHalf;
      p.mouth = Mouth::kChew;
      p.brow_raise = -3;
      break;
    case 2:  // angry snort
      p.eyes = Eyes::kAngry;
      p.brow_anger = 1;
      p.mouth = Mouth::kFrown;
      p.steam = 1;
      p.anger_mark = true;
      p.head_dy = 4;
      break;
    case 3:  // happy nod: up
      p.head_dy = -10;
      p.head_rot = 0;
      p.eyes = Eyes::kHappy;
      p.mouth = Mouth::kGrin;
      p.blush = true;
      p.brow_raise = 5;
      break;
    case 4:  // middle
      p.head_dy = 2;
      p.eyes = Eyes::kHappy;
      p.mouth = Mouth::kGrin;
      p.blush = true;
      p.brow_raise = 3;
      break;
    case 5:  // down
      p.head_dy = 14;
      p.eyes = Eyes::kHappy;
      p.mouth = Mouth::kGrin;
      p.blush = true;
      p.brow_raise = 1;
      break;
    case 6:  // jump of joy
      p.stance = Stance::kJump;
      p.body_dy = -24;
      p.head_dy = 4;
      p.eyes = Eyes::kHappy;
      p.mouth = Mouth::kGrin;
      p.blush = true;
      p.brow_raise = 7;
      p.sparkles = true;
      break;
    case 7:  // head lowered, ready to charge
      p.head_dy = 30;
      p.body_dy = 4;
      p.eyes = Eyes::kAngry;
      p.look_y = -1;
      p.brow_anger = 1;
      p.mouth = Mouth::kFrown;
      p.steam = 1;
      break;
    case 8:  // pawing the ground, fuming
      p.stance = Stance::kPaw;
      p.head_dy = 32;
      p.body_dy = 4;
      p.head_rot = -0.05;
      p.eyes = Eyes::kAngry;
      p.look_y = -1;
      p.brow_anger = 1.2;
      p.mouth = Mouth::kFrown;
      p.steam = 2;
      p.anger_mark = true;
      p.dust = true;
      break;
    case 9:  // look left
      p.look_x = -1;
      p.brow_tilt = 3;
      p.mouth = Mouth::kFlat;
      break;
    case 10:  // look right
      p.look_x = 1;
      p.brow_tilt = -3;
      p.mouth = Mouth::kFlat;
      break;
    case 11:  // head turned left ("no")
      p.head_turn = -1;
      p.head_rot = -0.1;
      p.head_dx = -10;
      p.look_x = -0.6;
      p.brow_anger = 0.5;
      p.mouth = Mouth::kFrown;
      break;
    case 12:  // head turned right
      p.head_turn = 1;
      p.head_rot = 0.1;
      p.head_dx = 10;
      p.look_x = 0.6;
      p.brow_anger = 0.5;
      p.mouth = Mouth::kFrown;
      break;
    case 13:  // shrug
      p.stance = Stance::kShrug;
      p.body_dy = -3;
      p.head_dy = 8;
      p.head_rot = 0.12;
      p.brow_raise = 8;
      p.brow_tilt = -5;
      p.look_y = -0.4;
      p.mouth = Mouth::kWavy;
      p.shrug_marks = true;
      break;
    case 14:  // scratching the head with a hoof
      p.stance = Stance::kScratch;
      p.head_rot = -0.14;
      p.head_dx = -6;
      p.eyes = Eyes::kSquint;
      p.look_x = 0.5;
      p.look_y = -0.6;
      p.brow_raise = 4;
      p.brow_tilt = 6;
      p.mouth = Mouth::kSide;
      p.question = true;
      break;
    case 15:  // asleep
      p.stance = Stance::kLying;
      p.head_dy = 58;
      p.head_rot = 0.08;
      p.eyes = Eyes::kClosed;
      p.mouth = Mouth::kSleep;
      p.brow_raise = -2;
      p.zzz = true;
      break;
    default: break;
  }
  return p;
}

void Stroke(cairo_t* cr, Colour c, double width) {
  SetSource(cr, c);
  cairo_set_line_width(cr, width);
  cairo_stroke(cr);
}

void FillAndOutline(cairo_t* cr, Colour fill, double width = kOutline) {
  SetSource(cr, fill);
  cairo_fill_preserve(cr);
  Stroke(cr, kLine, width);
}

void Ellipse(cairo_t* cr, double x, double y, double rx, double ry, double angle = 0) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, angle);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
}

struct Pt {
  double x, y;
};

// A leg as a thick polyline ending in a hoof whose sole is the last joint.
void Leg(cairo_t* cr, std::initializer_list<Pt> joints, double width, Colour coat) {
  constexpr double kHoofLen = 10;
  const Pt* end = std::data(joints) + joints.size() - 1;
  const Pt* before = end - 1;
  const double dx = end->x - before->x, dy = end->y - before->y;
  const double len = std::hypot(dx, dy);
  const double ux = dx / len, uy = dy / len;
  const double nx = -uy, ny = ux;
  const double hx = end->x - ux * kHoofLen, hy = end->y - uy * kHoofLen;
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  auto path = [&] {
    for (const Pt* p = std::data(joints); p != end; ++p) {
      p == std::data(joints) ? cairo_move_to(cr, p->x, p->y) : cairo_line_to(cr, p->x, p->y);
    }
    cairo_line_to(cr, hx + ux, hy + uy);
  };
  path();
  Stroke(cr, kLine, width + 2 * kOutline);
  path();
  Stroke(cr, coat, width);
  // The hoof, a little wider at the sole.
  const double top = width / 2 + 0.5, sole = width / 2 + 2;
  cairo_move_to(cr, hx + nx * top, hy + ny * top);
  cairo_line_to(cr, end->x + nx * sole, end->y + ny * sole);
  cairo_line_to(cr, end->x - nx * sole, end->y - ny * sole);
  cairo_line_to(cr, hx - nx * top, hy - ny * top);
  cairo_close_path(cr);
  SetSource(cr, kHoof);
  cairo_fill_preserve(cr);
  Stroke(cr, kLine, 2.6);
  // The cleft of the hoof.
  cairo_move_to(cr, end->x - ux * 6, end->y - uy * 6);
  cairo_line_to(cr, end->x, end->y);
  Stroke(cr, Hex(0x120A06), 1.8);
  cairo_restore(cr);
}

void Tail(cairo_t* cr, double x, double y, double swing) {
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, x, y);
  cairo_curve_to(cr, x + 30, y - 10 + swing, x + 34, y + 26, x + 40 + swing, y + 44);
  Stroke(cr, kLine, 5 + 2 * kOutline);
  cairo_move_to(cr, x, y);
  cairo_curve_to(cr, x + 30, y - 10 + swing, x + 34, y + 26, x + 40 + swing, y + 44);
  Stroke(cr, kCoat, 5);
  // Tuft.
  cairo_move_to(cr, x + 40 + swing, y + 38);
  cairo_curve_to(cr, x + 52 + swing, y + 46, x + 50 + swing, y + 58, x + 42 + swing, y + 62);
  cairo_curve_to(cr, x + 38 + swing, y + 56, x + 30 + swing, y + 54, x + 32 + swing, y + 44);
  cairo_close_path(cr);
  FillAndOutline(cr, kTuft, 2.4);
  cairo_restore(cr);
}

void Body(cairo_t* cr, double cx, double cy, double rx, double ry) {
  Ellipse(cr, cx, cy, rx, ry);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, cy - ry, 0, cy + ry);
  cairo_pattern_add_color_stop_rgb(g, 0, kCoatLight.r, kCoatLight.g, kCoatLight.b);
  cairo_pattern_add_color_stop_rgb(g, 0.55, kCoat.r, kCoat.g, kCoat.b);
  cairo_pattern_add_color_stop_rgb(g, 1, kCoatShade.r, kCoatShade.g, kCoatShade.b);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  Stroke(cr, kLine, kOutline);
  // A few darker patches give the coat some character.
  cairo_save(cr);
  Ellipse(cr, cx, cy, rx - 1.5, ry - 1.5);
  cairo_clip(cr);
  Ellipse(cr, cx - rx * 0.78, cy - ry * 0.2, rx * 0.28, ry * 0.45, 0.4);
  Ellipse(cr, cx + rx * 0.82, cy + ry * 0.1, rx * 0.22, ry * 0.5, -0.3);
  SetSource(cr, WithAlpha(kCoatShade, 0.7));
  cairo_fill(cr);
  cairo_restore(cr);
}

// A white chest blaze under the chin.
void Chest(cairo_t* cr, double cx, double cy) {
  cairo_move_to(cr, cx - 30, cy - 18);
  cairo_curve_to(cr, cx - 26, cy + 8, cx - 10, cy + 22, cx, cy + 26);
  cairo_curve_to(cr, cx + 10, cy + 22, cx + 26, cy + 8, cx + 30, cy - 18);
  cairo_close_path(cr);
  SetSource(cr, WithAlpha(kMuzzle, 0.95));
  cairo_fill(cr);
}

void Steam(cairo_t* cr, double x, double y, double dir, int level) {
  const int puffs = level == 2 ? 6 : 4;
  for (int i = 0; i < puffs; ++i) {
    const double t = i / static_cast<double>(puffs - 1);
    // A snort shoots out sideways; a big fume billows out and up.
    const double r = (level == 2 ? 6 : 5) + t * (level == 2 ? 13 : 8);
    const double px = x + dir * (10 + t * (level == 2 ? 62 : 42));
    const double py = level == 2 ? y + 6 - t * t * 34 : y + 6 + t * 5 - std::sin(t * M_PI) * 5;
    Ellipse(cr, px, py, r * 1.15, r);
    SetSource(cr, Hex(0x9FA9B0, 0.9));
    cairo_set_line_width(cr, 3);
    cairo_stroke_preserve(cr);
    SetSource(cr, Hex(0xFAFCFD, 0.96));
    cairo_fill(cr);
  }
}

void Sparkle(cairo_t* cr, double x, double y, double r, Colour c) {
  cairo_move_to(cr, x, y - r);
  cairo_curve_to(cr, x + r * 0.12, y - r * 0.12, x + r * 0.12, y - r * 0.12, x + r, y);
  cairo_curve_to(cr, x + r * 0.12, y + r * 0.12, x + r * 0.12, y + r * 0.12, x, y + r);
  cairo_curve_to(cr, x - r * 0.12, y + r * 0.12, x - r * 0.12, y + r * 0.12, x - r, y);
  cairo_curve_to(cr, x - r * 0.12, y - r * 0.12, x - r * 0.12, y - r * 0.12, x, y - r);
  cairo_close_path(cr);
  SetSource(cr, Darker(c, 0.45));
  cairo_set_line_width(cr, 2);
  cairo_stroke_preserve(cr);
  SetSource(cr, c);
  cairo_fill(cr);
}

void Dust(cairo_t* cr, double x, double y) {
  static constexpr double kPuffs[][3] = {{-26, -4, 9}, {-12, -10, 12}, {4, -6, 10},
                                         {18, -3, 8},  {-36, 0, 6},    {30, 0, 6}};
  for (const auto& p : kPuffs) Ellipse(cr, x + p[0], y + p[1], p[2] * 1.2, p[2]);
  SetSource(cr, Hex(0xB08A5A, 0.9));
  cairo_set_line_width(cr, 2.5);
  cairo_stroke_preserve(cr);
  SetSource(cr, Hex(0xE8CF9E));
  cairo_fill(cr);
}

void Symbol(cairo_t* cr, const char* text, double x, double baseline, double size, Colour fill,
            double angle = 0) {
  cairo_save(cr);
  cairo_translate(cr, x, baseline);
  cairo_rotate(cr, angle);
  TextStyle style;
  style.size = size;
  style.bold = true;
  style.fill = fill;
  style.outline = palette::kInk;
  style.outline_width = std::max(3.0, size * 0.14);
  style.shadow_dy = 0;
  DrawText(cr, text, 0, 0, style, Align::kCentre);
  cairo_restore(cr);
}

void Eye(cairo_t* cr, double x, double y, double side, const Pose& p) {
  const double rx = 13.5, ry = 16.5;
  cairo_save(cr);
  switch (p.eyes) {
    case Eyes::kHappy: {
      // A closed, upturned arc.
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      cairo_move_to(cr, x - 12, y + 4);
      cairo_curve_to(cr, x - 8, y - 12, x + 8, y - 12, x + 12, y + 4);
      Stroke(cr, kLine, 5);
      break;
    }
    case Eyes::kClosed: {
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      cairo_move_to(cr, x - 12, y + 2);
      cairo_curve_to(cr, x - 7, y + 10, x + 7, y + 10, x + 12, y + 2);
      Stroke(cr, kLine, 4);
      // Lashes.
      for (int i = -1; i <= 1; ++i) {
        cairo_move_to(cr, x + i * 6, y + 8);
        cairo_line_to(cr, x + i * 8, y + 13);
      }
      Stroke(cr, kLine, 2.2);
      break;
    }
    default: {
      Ellipse(cr, x, y, rx, ry);
      SetSource(cr, Hex(0xFFFFFF));
      cairo_fill_preserve(cr);
      Stroke(cr, kLine, 2.6);
      cairo_save(cr);
      Ellipse(cr, x, y, rx - 1.3, ry - 1.3);
      cairo_clip(cr);
      const double px = x + p.look_x * 5.5, py = y + 2 + p.look_y * 6.5;
      const double pr = p.eyes == Eyes::kAngry ? 7 : 8.5;
      cairo_arc(cr, px, py, pr, 0, 2 * M_PI);
      SetSource(cr, Hex(0x3A2418));
      cairo_fill(cr);
      cairo_arc(cr, px, py, pr * 0.6, 0, 2 * M_PI);
      SetSource(cr, Hex(0x120A08));
      cairo_fill(cr);
      cairo_arc(cr, px - 2.8, py - 3.2, 2.8, 0, 2 * M_PI);
      cairo_arc(cr, px + 3, py + 3, 1.2, 0, 2 * M_PI);
      SetSource(cr, Hex(0xFFFFFF));
      cairo_fill(cr);
      // Eyelids for the narrowed looks: coat colour over the top of the eye.
      double lid_in = 0, lid_out = 0;  // how far down the lid reaches (0 none, 1 the whole eye)
      if (p.eyes == Eyes::kHalf) lid_in = lid_out = 0.52;
      if (p.eyes == Eyes::kAngry) {
        lid_in = 0.62;
        lid_out = 0.22;
      }
      if (p.eyes == Eyes::kSquint) lid_in = lid_out = side < 0 ? 0.25 : 0.6;
      if (lid_in > 0) {
        const double yin = y - ry + 2 * ry * lid_in, yout = y - ry + 2 * ry * lid_out;
        // side < 0: the eye on the viewer's left, whose inner corner is on its right.
        const double xin = x - side * (rx + 2), xout = x + side * (rx + 2);
        cairo_move_to(cr, xin, y - ry - 4);
        cairo_line_to(cr, xin, yin);
        cairo_line_to(cr, xout, yout);
        cairo_line_to(cr, xout, y - ry - 4);
        cairo_close_path(cr);
        SetSource(cr, kCoatLight);
        cairo_fill(cr);
        cairo_move_to(cr, xin, yin);
        cairo_line_to(cr, xout, yout);
        Stroke(cr, kLine, 3);
      }
      cairo_restore(cr);
      Ellipse(cr, x, y, rx, ry);
      Stroke(cr, kLine, 2.6);
      break;
    }
  }
  cairo_restore(cr);
}

void Brow(cairo_t* cr, double x, double y, double side, const Pose& p) {
  // side -1: viewer's left eye, +1: right eye. Inner end is toward the middle.
  const double raise = p.brow_raise + p.brow_tilt * side;
  const double in_x = x - side * 14, out_x = x + side * 15;
  const double in_y = y - 28 - raise + p.brow_anger * 15;
  const double out_y = y - 28 - raise - p.brow_anger * 6;
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, in_x, in_y);
  cairo_curve_to(cr, in_x + side * 9, in_y - 5 + p.brow_anger * 2, out_x - side * 8, out_y - 4, out_x,
                 out_y);
  Stroke(cr, kTuft, 6.5);
  cairo_restore(cr);
}

void Mouth(cairo_t* cr, double x, double y, const Pose& p) {
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  switch (p.mouth) {
    case Mouth::kSmile:
      cairo_move_to(cr, x - 20, y - 3);
      cairo_curve_to(cr, x - 10, y + 7, x + 10, y + 7, x + 20, y - 3);
      Stroke(cr, kLine, 3);
      break;
    case Mouth::kChew:
      // Jaw pushed to one side, a stalk of grass sticking out.
      cairo_move_to(cr, x + 22, y - 2);
      cairo_line_to(cr, x + 56, y - 22);
      Stroke(cr, Hex(0x3E7A2A), 5.5);
      cairo_move_to(cr, x + 22, y - 2);
      cairo_line_to(cr, x + 56, y - 22);
      Stroke(cr, Hex(0x7CC652), 3);
      cairo_move_to(cr, x + 46, y - 16);
      cairo_curve_to(cr, x + 52, y - 26, x + 58, y - 30, x + 66, y - 30);
      Stroke(cr, Hex(0x3E7A2A), 4.5);
      cairo_move_to(cr, x + 46, y - 16);
      cairo_curve_to(cr, x + 52, y - 26, x + 58, y - 30, x + 66, y - 30);
      Stroke(cr, Hex(0x9BDB6E), 2.2);
      cairo_move_to(cr, x - 12, y + 1);
      cairo_curve_to(cr, x - 2, y + 5, x + 12, y + 3, x + 24, y - 3);
      Stroke(cr, kLine, 3);
      cairo_move_to(cr, x - 14, y - 2);
      cairo_line_to(cr, x - 10, y + 3);
      Stroke(cr, kLine, 2.5);
      break;
    case Mouth::kFrown:
      cairo_move_to(cr, x - 18, y + 5);
      cairo_curve_to(cr, x - 9, y - 4, x + 9, y - 4, x + 18, y + 5);
      Stroke(cr, kLine, 3.2);
      break;
    case Mouth::kGrin:
      cairo_move_to(cr, x - 24, y - 6);
      cairo_curve_to(cr, x - 12, y + 16, x + 12, y + 16, x + 24, y - 6);
      cairo_close_path(cr);
      SetSource(cr, Hex(0x7A2A2A));
      cairo_fill_preserve(cr);
      Stroke(cr, kLine, 3);
      // Tongue.
      cairo_save(cr);
      cairo_move_to(cr, x - 24, y - 6);
      cairo_curve_to(cr, x - 12, y + 16, x + 12, y + 16, x + 24, y - 6);
      cairo_close_path(cr);
      cairo_clip(cr);
      Ellipse(cr, x + 2, y + 10, 12, 7);
      SetSource(cr, Hex(0xF07C86));
      cairo_fill(cr);
      cairo_restore(cr);
      break;
    case Mouth::kFlat:
      cairo_move_to(cr, x - 14, y + 1);
      cairo_curve_to(cr, x - 5, y + 3, x + 5, y + 3, x + 14, y);
      Stroke(cr, kLine, 3);
      break;
    case Mouth::kWavy:
      cairo_move_to(cr, x - 18, y + 2);
      cairo_curve_to(cr, x - 12, y - 4, x - 6, y - 4, x, y + 1);
      cairo_curve_to(cr, x + 6, y + 6, x + 12, y + 6, x + 18, y);
      Stroke(cr, kLine, 3);
      break;
    case Mouth::kSide:
      cairo_move_to(cr, x - 6, y + 3);
      cairo_curve_to(cr, x + 4, y + 4, x + 12, y + 1, x + 20, y - 5);
      Stroke(cr, kLine, 3);
      break;
    case Mouth::kSleep:
      cairo_move_to(cr, x - 10, y);
      cairo_curve_to(cr, x - 4, y + 4, x + 4, y + 4, x + 10, y);
      Stroke(cr, kLine, 2.6);
      break;
  }
  cairo_restore(cr);
}

void Horn(cairo_t* cr, double side) {
  cairo_save(cr);
  cairo_scale(cr, side, 1);
  cairo_move_to(cr, 38, -52);
  cairo_curve_to(cr, 60, -58, 78, -66, 84, -94);
  cairo_curve_to(cr, 92, -70, 80, -44, 54, -36);
  cairo_close_path(cr);
  cairo_pattern_t* g = cairo_pattern_create_linear(50, -40, 84, -92);
  cairo_pattern_add_color_stop_rgb(g, 0, kHorn.r, kHorn.g, kHorn.b);
  cairo_pattern_add_color_stop_rgb(g, 0.7, kHorn.r, kHorn.g, kHorn.b);
  cairo_pattern_add_color_stop_rgb(g, 1, kHornTip.r, kHornTip.g, kHornTip.b);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  Stroke(cr, kLine, kOutline);
  // Two growth rings near the base.
  cairo_move_to(cr, 52, -56);
  cairo_line_to(cr, 58, -40);
  cairo_move_to(cr, 61, -60);
  cairo_line_to(cr, 66, -45);
  Stroke(cr, WithAlpha(kHornTip, 0.9), 2);
  cairo_restore(cr);
}

void Ear(cairo_t* cr, double side, double scale) {
  cairo_save(cr);
  cairo_translate(cr, side * 74, -20);
  cairo_rotate(cr, side * 0.32);
  cairo_scale(cr, scale, scale);
  Ellipse(cr, side * 14, 0, 28, 12.5);
  FillAndOutline(cr, kCoat);
  Ellipse(cr, side * 17, 1, 18, 6.5);
  SetSource(cr, Hex(0xE8A49A));
  cairo_fill(cr);
  cairo_restore(cr);
}

// The head in its own coordinates: origin at the middle of the face.
void Head(cairo_t* cr, const Pose& p) {
  const double t = p.head_turn;
  const double ft = 16 * t;  // face features slide toward the turn
  // Ears behind the skull; the far one shrinks as the head turns away from it.
  Ear(cr, -1, 1 - 0.3 * std::max(0.0, t) + 0.1 * std::max(0.0, -t));
  Ear(cr, 1, 1 - 0.3 * std::max(0.0, -t) + 0.1 * std::max(0.0, t));
  cairo_save(cr);
  cairo_translate(cr, 4 * t, 0);
  Horn(cr, -1);
  Horn(cr, 1);
  cairo_restore(cr);

  // Skull: broad forehead, full cheeks, narrowing into the muzzle.
  cairo_save(cr);
  cairo_translate(cr, 5 * t, 0);
  cairo_move_to(cr, -60, -46);
  cairo_curve_to(cr, -40, -70, 40, -70, 60, -46);
  cairo_curve_to(cr, 72, -28, 70, 8, 54, 34);
  cairo_line_to(cr, -54, 34);
  cairo_curve_to(cr, -70, 8, -72, -28, -60, -46);
  cairo_close_path(cr);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, -66, 0, 34);
  cairo_pattern_add_color_stop_rgb(g, 0, kCoatLight.r, kCoatLight.g, kCoatLight.b);
  cairo_pattern_add_color_stop_rgb(g, 1, kCoat.r, kCoat.g, kCoat.b);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  Stroke(cr, kLine, kOutline);
  // Shading on the far cheek when turned.
  if (t != 0) {
    cairo_save(cr);
    cairo_move_to(cr, -60, -46);
    cairo_curve_to(cr, -40, -70, 40, -70, 60, -46);
    cairo_curve_to(cr, 72, -28, 70, 8, 54, 34);
    cairo_line_to(cr, -54, 34);
    cairo_curve_to(cr, -70, 8, -72, -28, -60, -46);
    cairo_clip(cr);
    cairo_rectangle(cr, -80, -80, 160, 120);
    cairo_pattern_t* shade = cairo_pattern_create_linear(-t * 72, 0, -t * 30, 0);
    cairo_pattern_add_color_stop_rgba(shade, 0, kCoatShade.r, kCoatShade.g, kCoatShade.b, 0.7);
    cairo_pattern_add_color_stop_rgba(shade, 1, kCoatShade.r, kCoatShade.g, kCoatShade.b, 0);
    cairo_set_source(cr, shade);
    cairo_fill(cr);
    cairo_pattern_destroy(shade);
    cairo_restore(cr);
  }
  cairo_restore(cr);

  if (p.blush) {
    Ellipse(cr, ft - 44, 14, 12, 7);
    Ellipse(cr, ft + 44, 14, 12, 7);
    SetSource(cr, Hex(0xF48A8A, 0.55));
    cairo_fill(cr);
  }

  // Curly forelock.
  for (int i = -2; i <= 2; ++i) {
    Ellipse(cr, ft * 0.6 + i * 9, -58 + std::abs(i) * 3, 8, 9, i * 0.3);
  }
  FillAndOutline(cr, kTuft, 2.2);
  for (int i = -2; i <= 2; ++i) {
    Ellipse(cr, ft * 0.6 + i * 9, -58 + std::abs(i) * 3, 8, 9, i * 0.3);
  }
  SetSource(cr, kTuft);
  cairo_fill(cr);
  for (int i = -1; i <= 1; ++i) {
    cairo_arc(cr, ft * 0.6 + i * 10 - 2, -61 + std::abs(i) * 3, 3, 0, 2 * M_PI);
    cairo_new_sub_path(cr);
  }
  SetSource(cr, Hex(0x6A4430));
  cairo_fill(cr);

  // Eyes and brows.
  Eye(cr, ft - 27, -12, -1, p);
  Eye(cr, ft + 27, -12, 1, p);
  Brow(cr, ft - 27, -12, -1, p);
  Brow(cr, ft + 27, -12, 1, p);

  // Muzzle with nostrils and a gold ring.
  Ellipse(cr, ft * 1.1, 46, 56 - 4 * std::fabs(t), 33);
  cairo_pattern_t* m = cairo_pattern_create_linear(0, 14, 0, 80);
  cairo_pattern_add_color_stop_rgb(m, 0, kMuzzle.r, kMuzzle.g, kMuzzle.b);
  cairo_pattern_add_color_stop_rgb(m, 1, kMuzzleShade.r, kMuzzleShade.g, kMuzzleShade.b);
  cairo_set_source(cr, m);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(m);
  Stroke(cr, kLine, kOutline);
  const double flare = p.steam > 0 ? 1.3 : 1.0;
  Ellipse(cr, ft * 1.15 - 19, 42, 8 * flare, 5.5 * flare, 0.35);
  Ellipse(cr, ft * 1.15 + 19, 42, 8 * flare, 5.5 * flare, -0.35);
  SetSource(cr, Hex(0x5A2E2E));
  cairo_fill(cr);
  if (p.mouth != Mouth::kGrin) {
    cairo_arc(cr, ft * 1.15, 50, 8, 0.05 * M_PI, 0.95 * M_PI);
    Stroke(cr, kLine, 6);
    cairo_arc(cr, ft * 1.15, 50, 8, 0.05 * M_PI, 0.95 * M_PI);
    Stroke(cr, kGold, 3.2);
    cairo_arc(cr, ft * 1.15, 50, 8, 0.3 * M_PI, 0.45 * M_PI);
    Stroke(cr, Hex(0xFFF2B0), 1.6);
  }
  Mouth(cr, ft * 1.15, 68, p);
  if (p.steam > 0) {
    Steam(cr, ft * 1.15 - 26, 46, -1, p.steam);
    Steam(cr, ft * 1.15 + 26, 46, 1, p.steam);
  }
  if (p.anger_mark) {
    // The cartoon "popping vein" on the forehead.
    cairo_save(cr);
    cairo_translate(cr, ft + 38, -42);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int q = 0; q < 4; ++q) {
      cairo_save(cr);
      cairo_rotate(cr, q * M_PI / 2);
      cairo_move_to(cr, 3, -9);
      cairo_curve_to(cr, 3, -4, 4, -3, 9, -3);
      cairo_restore(cr);
    }
    Stroke(cr, Hex(0x7A1010), 5.5);
    for (int q = 0; q < 4; ++q) {
      cairo_save(cr);
      cairo_rotate(cr, q * M_PI / 2);
      cairo_move_to(cr, 3, -9);
      cairo_curve_to(cr, 3, -4, 4, -3, 9, -3);
      cairo_restore(cr);
    }
    Stroke(cr, Hex(0xF04040), 3);
    cairo_restore(cr);
  }
}

}  // namespace

void PaintBull(cairo_t* cr, int frame) {
  const Pose p = PoseFor(frame);
  const double cx = 207, ground = 222;
  const double by = p.body_dy;
  cairo_save(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  // The figure is drawn a little larger than it appears, scaled about the
  // point between its hooves so that the horns keep clear of the top edge.
  cairo_translate(cr, cx, ground);
  cairo_scale(cr, kScale, kScale);
  cairo_translate(cr, -cx, -ground);

  // Shadow on the ground, smaller while airborne.
  const bool lying = p.stance == Stance::kLying;
  const double shadow_w = lying ? 160 : (p.stance == Stance::kJump ? 84 : 122);
  Ellipse(cr, cx, ground + 1, shadow_w, lying ? 13 : 10);
  SetSource(cr, Hex(0x3A2A10, p.stance == Stance::kJump ? 0.16 : 0.26));
  cairo_fill(cr);

  const double hip = 160 + by, shoulder = 164 + by, foot = ground;
  if (lying) {
    Tail(cr, cx + 124, 184, 14);
    Body(cr, cx, 178, 136, 44);
    // Folded front legs: hooves tucked in front of the chest.
    Leg(cr, {{cx - 84, 204}, {cx - 44, 213}}, 22, kCoat);
    Leg(cr, {{cx + 84, 204}, {cx + 44, 213}}, 22, kCoat);
    Chest(cr, cx, 174);
  } else {
    switch (p.stance) {
      case Stance::kJump:
        // Hind legs dangling, hooves off the ground.
        Tail(cr, cx + 94, 128 + by, -20);
        Leg(cr, {{cx - 76, hip}, {cx - 92, foot + by + 6}}, 22, kCoatShade);
        Leg(cr, {{cx + 76, hip}, {cx + 92, foot + by + 6}}, 22, kCoatShade);
        break;
      case Stance::kShrug:
        Tail(cr, cx + 94, 128 + by, 4);
        Leg(cr, {{cx - 78, hip}, {cx - 92, foot - 4}}, 22, kCoatShade);
        Leg(cr, {{cx + 78, hip}, {cx + 92, foot - 4}}, 22, kCoatShade);
        break;
      default:
        Tail(cr, cx + 94, 128 + by, p.stance == Stance::kPaw ? -12 : 0);
        Leg(cr, {{cx - 78, hip}, {cx - 84, foot - 4}}, 22, kCoatShade);
        Leg(cr, {{cx + 78, hip}, {cx + 84, foot - 4}}, 22, kCoatShade);
        break;
    }
    Body(cr, cx, 142 + by, 106, 46);
    if (p.shrug_marks) {
      // Shoulders pulled up, with little motion ticks.
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      for (double side : {-1.0, 1.0}) {
        cairo_move_to(cr, cx + side * 98, 94 + by);
        cairo_line_to(cr, cx + side * 110, 80 + by);
        cairo_move_to(cr, cx + side * 114, 104 + by);
        cairo_line_to(cr, cx + side * 130, 96 + by);
      }
      Stroke(cr, palette::kInk, 3.5);
    }
    Chest(cr, cx, 160 + by);
    switch (p.stance) {
      case Stance::kJump:
        // Forelegs thrown up in the air: a cheer.
        Leg(cr, {{cx - 60, shoulder - 14}, {cx - 112, shoulder - 30}, {cx - 136, shoulder - 70}}, 26, kCoat);
        Leg(cr, {{cx + 60, shoulder - 14}, {cx + 112, shoulder - 30}, {cx + 136, shoulder - 70}}, 26, kCoat);
        break;
      case Stance::kPaw:
        Leg(cr, {{cx + 36, shoulder}, {cx + 38, foot}}, 26, kCoat);
        break;
      case Stance::kShrug:
        Leg(cr, {{cx - 38, shoulder}, {cx - 52, foot}}, 26, kCoat);
        Leg(cr, {{cx + 38, shoulder}, {cx + 52, foot}}, 26, kCoat);
        break;
      case Stance::kScratch:
        Leg(cr, {{cx - 36, shoulder}, {cx - 38, foot}}, 26, kCoat);
        break;
      default:
        Leg(cr, {{cx - 36, shoulder}, {cx - 38, foot}}, 26, kCoat);
        Leg(cr, {{cx + 36, shoulder}, {cx + 38, foot}}, 26, kCoat);
        break;
    }
  }
  if (p.dust) Dust(cr, cx - 112, ground - 3);

  // The head.
  cairo_save(cr);
  cairo_translate(cr, cx + p.head_dx, 84 + by + p.head_dy);
  cairo_rotate(cr, p.head_rot);
  Head(cr, p);
  cairo_restore(cr);

  if (p.stance == Stance::kPaw) {
    // The pawing foreleg, knee out, hoof lifted to scrape; drawn over the fume.
    Leg(cr, {{cx - 56, shoulder - 6}, {cx - 116, shoulder + 12}, {cx - 110, shoulder + 42}}, 26, kCoat);
  }
  if (p.stance == Stance::kScratch) {
    // The raised foreleg reaches up to rub behind a horn.
    Leg(cr, {{cx + 40, shoulder}, {cx + 100, 118}, {cx + 62, 36}}, 26, kCoat);
  }
  if (p.sparkles) {
    Sparkle(cr, cx - 134, 60, 15, palette::kSun);
    Sparkle(cr, cx + 132, 36, 19, palette::kSun);
    Sparkle(cr, cx - 104, 6, 10, Hex(0xFFFFFF));
    Sparkle(cr, cx + 156, 108, 11, Hex(0xFFFFFF));
    Sparkle(cr, cx - 164, 124, 12, palette::kSun);
    // Springy motion marks under the hooves.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (double dx : {-60.0, -20.0, 20.0, 60.0}) {
      cairo_move_to(cr, cx + dx * 0.9, ground - 14);
      cairo_line_to(cr, cx + dx * 1.1, ground - 2);
    }
    Stroke(cr, WithAlpha(palette::kInk, 0.55), 3.5);
  }
  if (p.question) Symbol(cr, "?", cx - 116, 64, 54, palette::kSun, -0.15);
  if (p.shrug_marks) Symbol(cr, "?", cx + 132, 58, 50, palette::kSun, 0.15);
  if (p.zzz) {
    Symbol(cr, "z", cx + 92, 118, 24, palette::kCream, -0.1);
    Symbol(cr, "z", cx + 120, 86, 32, palette::kCream, -0.15);
    Symbol(cr, "Z", cx + 154, 46, 44, palette::kCream, -0.2);
  }
  cairo_restore(cr);
}

void PaintBullHead(cairo_t* cr) {
  cairo_save(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  Head(cr, PoseFor(0));
  cairo_restore(cr);
}

}  // namespace art::quiz
