// A reader of 24-bit uncompressed BMP files for the asset tests, and the
// colour key as the 16-bit screen sees it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace assets_test {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0xRRGGBB, top row first
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

inline uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= uint32_t{b[at + i]} << (8 * i);
  return v;
}

// Reads an uncompressed 24-bit BMP; any other kind is an error.
inline std::optional<Picture> ReadBmp24(const std::string& path, std::string* why) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *why = "cannot open";
    return std::nullopt;
  }
  const std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') {
    *why = "not a BMP";
    return std::nullopt;
  }
  const uint32_t offset = Le(b, 10, 4);
  const uint32_t header = Le(b, 14, 4);
  const auto width = static_cast<int32_t>(Le(b, 18, 4));
  const auto raw_height = static_cast<int32_t>(Le(b, 22, 4));
  const uint32_t bits = Le(b, 28, 2);
  const uint32_t compression = Le(b, 30, 4);
  if (header < 40 || bits != 24 || compression != 0) {
    *why = "not an uncompressed 24-bit BMP";
    return std::nullopt;
  }
  if (width <= 0 || raw_height == 0) {
    *why = "empty picture";
    return std::nullopt;
  }
  const int height = raw_height < 0 ? -raw_height : raw_height;
  const size_t row_bytes = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
  if (offset + row_bytes * height > b.size()) {
    *why = "pixel data cut short";
    return std::nullopt;
  }
  Picture pic;
  pic.width = width;
  pic.height = height;
  pic.pixels.resize(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const int file_row = raw_height > 0 ? height - 1 - y : y;
    const size_t row = offset + file_row * row_bytes;
    for (int x = 0; x < width; ++x) {
      const size_t p = row + static_cast<size_t>(x) * 3;
      pic.pixels[static_cast<size_t>(y) * width + x] = (uint32_t{b[p + 2]} << 16) | (uint32_t{b[p + 1]} << 8) | b[p];
    }
  }
  return pic;
}

// The key as the 16-bit screen sees it (5-6-5 or 5-5-5): pure blue and its
// near neighbours all become transparent.
inline bool IsKey(uint32_t rgb) {
  const uint32_t r = rgb >> 16, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
  return r < 8 && g < 8 && b >= 248;
}

inline int Luma(uint32_t rgb) {
  const int r = rgb >> 16, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
  return (299 * r + 587 * g + 114 * b) / 1000;
}

}  // namespace assets_test
