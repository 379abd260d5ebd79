// Builds BMP files byte by byte for the decoder's tests.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

namespace platform_test {

struct BmpLayout {
  uint32_t infoSize = 40;  // 12, 40, 108 or 124
  int32_t width = 1, height = 1;  // negative height: rows stored top first
  uint16_t bitCount = 24;
  uint32_t compression = 0;
  std::vector<uint32_t> palette;  // 0x00RRGGBB
  uint32_t coloursUsed = 0;       // written as is
  uint32_t masks[3] = {0, 0, 0};  // used with compression 3
};

inline void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}
inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// The header, masks and palette followed by pixels (already in file order).
inline std::vector<uint8_t> MakeBmp(const BmpLayout& l, const std::vector<uint8_t>& pixels) {
  std::vector<uint8_t> info;
  Put32(info, l.infoSize);
  if (l.infoSize == 12) {
    Put16(info, uint32_t(l.width));
    Put16(info, uint32_t(l.height));
    Put16(info, 1);
    Put16(info, l.bitCount);
  } else {
    Put32(info, uint32_t(l.width));
    Put32(info, uint32_t(l.height));
    Put16(info, 1);
    Put16(info, l.bitCount);
    Put32(info, l.compression);
    Put32(info, uint32_t(pixels.size()));
    Put32(info, 2835);
    Put32(info, 2835);
    Put32(info, l.coloursUsed);
    Put32(info, 0);
    const bool bitfields = l.compression == 3;
    if (l.infoSize > 40) {
      for (uint32_t m : l.masks) Put32(info, bitfields ? m : 0);
      while (info.size() < l.infoSize) info.push_back(0);
    } else if (bitfields) {
      for (uint32_t m : l.masks) Put32(info, m);
    }
  }
  for (uint32_t c : l.palette) {
    info.push_back(uint8_t(c));
    info.push_back(uint8_t(c >> 8));
    info.push_back(uint8_t(c >> 16));
    if (l.infoSize != 12) info.push_back(0);
  }
  std::vector<uint8_t> file{'B', 'M'};
  const uint32_t offset = 14 + uint32_t(info.size());
  Put32(file, offset + uint32_t(pixels.size()));
  Put32(file, 0);
  Put32(file, offset);
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
      switch (bitCount) {
        case 1: line[size_t(x) / 8] |= uint8_t((v & 1) << (7 - x % 8)); break;
        case 4: line[size_t(x) / 2] |= uint8_t((v & 0xF) << (x % 2 ? 0 : 4)); break;
        case 8: line[size_t(x)] = uint8_t(v); break;
        case 16:
          line[size_t(x) * 2] = uint8_t(v);
          line[size_t(x) * 2 + 1] = uint8_t(v >> 8);
          break;
        case 24:
          line[size_t(x) * 3] = uint8_t(v);
          line[size_t(x) * 3 + 1] = uint8_t(v >> 8);
          line[size_t(x) * 3 + 2] = uint8_t(v >> 16);
          break;
        case 32:
          for (int b = 0; b < 4; ++b) line[size_t(x) * 4 + size_t(b)] = uint8_t(v >> (8 * b));
          break;
      }
    }
    out.insert(out.end(), line.begin(), line.end());
  }
  return out;
}

}  // namespace platform_test
