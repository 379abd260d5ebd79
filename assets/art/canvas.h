// Drawing surfaces for the picture generator, and how a drawing becomes a
// 24-bit BMP in which pure blue is the transparent colour.
#pragma once
#include <cairo.h>

#include <cstdint>
#include <string>

namespace art {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
};
inline constexpr Rgb kKeyBlue{0, 0, 255};

class Canvas {
 public:
  // A transparent ARGB32 Cairo surface of that size.
  Canvas(int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* cr() const { return cr_; }
  cairo_surface_t* surface() const { return surface_; }
  int width() const { return width_; }
  int height() const { return height_; }

  // Keyed picture (sprites, buttons, fonts): a pixel with alpha >= 128 is
  // written opaque with its un-premultiplied colour, anything else pure
  // blue. Opaque colours that the 16-bit conversion would turn into the key
  // (R < 8, G < 8, B >= 248) are nudged off it. Nothing blends toward blue.
  bool SaveKeyed(const std::string& path) const;
  // Opaque picture (backgrounds, pop-ups): alpha is ignored, and no pixel
  // ends up key-like.
  bool SaveOpaque(const std::string& path) const;

 private:
  int width_, height_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

// Writes rows of 0xRRGGBB pixels, top row first, as a bottom-up 24-bit BI_RGB BMP.
bool WriteBmp24(const std::string& path, int width, int height, const uint32_t* pixels);

}  // namespace art
