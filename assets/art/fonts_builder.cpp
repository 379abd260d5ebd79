#include "fonts_builder.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "canvas.h"

namespace art {
namespace {

constexpr int kFirst = 33;
constexpr int kLast = 126;

struct Glyph {
  int width = 0;
  std::vector<uint32_t> argb;  // premultiplied, width x height, already opaque-or-clear
};

struct SurfaceDeleter {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
  void operator()(cairo_t* c) const { cairo_destroy(c); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using ContextPtr = std::unique_ptr<cairo_t, ContextDeleter>;

void ApplyFont(cairo_t* cr, const FontLook& look, double size, bool antialias) {
  cairo_select_font_face(cr, look.family.c_str(), CAIRO_FONT_SLANT_NORMAL,
                         look.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

// Vertical reach of the whole set at one size: pixels above and below the baseline.
void Reach(cairo_t* cr, const FontLook& look, double size, double* above, double* below) {
  ApplyFont(cr, look, size, true);
  *above = 0;
  *below = 0;
  for (int c = kFirst; c <= kLast; ++c) {
    const char text[2] = {static_cast<char>(c), 0};
    cairo_text_extents_t e;
    cairo_text_extents(cr, text, &e);
    *above = std::max(*above, -e.y_bearing);
    *below = std::max(*below, e.y_bearing + e.height);
  }
}

uint32_t Opaque(Colour c) {
  auto ch = [](double v) { return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
  return 0xFF000000u | (ch(c.r) << 16) | (ch(c.g) << 8) | ch(c.b);
}

// Draws one character and returns its ink, cut to its outermost inked columns.
Glyph RenderGlyph(char ch, const FontLook& look, double size, double baseline) {
  const int h = look.height;
  const int scratch_w = h * 3;
  SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, scratch_w, h));
  ContextPtr cr(cairo_create(surface.get()));
  const char text[2] = {ch, 0};
  const double origin = h;  // leaves room for a negative bearing
  const bool outlined = look.outline.a > 0 && look.outline_width > 0;
  if (outlined) {
    // Hard outline first, then the smoothed fill over it.
    ApplyFont(cr.get(), look, size, false);
    cairo_set_antialias(cr.get(), CAIRO_ANTIALIAS_NONE);
    cairo_move_to(cr.get(), origin, baseline);
    cairo_text_path(cr.get(), text);
    SetSource(cr.get(), look.outline);
    cairo_set_line_width(cr.get(), look.outline_width);
    cairo_set_line_join(cr.get(), CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr.get());
    cairo_fill(cr.get());
    cairo_set_antialias(cr.get(), CAIRO_ANTIALIAS_GRAY);
    ApplyFont(cr.get(), look, size, true);
    cairo_move_to(cr.get(), origin, baseline);
    SetSource(cr.get(), look.fill);
    cairo_show_text(cr.get(), text);
  } else {
    ApplyFont(cr.get(), look, size, true);
    cairo_move_to(cr.get(), origin, baseline);
    SetSource(cr.get(), Colour{1, 1, 1, 1});
    cairo_show_text(cr.get(), text);
  }
  cairo_surface_flush(surface.get());
  const unsigned char* data = cairo_image_surface_get_data(surface.get());
  const int stride = cairo_image_surface_get_stride(surface.get());
  auto at = [&](int x, int y) {
    return reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride)[x];
  };

  // Decide each pixel: opaque colour or clear.
  std::vector<uint32_t> pixels(static_cast<size_t>(scratch_w) * h, 0);
  const uint32_t backdrop = Opaque(look.backdrop);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < scratch_w; ++x) {
      const uint32_t p = at(x, y);
      const uint32_t a = p >> 24;
      uint32_t out = 0;
      if (outlined) {
        if (a >= 128) {
          auto un = [&](int shift) { return std::min<uint32_t>(255, (((p >> shift) & 0xFF) * 255 + a / 2) / a); };
          out = 0xFF000000u | (un(16) << 16) | (un(8) << 8) | un(0);
        }
      } else if (a >= 24) {
        // Coverage a of the fill over the backdrop it will be drawn on.
        const Colour mixed = Mix(Hex(backdrop & 0xFFFFFF), look.fill, a / 255.0);
        out = Opaque(mixed);
      }
      pixels[static_cast<size_t>(y) * scratch_w + x] = out;
    }
  }
  auto column_inked = [&](int x) {
    for (int y = 0; y < h; ++y) {
      if (pixels[static_cast<size_t>(y) * scratch_w + x] != 0) return true;
    }
    return false;
  };
  int first = -1, last = -1;
  for (int x = 0; x < scratch_w; ++x) {
    if (column_inked(x)) {
      if (first < 0) first = x;
      last = x;
    }
  }
  Glyph glyph;
  if (first < 0) {
    // Nothing visible at this size: one dot on the baseline keeps the glyph.
    first = last = static_cast<int>(origin);
    const int dot_row = std::clamp(static_cast<int>(baseline) - 1, 0, h - 1);
    pixels[static_cast<size_t>(dot_row) * scratch_w + first] = Opaque(look.fill);
  }
  // A gap inside the glyph (the two ticks of '"') would split it when the
  // font is measured: bridge it along a row where both sides have ink.
  for (int x = first; x <= last; ++x) {
    if (column_inked(x)) continue;
    int gap_end = x;
    while (!column_inked(gap_end)) ++gap_end;  // first inked column after the gap
    const int left = x - 1;
    int row = -1;
    for (int y = 0; y < h && row < 0; ++y) {
      if (pixels[static_cast<size_t>(y) * scratch_w + left] != 0 &&
          pixels[static_cast<size_t>(y) * scratch_w + gap_end] != 0) {
        row = y;
      }
    }
    if (row < 0) {
      for (int y = 0; y < h && row < 0; ++y) {
        if (pixels[static_cast<size_t>(y) * scratch_w + left] != 0) row = y;
      }
    }
    const uint32_t colour = pixels[static_cast<size_t>(row) * scratch_w + left];
    for (int bx = x; bx < gap_end; ++bx) pixels[static_cast<size_t>(row) * scratch_w + bx] = colour;
    x = gap_end;
  }
  glyph.width = last - first + 1;
  glyph.argb.resize(static_cast<size_t>(glyph.width) * h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < glyph.width; ++x) {
      glyph.argb[static_cast<size_t>(y) * glyph.width + x] = pixels[static_cast<size_t>(y) * scratch_w + first + x];
    }
  }
  return glyph;
}

}  // namespace

FontResult BuildBitmapFont(const std::string& path, const FontLook& look) {
  FontResult result;
  const int h = look.height;
  SurfacePtr probe_surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 4, 4));
  ContextPtr probe(cairo_create(probe_surface.get()));
  const bool outlined = look.outline.a > 0 && look.outline_width > 0;
  const double margin = outlined ? std::ceil(look.outline_width / 2) : 0;
  // The largest size, in half pixels, whose whole set fits the height.
  double size = look.max_size > 0 ? look.max_size : h * 1.2;
  double above = 0, below = 0;
  for (; size > 4; size -= 0.5) {
    Reach(probe.get(), look, size, &above, &below);
    if (std::ceil(above) + std::ceil(below) + 2 * margin <= h) break;
  }
  const double baseline = margin + std::ceil(above);

  std::vector<Glyph> glyphs;
  int total = 0;
  for (int c = kFirst; c <= kLast; ++c) {
    glyphs.push_back(RenderGlyph(static_cast<char>(c), look, size, baseline));
    result.widest = std::max(result.widest, glyphs.back().width);
    total += glyphs.back().width + 1;  // one blue column after each glyph
  }
  Canvas sheet(total, h);
  cairo_surface_t* out = sheet.surface();
  cairo_surface_flush(out);
  unsigned char* data = cairo_image_surface_get_data(out);
  const int stride = cairo_image_surface_get_stride(out);
  int x0 = 0;
  for (const Glyph& g : glyphs) {
    for (int y = 0; y < h; ++y) {
      auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
      for (int x = 0; x < g.width; ++x) row[x0 + x] = g.argb[static_cast<size_t>(y) * g.width + x];
    }
    x0 += g.width + 1;
  }
  cairo_surface_mark_dirty(out);
  result.saved = sheet.SaveKeyed(path);
  result.size = size;
  result.width = total;
  return result;
}

}  // namespace art
