// A picture as the programs meet it: read by their own BMP loader into a
// 16-bit surface, where the colour key is the one value pure blue becomes.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/bitmap.h"

namespace assets_test {

constexpr uint16_t kKey = platform::Rgb565(0, 0, 255);

struct Picture {
  std::unique_ptr<platform::Surface> s;
  int width = 0, height = 0;
  uint16_t Raw(int x, int y) const { return s->pixel16(x, y); }
  bool Key(int x, int y) const { return Raw(x, y) == kKey; }
  // 0xRRGGBB with the low bits the 16-bit screen drops left at zero.
  uint32_t At(int x, int y) const {
    const uint32_t v = Raw(x, y);
    return (v >> 11) << 19 | ((v >> 5) & 63) << 10 | (v & 31) << 3;
  }
  // Opaque pixels of a frame, row by row.
  std::vector<bool> Mask(int x0, int y0, int w, int h) const {
    std::vector<bool> m;
    for (int y = y0; y < y0 + h; ++y)
      for (int x = x0; x < x0 + w; ++x) m.push_back(!Key(x, y));
    return m;
  }
  int CountKey() const {
    int n = 0;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) n += Key(x, y);
    return n;
  }
};

inline int Luma(uint32_t rgb) {
  return int(299 * (rgb >> 16) + 587 * ((rgb >> 8) & 0xFF) + 114 * (rgb & 0xFF)) / 1000;
}

inline Picture Load(const std::string& path) {
  Picture p;
  p.s = platform::LoadBitmapFile(path);
  if (!p.s) {
    ADD_FAILURE() << path << " does not load";
    return p;
  }
  p.width = p.s->width();
  p.height = p.s->height();
  return p;
}

}  // namespace assets_test
