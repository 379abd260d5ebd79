#include "canvas.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace art {
namespace {

// A colour that the 16-bit screen formats (5-6-5 and 5-5-5) would turn into
// the key is moved just off it, so an opaque pixel never becomes a hole.
uint32_t AvoidKey(uint32_t rgb) {
  const uint32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
  if (r < 8 && g < 8 && b >= 248) return (r << 16) | (g << 8) | 0xF0;
  return rgb;
}

uint8_t Unpremultiply(uint32_t channel, uint32_t alpha) {
  const uint32_t v = (channel * 255 + alpha / 2) / alpha;
  return static_cast<uint8_t>(v > 255 ? 255 : v);
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

void PutLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {
  // Fixed font settings, so the same source always gives the same pixels.
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_subpixel_order(options, CAIRO_SUBPIXEL_ORDER_DEFAULT);
  cairo_set_font_options(cr_, options);
  cairo_font_options_destroy(options);
}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

namespace {

// Every pixel of a Cairo ARGB32 surface through convert, written as a BMP.
template <typename Convert>
bool SaveConverted(cairo_surface_t* surface, int width, int height, const std::string& path,
                   Convert convert) {
  cairo_surface_flush(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < width; ++x) pixels[static_cast<size_t>(y) * width + x] = convert(row[x]);
  }
  return WriteBmp24(path, width, height, pixels.data());
}

}  // namespace

bool Canvas::SaveKeyed(const std::string& path) const {
  return SaveConverted(surface_, width_, height_, path, [](uint32_t p) {
    const uint32_t a = p >> 24;
    if (a < 128) return uint32_t{0x0000FF};
    return AvoidKey((uint32_t{Unpremultiply((p >> 16) & 0xFF, a)} << 16) |
                    (uint32_t{Unpremultiply((p >> 8) & 0xFF, a)} << 8) | Unpremultiply(p & 0xFF, a));
  });
}

bool Canvas::SaveOpaque(const std::string& path) const {
  return SaveConverted(surface_, width_, height_, path,
                       [](uint32_t p) { return AvoidKey(p & 0xFFFFFF); });
}

bool WriteBmp24(const std::string& path, int width, int height, const uint32_t* pixels) {
  if (width <= 0 || height <= 0 || pixels == nullptr) return false;
  const uint32_t row_bytes = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
  const uint32_t image_bytes = row_bytes * static_cast<uint32_t>(height);
  std::vector<uint8_t> out;
  out.reserve(54 + image_bytes);
  // BITMAPFILEHEADER
  out.push_back('B');
  out.push_back('M');
  PutLe(out, 54 + image_bytes, 4);
  PutLe(out, 0, 4);
  PutLe(out, 54, 4);
  // BITMAPINFOHEADER: positive height = bottom-up rows, BI_RGB.
  PutLe(out, 40, 4);
  PutLe(out, static_cast<uint32_t>(width), 4);
  PutLe(out, static_cast<uint32_t>(height), 4);
  PutLe(out, 1, 2);
  PutLe(out, 24, 2);
  PutLe(out, 0, 4);
  PutLe(out, image_bytes, 4);
  PutLe(out, 2835, 4);
  PutLe(out, 2835, 4);
  PutLe(out, 0, 4);
  PutLe(out, 0, 4);
  for (int y = height - 1; y >= 0; --y) {
    const uint32_t* row = pixels + static_cast<size_t>(y) * width;
    for (int x = 0; x < width; ++x) {
      out.push_back(static_cast<uint8_t>(row[x] & 0xFF));
      out.push_back(static_cast<uint8_t>((row[x] >> 8) & 0xFF));
      out.push_back(static_cast<uint8_t>((row[x] >> 16) & 0xFF));
    }
    for (uint32_t pad = static_cast<uint32_t>(width) * 3; pad < row_bytes; ++pad) out.push_back(0);
  }
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  return std::fwrite(out.data(), 1, out.size(), file.get()) == out.size();
}

}  // namespace art
