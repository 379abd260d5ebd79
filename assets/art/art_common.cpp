#include "art_common.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "canvas.h"

namespace art {

Colour Mix(Colour a, Colour b, double t) {
  return Colour{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
                a.a + (b.a - a.a) * t};
}
Colour Lighter(Colour c, double t) { return Mix(c, Colour{1, 1, 1, c.a}, t); }
Colour Darker(Colour c, double t) { return Mix(c, Colour{0, 0, 0, c.a}, t); }
Colour WithAlpha(Colour c, double alpha) {
  c.a = alpha;
  return c;
}
void SetSource(cairo_t* cr, Colour c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

void StarPath(cairo_t* cr, double cx, double cy, double outer, double inner) {
  cairo_new_path(cr);
  for (int k = 0; k < 10; ++k) {
    const double a = -M_PI / 2 + k * M_PI / 5, r = k % 2 ? inner : outer;
    if (k == 0) {
      cairo_move_to(cr, cx + std::cos(a) * r, cy + std::sin(a) * r);
    } else {
      cairo_line_to(cr, cx + std::cos(a) * r, cy + std::sin(a) * r);
    }
  }
  cairo_close_path(cr);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius) {
  const double r = std::max(0.0, std::min({radius, w / 2, h / 2}));
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void SelectFont(cairo_t* cr, double size, bool bold) {
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
}

double TextWidth(cairo_t* cr, const std::string& text, double size, bool bold) {
  cairo_save(cr);
  SelectFont(cr, size, bold);
  cairo_text_extents_t ext;
  cairo_text_extents(cr, text.c_str(), &ext);
  cairo_restore(cr);
  return ext.x_advance;
}

void DrawText(cairo_t* cr, const std::string& text, double x, double baseline, const TextStyle& style,
              Align align) {
  cairo_save(cr);
  SelectFont(cr, style.size, style.bold);
  cairo_text_extents_t ext;
  cairo_text_extents(cr, text.c_str(), &ext);
  double left = x;
  if (align == Align::kCentre) left = x - ext.x_advance / 2;
  if (align == Align::kRight) left = x - ext.x_advance;
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  if (style.shadow.a > 0) {
    cairo_move_to(cr, left + style.shadow_dx, baseline + style.shadow_dy);
    cairo_text_path(cr, text.c_str());
    SetSource(cr, style.shadow);
    if (style.outline.a > 0 && style.outline_width > 0) {
      cairo_set_line_width(cr, style.outline_width);
      cairo_stroke_preserve(cr);
    }
    cairo_fill(cr);
  }
  cairo_move_to(cr, left, baseline);
  cairo_text_path(cr, text.c_str());
  if (style.outline.a > 0 && style.outline_width > 0) {
    SetSource(cr, style.outline);
    cairo_set_line_width(cr, style.outline_width);
    cairo_stroke_preserve(cr);
  }
  SetSource(cr, style.fill);
  cairo_fill(cr);
  cairo_restore(cr);
}

void DrawTextInBox(cairo_t* cr, const std::string& text, double x, double y, double w, double h,
                   TextStyle style) {
  const double room = w - style.outline_width - std::fabs(style.shadow_dx);
  while (style.size > 6 && TextWidth(cr, text, style.size, style.bold) > room) style.size -= 0.5;
  cairo_save(cr);
  SelectFont(cr, style.size, style.bold);
  cairo_text_extents_t cap;
  cairo_text_extents(cr, "H", &cap);
  cairo_restore(cr);
  const double baseline = y + h / 2 + cap.height / 2 - style.shadow_dy / 2;
  DrawText(cr, text, x + w / 2 - style.shadow_dx / 2, baseline, style, Align::kCentre);
}

void DrawLabel(cairo_t* cr, const std::string& text, double cx, double baseline, double size, bool bold,
               Colour colour) {
  TextStyle style;
  style.size = size;
  style.bold = bold;
  style.fill = colour;
  style.shadow_dy = 0;
  DrawText(cr, text, cx, baseline, style, Align::kCentre);
}

void FillVertical(cairo_t* cr, double y0, double y1, Colour top, Colour bottom) {
  cairo_pattern_t* g = cairo_pattern_create_linear(0, y0, 0, y1);
  cairo_pattern_add_color_stop_rgba(g, 0, top.r, top.g, top.b, top.a);
  cairo_pattern_add_color_stop_rgba(g, 1, bottom.r, bottom.g, bottom.b, bottom.a);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
}

ButtonState StateOfFrame(int frame) {
  if (frame == 1) return ButtonState::kHover;
  if (frame >= 2) return ButtonState::kPressed;
  return ButtonState::kNormal;
}

namespace {

Colour BodyColour(Colour base, ButtonState state) {
  switch (state) {
    case ButtonState::kHover: return Lighter(base, 0.22);
    case ButtonState::kPressed: return Darker(base, 0.16);
    case ButtonState::kNormal: break;
  }
  return base;
}

// A drawing context with the same fixed font settings as the sheet's.
cairo_t* NewContext(cairo_surface_t* surface, cairo_t* like) {
  cairo_t* cr = cairo_create(surface);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_get_font_options(like, options);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
  return cr;
}


}  // namespace

void PaintGlossyButton(cairo_t* cr, double x, double y, double w, double h, double radius, Colour base,
                       ButtonState state) {
  const Colour body = BodyColour(base, state);
  const bool pressed = state == ButtonState::kPressed;
  const double lip = std::max(3.0, std::round(h * 0.08));
  cairo_save(cr);
  // Rim: one dark outline that is the whole silhouette.
  RoundedRect(cr, x, y, w, h, radius);
  SetSource(cr, Darker(base, 0.62));
  cairo_fill(cr);
  // The button's side, seen below the face.
  RoundedRect(cr, x + 2, y + 2, w - 4, h - 4, radius - 2);
  SetSource(cr, Darker(body, 0.32));
  cairo_fill(cr);
  // Face.
  const double fx = x + 2, fy = y + 2 + (pressed ? 1 : 0), fw = w - 4, fh = h - 4 - lip;
  RoundedRect(cr, fx, fy, fw, fh, radius - 2);
  if (pressed) {
    FillVertical(cr, fy, fy + fh, Darker(body, 0.08), Lighter(body, 0.10));
  } else {
    FillVertical(cr, fy, fy + fh, Lighter(body, 0.30), Darker(body, 0.06));
  }
  // Gloss on the upper half.
  const double gi = std::max(3.0, std::min(fw, fh) * 0.08);
  RoundedRect(cr, fx + gi, fy + 2, fw - 2 * gi, fh * 0.46, std::max(1.0, radius - gi));
  FillVertical(cr, fy + 2, fy + 2 + fh * 0.46, Colour{1, 1, 1, pressed ? 0.18 : 0.55},
               Colour{1, 1, 1, pressed ? 0.02 : 0.08});
  if (state == ButtonState::kHover) {
    // A warm glow ring inside the face marks the pointer.
    RoundedRect(cr, fx + 1.5, fy + 1.5, fw - 3, fh - 3, radius - 3.5);
    SetSource(cr, WithAlpha(palette::kSun, 0.95));
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

void PaintGlossyDisc(cairo_t* cr, double cx, double cy, double radius, Colour base, ButtonState state) {
  const Colour body = BodyColour(base, state);
  const bool pressed = state == ButtonState::kPressed;
  const double lip = std::max(3.0, std::round(radius * 0.12));
  cairo_save(cr);
  cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
  SetSource(cr, Darker(base, 0.62));
  cairo_fill(cr);
  cairo_arc(cr, cx, cy, radius - 2, 0, 2 * M_PI);
  SetSource(cr, Darker(body, 0.32));
  cairo_fill(cr);
  const double fr = radius - 2 - lip / 2;
  const double fcy = cy - lip / 2 + (pressed ? 1 : 0);
  cairo_arc(cr, cx, fcy, fr, 0, 2 * M_PI);
  if (pressed) {
    FillVertical(cr, fcy - fr, fcy + fr, Darker(body, 0.08), Lighter(body, 0.10));
  } else {
    FillVertical(cr, fcy - fr, fcy + fr, Lighter(body, 0.30), Darker(body, 0.06));
  }
  cairo_save(cr);
  cairo_translate(cr, cx, fcy - fr * 0.42);
  cairo_scale(cr, fr * 0.72, fr * 0.45);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
  FillVertical(cr, fcy - fr * 0.9, fcy, Colour{1, 1, 1, pressed ? 0.18 : 0.55},
               Colour{1, 1, 1, pressed ? 0.02 : 0.06});
  if (state == ButtonState::kHover) {
    cairo_arc(cr, cx, fcy, fr - 1.5, 0, 2 * M_PI);
    SetSource(cr, WithAlpha(palette::kSun, 0.95));
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

void PaintLabelButton(cairo_t* cr, int w, int h, const std::string& label, Colour base,
                      ButtonState state, double text_size) {
  const double radius = std::min(h * 0.38, 18.0);
  PaintGlossyButton(cr, 0, 0, w, h, radius, base, state);
  const double lip = std::max(3.0, std::round(h * 0.08));
  const double shift = state == ButtonState::kPressed ? 1 : 0;
  TextStyle style;
  style.size = text_size > 0 ? text_size : std::round(h * 0.40);
  style.bold = true;
  style.fill = Colour{1, 1, 1, 1};
  style.outline = Darker(base, 0.6);
  style.outline_width = 3;
  style.shadow = WithAlpha(Darker(base, 0.7), 0.55);
  style.shadow_dx = 0;
  style.shadow_dy = 2;
  DrawTextInBox(cr, label, 8 + shift, 2 + shift, w - 16, h - 4 - lip, style);
}

TextStyle HeadingStyle(double size) {
  TextStyle style;
  style.size = size;
  style.bold = true;
  style.fill = Colour{1, 1, 1, 1};
  style.outline = palette::kInk;
  style.outline_width = std::max(3.0, std::round(size * 0.16));
  style.shadow = WithAlpha(palette::kInk, 0.35);
  style.shadow_dx = 0;
  style.shadow_dy = std::max(2.0, std::round(size * 0.08));
  return style;
}

void PaintLitDisc(cairo_t* cr, double cx, double cy, double r, double light_dx, double light_dy,
                  double light_r, Colour lit, Colour shade, Colour rim, double rim_width) {
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  cairo_pattern_t* face = cairo_pattern_create_radial(cx + light_dx, cy + light_dy, light_r, cx, cy, r);
  cairo_pattern_add_color_stop_rgb(face, 0, lit.r, lit.g, lit.b);
  cairo_pattern_add_color_stop_rgb(face, 1, shade.r, shade.g, shade.b);
  cairo_set_source(cr, face);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(face);
  SetSource(cr, rim);
  cairo_set_line_width(cr, rim_width);
  cairo_stroke(cr);
}

void PaintLogoSun(cairo_t* cr, double cx, double cy, double r, double light_dx, double light_dy,
                  double light_r, double rim_width) {
  PaintLitDisc(cr, cx, cy, r, light_dx, light_dy, light_r, Colour{1.0, 0.96, 0.70},
               Colour{1.0, 0.70, 0.20}, Hex(0xC8641A), rim_width);
}

void DrawLogoLettering(cairo_t* cr, const std::string& text, double cx, double baseline,
                       const LogoLettering& look) {
  TextStyle rim = HeadingStyle(look.size);
  rim.outline_width = look.outline_width;
  rim.shadow_dy = look.shadow_dy;
  rim.shadow = WithAlpha(palette::kInk, look.shadow_alpha);
  rim.fill = palette::kInk;
  DrawText(cr, text, cx, baseline, rim, Align::kCentre);
  cairo_save(cr);
  SelectFont(cr, look.size, true);
  cairo_text_extents_t e;
  cairo_text_extents(cr, text.c_str(), &e);
  cairo_move_to(cr, cx - e.x_advance / 2, baseline);
  cairo_text_path(cr, text.c_str());
  cairo_pattern_t* face =
      cairo_pattern_create_linear(0, baseline - look.face_top, 0, baseline + look.face_bottom);
  cairo_pattern_add_color_stop_rgb(face, 0.0, 1.0, 0.93, 0.45);
  cairo_pattern_add_color_stop_rgb(face, 0.5, 1.0, 0.68, 0.20);
  cairo_pattern_add_color_stop_rgb(face, 1.0, 0.93, 0.36, 0.22);
  cairo_set_source(cr, face);
  cairo_pattern_destroy(face);
  if (look.gloss_width > 0) {
    cairo_fill_preserve(cr);
    SetSource(cr, Colour{1, 1, 1, 0.55});
    cairo_set_line_width(cr, look.gloss_width);
    cairo_stroke(cr);
  } else {
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

void PaintSunnyBackdrop(cairo_t* cr, double w, double h, double sun_x, double sun_y) {
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, w, h);
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, h);
  cairo_pattern_add_color_stop_rgb(sky, 0.0, 0.49, 0.80, 0.93);
  cairo_pattern_add_color_stop_rgb(sky, 0.55, 0.99, 0.90, 0.66);
  cairo_pattern_add_color_stop_rgb(sky, 1.0, 1.00, 0.78, 0.52);
  cairo_set_source(cr, sky);
  cairo_fill(cr);
  cairo_pattern_destroy(sky);
  // Rays: alternating light wedges, fading with distance from the sun.
  const double reach = std::hypot(w, h);
  const int rays = 18;
  for (int i = 0; i < rays; ++i) {
    const double a0 = (2 * M_PI * i) / rays;
    const double a1 = a0 + M_PI / rays;
    cairo_move_to(cr, sun_x, sun_y);
    cairo_line_to(cr, sun_x + reach * std::cos(a0), sun_y + reach * std::sin(a0));
    cairo_line_to(cr, sun_x + reach * std::cos(a1), sun_y + reach * std::sin(a1));
    cairo_close_path(cr);
  }
  cairo_pattern_t* fade = cairo_pattern_create_radial(sun_x, sun_y, 0, sun_x, sun_y, reach * 0.6);
  cairo_pattern_add_color_stop_rgba(fade, 0, 1, 1, 0.92, 0.30);
  cairo_pattern_add_color_stop_rgba(fade, 1, 1, 1, 0.92, 0.0);
  cairo_set_source(cr, fade);
  cairo_fill(cr);
  cairo_pattern_destroy(fade);
  // The sun's glow.
  cairo_pattern_t* glow = cairo_pattern_create_radial(sun_x, sun_y, 0, sun_x, sun_y, 220);
  cairo_pattern_add_color_stop_rgba(glow, 0, 1, 0.98, 0.85, 0.75);
  cairo_pattern_add_color_stop_rgba(glow, 1, 1, 0.98, 0.85, 0.0);
  cairo_set_source(cr, glow);
  cairo_paint(cr);
  cairo_pattern_destroy(glow);
  cairo_restore(cr);
}

void PaintPanel(cairo_t* cr, double w, double h, const std::string& title, double header_h) {
  cairo_save(cr);
  // Frame.
  cairo_rectangle(cr, 0, 0, w, h);
  FillVertical(cr, 0, h, Hex(0x8A4DB3), Hex(0x4E2470));
  // Paper.
  RoundedRect(cr, 8, 8, w - 16, h - 16, 18);
  SetSource(cr, palette::kInk);
  cairo_fill(cr);
  RoundedRect(cr, 10, 10, w - 20, h - 20, 16);
  FillVertical(cr, 10, h - 10, palette::kCream, Hex(0xFBE8C0));
  RoundedRect(cr, 15.5, 15.5, w - 31, h - 31, 12);
  SetSource(cr, WithAlpha(palette::kSun, 0.9));
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  if (!title.empty()) {
    const double rx = 24, ry = 22, rw = w - 48, rh = header_h;
    RoundedRect(cr, rx, ry + 4, rw, rh, rh / 2);
    SetSource(cr, WithAlpha(Hex(0xB8651F), 0.9));
    cairo_fill(cr);
    RoundedRect(cr, rx, ry, rw, rh, rh / 2);
    FillVertical(cr, ry, ry + rh, Hex(0xFFB347), Hex(0xF07B2A));
    RoundedRect(cr, rx + rh * 0.3, ry + 3, rw - rh * 0.6, rh * 0.42, rh * 0.2);
    FillVertical(cr, ry + 3, ry + 3 + rh * 0.42, Colour{1, 1, 1, 0.45}, Colour{1, 1, 1, 0.05});
    RoundedRect(cr, rx, ry, rw, rh, rh / 2);
    SetSource(cr, Hex(0x8C3F12));
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    TextStyle style = HeadingStyle(std::round(rh * 0.58));
    DrawTextInBox(cr, title, rx + rh / 2, ry, rw - rh, rh, style);
  }
  cairo_restore(cr);
}

void PaintWell(cairo_t* cr, double x, double y, double w, double h, double radius, Colour inside) {
  cairo_save(cr);
  RoundedRect(cr, x - 2, y - 2, w + 4, h + 4, radius + 2);
  FillVertical(cr, y - 2, y + h + 2, WithAlpha(palette::kInk, 0.55), Colour{1, 1, 1, 0.85});
  RoundedRect(cr, x, y, w, h, radius);
  FillVertical(cr, y, y + h, Darker(inside, 0.35), inside);
  // Inner shadow along the top edge.
  RoundedRect(cr, x, y, w, std::min(h, 8.0), radius);
  FillVertical(cr, y, y + std::min(h, 8.0), WithAlpha(palette::kInk, 0.45), WithAlpha(palette::kInk, 0.0));
  cairo_restore(cr);
}

bool SaveFrames(const std::string& path, int frame_w, int frame_h, int cols, int rows,
                const FramePainter& paint) {
  if (frame_w <= 0 || frame_h <= 0 || cols <= 0 || rows <= 0) return false;
  Canvas sheet(frame_w * cols, frame_h * rows);
  cairo_surface_t* first = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, frame_w, frame_h);
  {
    cairo_t* cr = NewContext(first, sheet.cr());
    paint(cr, 0);
    cairo_destroy(cr);
  }
  cairo_surface_flush(first);
  const int fstride = cairo_image_surface_get_stride(first);
  const unsigned char* fdata = cairo_image_surface_get_data(first);
  std::vector<bool> mask(static_cast<size_t>(frame_w) * frame_h);
  for (int y = 0; y < frame_h; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(fdata + static_cast<size_t>(y) * fstride);
    for (int x = 0; x < frame_w; ++x) mask[static_cast<size_t>(y) * frame_w + x] = (row[x] >> 24) >= 128;
  }

  cairo_surface_t* frame = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, frame_w, frame_h);
  cairo_surface_t* out = sheet.surface();
  cairo_surface_flush(out);
  unsigned char* odata = cairo_image_surface_get_data(out);
  const int ostride = cairo_image_surface_get_stride(out);
  for (int i = 0; i < cols * rows; ++i) {
    cairo_t* cr = NewContext(frame, sheet.cr());
    // Start from frame 0, so a frame that leaves a gap shows frame 0 there.
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, first, 0, 0);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    if (i > 0) paint(cr, i);
    cairo_destroy(cr);
    cairo_surface_flush(frame);
    const unsigned char* data = cairo_image_surface_get_data(frame);
    const int stride = cairo_image_surface_get_stride(frame);
    const int ox = (i % cols) * frame_w, oy = (i / cols) * frame_h;
    for (int y = 0; y < frame_h; ++y) {
      const auto* src = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
      auto* dst = reinterpret_cast<uint32_t*>(odata + static_cast<size_t>(oy + y) * ostride) + ox;
      for (int x = 0; x < frame_w; ++x) {
        // Inside the mask the alpha is at least frame 0's, so it stays opaque.
        dst[x] = mask[static_cast<size_t>(y) * frame_w + x] ? src[x] : 0;
      }
    }
  }
  cairo_surface_mark_dirty(out);
  cairo_surface_destroy(frame);
  cairo_surface_destroy(first);
  return sheet.SaveKeyed(path);
}

bool SaveLabelStrip(const std::string& dir, const std::string& file, int w, int h, const std::string& label,
                    Colour base, double text_size) {
  const std::string path = JoinPath(dir, file);
  return Reported(path, SaveStrip(path, w, h, 2, [&](cairo_t* cr, int frame) {
                    PaintLabelButton(cr, w, h, label, base, StateOfFrame(frame), text_size);
                  }));
}

bool Reported(const std::string& path, bool ok) {
  if (!ok) std::fprintf(stderr, "could not write %s\n", path.c_str());
  return ok;
}

void ReleaseFontCaches() {
  cairo_debug_reset_static_data();
  FcFini();
}

std::string JoinPath(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  if (dir.back() == '/') return dir + name;
  return dir + "/" + name;
}

}  // namespace art
