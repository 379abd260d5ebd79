// Any bytes given to the BMP reader give a picture within the size limits
// or no picture, never a crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> file(data, size);
  for (int depth : {16, 8}) {
    const auto surface = platform::DecodeBitmap(file, depth);
    if (!surface) continue;
    if (surface->width() <= 0 || surface->height() <= 0 || surface->width() > 16384 ||
        surface->height() > 16384)
      std::abort();
    // Touch the corners so a wrongly sized buffer shows under the sanitizer.
    const int w = surface->width(), h = surface->height();
    volatile uint16_t sink = surface->pixel16(0, 0) ^ surface->pixel16(w - 1, h - 1);
    (void)sink;
  }
  return 0;
}
