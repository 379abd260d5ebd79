// Any bytes, decoded and loaded from a file the way the programs load their
// pictures, give a picture within the size limits or none, never a crash.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "fuzz_check.h"
#include "platform/bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_support::WorkDir().write("Picture.bmp", std::string(reinterpret_cast<const char*>(data), size));
  const std::string path = "picture.BMP";  // found whatever its case, as the programs ask
  for (int depth : {16, 8}) {
    std::unique_ptr<platform::Surface> surfaces[] = {platform::DecodeBitmap({data, size}, depth),
                                                     platform::LoadBitmapFile(path, depth)};
    for (const auto& surface : surfaces) {
      if (!surface) continue;
      const int w = surface->width(), h = surface->height();
      fuzz_support::Check(w > 0 && h > 0 && w <= 16384 && h <= 16384);
      // The far corner shows a wrongly sized buffer under the sanitizer.
      volatile uint8_t sink = surface->bits()[size_t(h - 1) * size_t(surface->pitch()) + size_t(w - 1)];
      (void)sink;
    }
  }
  return 0;
}
