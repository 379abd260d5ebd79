// Windows BMP files read into surfaces.
#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "platform/surface.h"

namespace platform {

// Reads a BMP (1, 4, 8, 16, 24 or 32 bits; BI_RGB, BI_BITFIELDS, RLE4/RLE8,
// bottom-up or top-down). depth 16 converts to an RGB565 surface; depth 8
// keeps an 8-bit picture's indices and palette (other depths are converted to
// 16). A damaged, truncated or absurdly large file gives no surface.
std::unique_ptr<Surface> DecodeBitmap(std::span<const uint8_t> file, int depth = 16);

// The path is taken as the framework writes it (Windows style) and resolved
// by platform::ResolvePath.
std::unique_ptr<Surface> LoadBitmapFile(const std::string& path, int depth = 16);

}  // namespace platform
