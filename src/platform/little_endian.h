// The byte order of the stored files (bitmaps, sounds, score tables).
#pragma once
#include <cstdint>

namespace platform {

constexpr uint16_t ReadLe16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

constexpr uint32_t ReadLe32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

}  // namespace platform
