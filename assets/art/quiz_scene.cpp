// The pasture scenery and the wooden furniture shared by the quiz pictures.
#include <cmath>
#include <cstdint>
#include <vector>

#include "quiz_art.h"

namespace art::quiz {
namespace {

// A small fixed-seed generator, so scattered grass looks the same on every run.
class Scatter {
 public:
  explicit Scatter(uint32_t seed) : state_(seed * 2654435761u + 12345u) {}
  double Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<double>(state_ >> 8) / static_cast<double>(1u << 24);
  }
  double Range(double lo, double hi) { return lo + (hi - lo) * Next(); }

 private:
  uint32_t state_;
};

void FillLinear(cairo_t* cr, double x0, double y0, double x1, double y1, Colour a, Colour b) {
  cairo_pattern_t* g = cairo_pattern_create_linear(x0, y0, x1, y1);
  cairo_pattern_add_color_stop_rgba(g, 0, a.r, a.g, a.b, a.a);
  cairo_pattern_add_color_stop_rgba(g, 1, b.r, b.g, b.b, b.a);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
}

void Cloud(cairo_t* cr, double x, double y, double s) {
  struct Puff {
    double dx, dy, r;
  };
  static constexpr Puff kPuffs[] = {{-38, 6, 18}, {-16, -6, 24}, {12, -12, 27}, {38, -2, 20}, {54, 8, 14},
                                    {-52, 12, 12}, {0, 8, 22},   {28, 10, 18}};
  // A faint lavender underside first, then the white body shifted up.
  for (const Puff& p : kPuffs) cairo_arc(cr, x + p.dx * s, y + p.dy * s + 3 * s, p.r * s, 0, 2 * M_PI);
  SetSource(cr, Hex(0xC9DDF0, 0.9));
  cairo_fill(cr);
  for (const Puff& p : kPuffs) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + p.dx * s, y + p.dy * s, p.r * s, 0, 2 * M_PI);
  }
  SetSource(cr, Hex(0xFFFFFF));
  cairo_fill(cr);
}

void Sun(cairo_t* cr, double x, double y, double r) {
  cairo_pattern_t* glow = cairo_pattern_create_radial(x, y, r * 0.8, x, y, r * 3.2);
  cairo_pattern_add_color_stop_rgba(glow, 0, 1, 0.95, 0.6, 0.55);
  cairo_pattern_add_color_stop_rgba(glow, 1, 1, 0.95, 0.6, 0);
  cairo_arc(cr, x, y, r * 3.2, 0, 2 * M_PI);
  cairo_set_source(cr, glow);
  cairo_fill(cr);
  cairo_pattern_destroy(glow);
  for (int i = 0; i < 12; ++i) {
    const double a = i * M_PI / 6 + 0.13;
    cairo_move_to(cr, x + std::cos(a - 0.09) * r * 1.25, y + std::sin(a - 0.09) * r * 1.25);
    cairo_line_to(cr, x + std::cos(a) * r * 1.9, y + std::sin(a) * r * 1.9);
    cairo_line_to(cr, x + std::cos(a + 0.09) * r * 1.25, y + std::sin(a + 0.09) * r * 1.25);
    cairo_close_path(cr);
  }
  SetSource(cr, Hex(0xFFE27A, 0.7));
  cairo_fill(cr);
  cairo_arc(cr, x, y, r, 0, 2 * M_PI);
  cairo_pattern_t* disc = cairo_pattern_create_radial(x - r * 0.3, y - r * 0.3, r * 0.1, x, y, r);
  cairo_pattern_add_color_stop_rgb(disc, 0, 1, 0.98, 0.78);
  cairo_pattern_add_color_stop_rgb(disc, 1, 1, 0.8, 0.25);
  cairo_set_source(cr, disc);
  cairo_fill(cr);
  cairo_pattern_destroy(disc);
}

// A hill line: the sum of two waves across the width.
void HillPath(cairo_t* cr, int width, double base, double a1, double p1, double ph1, double a2, double p2,
              double ph2, double bottom) {
  cairo_move_to(cr, -2, bottom);
  for (int x = -2; x <= width + 2; x += 4) {
    const double y = base + a1 * std::sin(x / p1 + ph1) + a2 * std::sin(x / p2 + ph2);
    cairo_line_to(cr, x, y);
  }
  cairo_line_to(cr, width + 2, bottom);
  cairo_close_path(cr);
}

void Tree(cairo_t* cr, double x, double y, double s) {
  cairo_rectangle(cr, x - 2 * s, y - 4 * s, 4 * s, 10 * s);
  SetSource(cr, Hex(0x7A5232));
  cairo_fill(cr);
  cairo_arc(cr, x, y - 10 * s, 9 * s, 0, 2 * M_PI);
  cairo_arc(cr, x - 6 * s, y - 5 * s, 6 * s, 0, 2 * M_PI);
  cairo_arc(cr, x + 6 * s, y - 5 * s, 6 * s, 0, 2 * M_PI);
  SetSource(cr, Hex(0x4F9A3C));
  cairo_fill(cr);
  cairo_arc(cr, x - 3 * s, y - 13 * s, 4 * s, 0, 2 * M_PI);
  SetSource(cr, Hex(0x7CC25A, 0.8));
  cairo_fill(cr);
}

void Fence(cairo_t* cr, int width) {
  const Colour post = tone::kFence, edge = tone::kWoodDark;
  cairo_set_line_width(cr, 1.5);
  for (double y : {180.0, 197.0}) {
    cairo_rectangle(cr, -2, y, width + 4, 7);
    SetSource(cr, Darker(post, 0.06));
    cairo_fill_preserve(cr);
    SetSource(cr, edge);
    cairo_stroke(cr);
    cairo_rectangle(cr, -2, y + 1, width + 4, 2);
    SetSource(cr, Lighter(post, 0.35));
    cairo_fill(cr);
  }
  for (double x = 14; x < width + 40; x += 66) {
    cairo_move_to(cr, x - 5, 216);
    cairo_line_to(cr, x - 5, 172);
    cairo_line_to(cr, x, 166);
    cairo_line_to(cr, x + 5, 172);
    cairo_line_to(cr, x + 5, 216);
    cairo_close_path(cr);
    SetSource(cr, post);
    cairo_fill_preserve(cr);
    SetSource(cr, edge);
    cairo_stroke(cr);
    cairo_rectangle(cr, x - 3.5, 172, 2.5, 42);
    SetSource(cr, Lighter(post, 0.4));
    cairo_fill(cr);
  }
}

void GrassTuft(cairo_t* cr, double x, double y, double s, Colour c) {
  cairo_move_to(cr, x - 4 * s, y);
  cairo_curve_to(cr, x - 4 * s, y - 4 * s, x - 6 * s, y - 7 * s, x - 8 * s, y - 9 * s);
  cairo_curve_to(cr, x - 3 * s, y - 6 * s, x - 1 * s, y - 4 * s, x, y - 2 * s);
  cairo_curve_to(cr, x, y - 6 * s, x + 1 * s, y - 10 * s, x + 2 * s, y - 12 * s);
  cairo_curve_to(cr, x + 3 * s, y - 8 * s, x + 3 * s, y - 5 * s, x + 3 * s, y - 3 * s);
  cairo_curve_to(cr, x + 5 * s, y - 5 * s, x + 7 * s, y - 6 * s, x + 9 * s, y - 7 * s);
  cairo_curve_to(cr, x + 7 * s, y - 4 * s, x + 5 * s, y - 2 * s, x + 4 * s, y);
  cairo_close_path(cr);
  SetSource(cr, c);
  cairo_fill(cr);
}

}  // namespace

void PaintPasture(cairo_t* cr, int width, int height, const PastureLayout& layout) {
  const double hz = layout.horizon;
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, width, height);
  FillLinear(cr, 0, hz, 0, 190 + hz, tone::kSkyTop, tone::kSkyLow);

  Sun(cr, layout.sun_x, layout.sun_y, 24);
  Cloud(cr, 250, 52, 1.0);
  Cloud(cr, 420, 28, 0.55);
  Cloud(cr, 620, 118 + hz * 0.5, 0.7);
  Cloud(cr, 90, 112 + hz * 0.5, 0.8);
  Cloud(cr, 742, 40, 0.6);

  cairo_save(cr);
  cairo_translate(cr, 0, hz);
  HillPath(cr, width, 150, 12, 95, 0.6, 7, 37, 1.7, 240);
  FillLinear(cr, 0, 130, 0, 200, Lighter(tone::kHillFar, 0.15), tone::kHillFar);
  for (double tx : {118.0, 212.0, 226.0, 505.0, 690.0}) {
    Tree(cr, tx, 150 + 12 * std::sin(tx / 95 + 0.6) + 7 * std::sin(tx / 37 + 1.7) + 6, 0.9);
  }
  HillPath(cr, width, 176, 9, 130, 2.2, 4, 51, 0.3, 240);
  FillLinear(cr, 0, 160, 0, 205, Lighter(tone::kHillNear, 0.12), tone::kHillNear);
  // The meadow, deepening toward the viewer.
  cairo_rectangle(cr, 0, 192, width, height - 192 - hz);
  FillLinear(cr, 0, 192, 0, height - hz, tone::kHillNear, tone::kMeadowDeep);
  Fence(cr, width);
  cairo_restore(cr);

  // A trodden, sandy patch where the bull stands.
  const double px = layout.patch_x, py = layout.patch_y, pw = layout.patch_w, ph = 24;
  cairo_save(cr);
  cairo_translate(cr, px, py);
  cairo_scale(cr, pw, ph);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
  {
    cairo_pattern_t* g = cairo_pattern_create_radial(px, py, 10, px, py, pw);
    cairo_matrix_t m;
    cairo_matrix_init_translate(&m, px, py);
    cairo_matrix_scale(&m, 1, pw / ph);
    cairo_matrix_translate(&m, -px, -py);
    cairo_pattern_set_matrix(g, &m);
    cairo_pattern_add_color_stop_rgba(g, 0, 0.93, 0.80, 0.55, 1);
    cairo_pattern_add_color_stop_rgba(g, 0.75, 0.88, 0.76, 0.50, 0.9);
    cairo_pattern_add_color_stop_rgba(g, 1, 0.80, 0.74, 0.45, 0);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
  }

  // Grass tufts and small flowers, fewer and smaller toward the horizon.
  const double meadow_top = 200 + hz;
  Scatter rng(7);
  for (int i = 0; i < 260; ++i) {
    const double y = rng.Range(meadow_top + 6, height + 8);
    const double x = rng.Range(-6, width + 6);
    const double depth = (y - meadow_top) / (height - meadow_top);
    const double s = 0.6 + 0.9 * depth;
    if (std::fabs(x - px) < pw - 10 && std::fabs(y - py) < ph - 2) continue;  // keep the sandy patch clear
    GrassTuft(cr, x, y, s, Darker(tone::kMeadow, 0.18 + 0.1 * rng.Next()));
  }
  for (int i = 0; i < 90; ++i) {
    const double y = rng.Range(meadow_top + 10, height);
    const double x = rng.Range(0, width);
    const double depth = (y - meadow_top) / (height - meadow_top);
    const bool yellow = rng.Next() < 0.35;
    if (std::fabs(x - px) < pw && std::fabs(y - py) < ph) continue;
    const double r = 1.2 + 1.6 * depth;
    for (int k = 0; k < 5; ++k) {
      const double a = k * 2 * M_PI / 5;
      cairo_arc(cr, x + std::cos(a) * r, y + std::sin(a) * r, r * 0.8, 0, 2 * M_PI);
      cairo_new_sub_path(cr);
    }
    SetSource(cr, yellow ? Hex(0xFFE36B) : Hex(0xFFFFFF, 0.95));
    cairo_fill(cr);
    cairo_arc(cr, x, y, r * 0.6, 0, 2 * M_PI);
    SetSource(cr, yellow ? Hex(0xF08A3D) : Hex(0xFFC93C));
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

void PaintSoftShadow(cairo_t* cr, double x, double y, double w, double h, double radius, double spread,
                     double strength) {
  const int steps = 6;
  for (int i = steps; i >= 1; --i) {
    const double g = spread * i / steps;
    RoundedRect(cr, x - g * 0.6, y - g * 0.3 + spread * 0.5, w + g * 1.2, h + g * 1.1, radius + g);
    cairo_set_source_rgba(cr, 0.12, 0.08, 0.02, strength / steps);
    cairo_fill(cr);
  }
}

void PaintWoodPanel(cairo_t* cr, double x, double y, double w, double h, double radius, unsigned seed) {
  cairo_save(cr);
  RoundedRect(cr, x, y, w, h, radius);
  SetSource(cr, tone::kWoodDark);
  cairo_fill(cr);
  RoundedRect(cr, x + 2, y + 2, w - 4, h - 4, radius - 2);
  cairo_clip_preserve(cr);
  FillLinear(cr, x, y, x + w * 0.3, y + h, Lighter(tone::kWood, 0.18), Darker(tone::kWood, 0.08));
  // Grain: long, gently wavy darker lines with a lighter partner.
  Scatter rng(seed);
  const bool tall = h > w;
  const int lines = static_cast<int>((tall ? w : h) / 7);
  for (int i = 0; i < lines; ++i) {
    const double off = rng.Range(4, (tall ? w : h) - 4);
    const double amp = rng.Range(0.6, 2.2), period = rng.Range(30, 90), phase = rng.Range(0, 6.28);
    const double len = tall ? h : w;
    for (double t = 0; t <= len; t += 3) {
      const double d = off + amp * std::sin(t / period + phase);
      if (tall) {
        t == 0 ? cairo_move_to(cr, x + d, y + t) : cairo_line_to(cr, x + d, y + t);
      } else {
        t == 0 ? cairo_move_to(cr, x + t, y + d) : cairo_line_to(cr, x + t, y + d);
      }
    }
    cairo_set_line_width(cr, rng.Range(0.8, 1.6));
    SetSource(cr, WithAlpha(tone::kWoodDark, rng.Range(0.12, 0.28)));
    cairo_stroke(cr);
  }
  cairo_reset_clip(cr);
  // Bevel: light along the top and left, dark along the bottom and right.
  RoundedRect(cr, x + 3.5, y + 3.5, w - 7, h - 7, radius - 3);
  cairo_set_line_width(cr, 2);
  cairo_pattern_t* bevel = cairo_pattern_create_linear(x, y, x + w * 0.15, y + h);
  cairo_pattern_add_color_stop_rgba(bevel, 0, 1, 0.93, 0.8, 0.55);
  cairo_pattern_add_color_stop_rgba(bevel, 0.5, 1, 0.93, 0.8, 0.0);
  cairo_pattern_add_color_stop_rgba(bevel, 1, 0.2, 0.1, 0.0, 0.35);
  cairo_set_source(cr, bevel);
  cairo_stroke(cr);
  cairo_pattern_destroy(bevel);
  cairo_restore(cr);
}

void PaintDaisy(cairo_t* cr, double cx, double cy, double radius) {
  cairo_save(cr);
  const int petals = 12;
  const double outline = std::max(1.2, radius * 0.07);
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < petals; ++i) {
      const double a = i * 2 * M_PI / petals;
      cairo_save(cr);
      cairo_translate(cr, cx + std::cos(a) * radius * 0.55, cy + std::sin(a) * radius * 0.55);
      cairo_rotate(cr, a);
      cairo_scale(cr, radius * 0.45, radius * 0.2);
      cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
      cairo_restore(cr);
      if (pass == 0) {
        SetSource(cr, Hex(0x8A6A3A));
        cairo_set_line_width(cr, outline * 2);
        cairo_stroke(cr);
      } else {
        cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, radius * 0.2, cx, cy, radius);
        cairo_pattern_add_color_stop_rgb(g, 0, 0.93, 0.90, 0.85);
        cairo_pattern_add_color_stop_rgb(g, 1, 1, 1, 1);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
      }
    }
  }
  PaintLitDisc(cr, cx, cy, radius * 0.3, -radius * 0.1, -radius * 0.1, radius * 0.02,
               Colour{1, 0.93, 0.45}, Colour{0.95, 0.62, 0.12}, Hex(0x9A5A14), outline);
  cairo_restore(cr);
}

bool SaveOpaquePicture(const std::string& path, int w, int h, const std::function<void(cairo_t*)>& paint) {
  Canvas canvas(w, h);
  cairo_set_source_rgb(canvas.cr(), 1, 1, 1);
  cairo_paint(canvas.cr());
  paint(canvas.cr());
  return canvas.SaveOpaque(path);
}

bool SaveFramesOverBoard(const std::string& path, int frame_w, int frame_h, int frames,
                         const FramePainter& paint, const FramePlace& place, const Canvas& board) {
  if (frame_w <= 0 || frame_h <= 0 || frames <= 0) return false;
  Canvas sheet(frame_w * frames, frame_h);
  cairo_surface_t* frame = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, frame_w, frame_h);
  cairo_surface_t* bsurf = board.surface();
  cairo_surface_flush(bsurf);
  const unsigned char* bdata = cairo_image_surface_get_data(bsurf);
  const int bstride = cairo_image_surface_get_stride(bsurf);
  unsigned char* odata = cairo_image_surface_get_data(sheet.surface());
  const int ostride = cairo_image_surface_get_stride(sheet.surface());
  cairo_surface_flush(sheet.surface());

  // Coverage this low blends into the board unnoticed; above it a pixel belongs to the sprite.
  constexpr uint32_t kCoverage = 20;
  std::vector<bool> mask(static_cast<size_t>(frame_w) * frame_h);
  for (int i = 0; i < frames; ++i) {
    cairo_t* cr = cairo_create(frame);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_get_font_options(sheet.cr(), options);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    paint(cr, i);
    cairo_destroy(cr);
    cairo_surface_flush(frame);
    const unsigned char* fdata = cairo_image_surface_get_data(frame);
    const int fstride = cairo_image_surface_get_stride(frame);
    const Rect at = place(i);
    for (int y = 0; y < frame_h; ++y) {
      const auto* src = reinterpret_cast<const uint32_t*>(fdata + static_cast<size_t>(y) * fstride);
      auto* dst = reinterpret_cast<uint32_t*>(odata + static_cast<size_t>(y) * ostride) + i * frame_w;
      const int by = at.y + y;
      for (int x = 0; x < frame_w; ++x) {
        const size_t m = static_cast<size_t>(y) * frame_w + x;
        if (i == 0) mask[m] = (src[x] >> 24) >= kCoverage;
        if (!mask[m]) {
          dst[x] = 0;
          continue;
        }
        const int bx = at.x + x;
        uint32_t under = 0xFFFFFFFF;
        if (bx >= 0 && by >= 0 && bx < board.width() && by < board.height()) {
          under = reinterpret_cast<const uint32_t*>(bdata + static_cast<size_t>(by) * bstride)[bx];
        }
        // Premultiplied "over": out = src + under * (1 - alpha).
        const uint32_t a = src[x] >> 24;
        uint32_t out = 0xFF000000u;
        for (int shift = 0; shift < 24; shift += 8) {
          const uint32_t s = (src[x] >> shift) & 0xFF, u = (under >> shift) & 0xFF;
          const uint32_t v = s + (u * (255 - a) + 127) / 255;
          out |= (v > 255 ? 255 : v) << shift;
        }
        dst[x] = out;
      }
    }
  }
  cairo_surface_mark_dirty(sheet.surface());
  cairo_surface_destroy(frame);
  return sheet.SaveKeyed(path);
}

}  // namespace art::quiz
