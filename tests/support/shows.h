// Whether a picture is on the screen: every opaque pixel of a part of it
// (the whole picture when the part is empty) at (left, top). Without a key
// of its own, pure blue is the picture's key.
#pragma once
#include <gtest/gtest.h>

#include "platform/surface.h"

namespace test_support {

inline ::testing::AssertionResult Shows(const platform::Surface& screen, const platform::Surface& picture,
                                        int left, int top, platform::Rect part = {}) {
  if (part.width() <= 0) part = {0, 0, picture.width(), picture.height()};
  const uint16_t key = picture.colourKey() ? picture.colourKey()->low : platform::Rgb565(0, 0, 255);
  int compared = 0;
  for (int y = 0; y < part.height(); ++y) {
    for (int x = 0; x < part.width(); ++x) {
      const uint16_t own = picture.pixel16(part.left + x, part.top + y);
      if (own == key) continue;
      ++compared;
      if (screen.pixel16(left + x, top + y) != own)
        return ::testing::AssertionFailure() << "differs at (" << x << "," << y << ")";
    }
  }
  if (compared == 0) return ::testing::AssertionFailure() << "nothing opaque to compare";
  return ::testing::AssertionSuccess();
}

}  // namespace test_support
