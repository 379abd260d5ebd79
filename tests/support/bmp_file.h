// BMP files built byte by byte for the tests: any header size, depth,
// compression and palette, or simply a 24-bit picture from a colour function.
#pragma once
#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace test_support {

struct BmpLayout {
  uint32_t infoSize = 40;         // 12, 40, 108 or 124
  int32_t width = 1, height = 1;  // negative height: rows stored top first
  uint16_t bitCount = 24;
  uint32_t compression = 0;
  std::vector<uint32_t> palette{};  // 0x00RRGGBB
  uint32_t coloursUsed = 0;       // written as is
  uint32_t masks[3] = {0, 0, 0};  // used with compression 3
};

inline void PutLe(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

// The header, masks and palette followed by pixels (already in file order).
inline std::vector<uint8_t> MakeBmp(const BmpLayout& l, const std::vector<uint8_t>& pixels) {
  std::vector<uint8_t> info;
  PutLe(info, l.infoSize, 4);
  const int dim = l.infoSize == 12 ? 2 : 4;
  PutLe(info, uint32_t(l.width), dim);
  PutLe(info, uint32_t(l.height), dim);
  PutLe(info, 1, 2);
  PutLe(info, l.bitCount, 2);
  if (l.infoSize != 12) {
    for (uint32_t v : {l.compression, uint32_t(pixels.size()), 2835u, 2835u, l.coloursUsed, 0u})
      PutLe(info, v, 4);
    const bool bitfields = l.compression == 3;
    if (bitfields || l.infoSize > 40)
      for (uint32_t m : l.masks) PutLe(info, bitfields ? m : 0, 4);
    while (info.size() < l.infoSize) info.push_back(0);
  }
  for (uint32_t c : l.palette) PutLe(info, c, l.infoSize == 12 ? 3 : 4);
  std::vector<uint8_t> file{'B', 'M'};
  const uint32_t offset = 14 + uint32_t(info.size());
  for (uint32_t v : {offset + uint32_t(pixels.size()), 0u, offset}) PutLe(file, v, 4);
  file.insert(file.end(), info.begin(), info.end());
  file.insert(file.end(), pixels.begin(), pixels.end());
  return file;
}

// Uncompressed rows, padded to four bytes, in file order (bottom row first
// unless topDown). value(x, y) is an index, a 16-bit pixel or 0x00RRGGBB.
inline std::vector<uint8_t> PackRows(int width, int height, int bitCount, bool topDown,
                                     const std::function<uint32_t(int, int)>& value) {
  std::vector<uint8_t> out;
  const size_t stride = ((size_t(width) * bitCount + 31) / 32) * 4;
  for (int row = 0; row < height; ++row) {
    const int y = topDown ? row : height - 1 - row;
    std::vector<uint8_t> line(stride, 0);
    for (int x = 0; x < width; ++x) {
      const uint32_t v = value(x, y);
      if (bitCount < 8) {
        const int per = 8 / bitCount, shift = (per - 1 - x % per) * bitCount;
        line[size_t(x / per)] |= uint8_t((v & ((1u << bitCount) - 1)) << shift);
      } else {
        for (int b = 0; b < bitCount / 8; ++b) line[size_t(x) * size_t(bitCount / 8) + size_t(b)] = uint8_t(v >> (8 * b));
      }
    }
    out.insert(out.end(), line.begin(), line.end());
  }
  return out;
}

// A bottom-up 24-bit picture whose pixel (x, y) is colour(x, y) = 0xRRGGBB.
inline void WriteBmp24(const std::string& path, int width, int height,
                       const std::function<uint32_t(int, int)>& colour) {
  BmpLayout layout;
  layout.width = width;
  layout.height = height;
  const std::vector<uint8_t> file = MakeBmp(layout, PackRows(width, height, 24, false, colour));
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
}

}  // namespace test_support
