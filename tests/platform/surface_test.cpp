#include "platform/surface.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace platform {
namespace {

// Every pixel gets a value of its own so that a misplaced copy shows.
void Number(Surface& s, uint16_t base = 0x100) {
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x) s.setPixel16(x, y, uint16_t(base + y * 64 + x));
}

std::vector<uint16_t> Pixels(const Surface& s) {
  std::vector<uint16_t> v;
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x) v.push_back(s.pixel16(x, y));
  return v;
}

TEST(SurfaceLayout, PitchIsPaddedAndRowsAreAddressedByIt) {
  for (int width : {1, 3, 4, 10, 800}) {
    Surface s(width, 3);
    EXPECT_GT(s.pitch(), width * 2) << width;
    EXPECT_EQ(s.pitch() % 4, 0) << width;
    EXPECT_EQ(s.describe().pitch, s.pitch());
  }
  Surface s(5, 3);
  // Row 2 starts pitch * 2 bytes in, not width * 2 * 2.
  uint16_t value = 0xBEEF;
  std::memcpy(s.bits() + 2 * s.pitch() + 4 * 2, &value, 2);
  EXPECT_EQ(s.pixel16(4, 2), 0xBEEF);
  EXPECT_EQ(s.pixel16(4, 1), 0);

  Surface eight(7, 2, PixelFormat::Indexed8);
  EXPECT_GT(eight.pitch(), 7);
  eight.setPixel16(6, 1, 0x1234);
  EXPECT_EQ(eight.pixel8(6, 1), 0x34);
  EXPECT_EQ(eight.bits()[eight.pitch() + 6], 0x34);
}

TEST(SurfaceLayout, DescriptionAndChannelBits) {
  const struct {
    PixelFormat format;
    int bits;
    uint32_t red, green, blue;
    int redBits, greenBits, blueBits;
  } cases[] = {{PixelFormat::Rgb565, 16, 0xF800, 0x07E0, 0x001F, 5, 6, 5},
               {PixelFormat::Rgb555, 16, 0x7C00, 0x03E0, 0x001F, 5, 5, 5},
               {PixelFormat::Indexed8, 8, 0, 0, 0, 0, 0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.format));
    const SurfaceDesc d = Surface(4, 2, c.format).describe();
    EXPECT_EQ(d.width, 4);
    EXPECT_EQ(d.height, 2);
    EXPECT_EQ(d.bitsPerPixel, c.bits);
    EXPECT_EQ(std::vector<uint32_t>({d.redMask, d.greenMask, d.blueMask}), std::vector<uint32_t>({c.red, c.green, c.blue}));
    const ChannelBits b = RgbaBits(d);
    EXPECT_EQ(std::vector<int>({b.red, b.green, b.blue, b.alpha}), std::vector<int>({c.redBits, c.greenBits, c.blueBits, 0}));
  }
}

TEST(SurfacePixels, OutOfRangeAccessIsHarmless) {
  Surface s(3, 2);
  s.fill(0x1111);
  s.setPixel16(-1, 0, 0xFFFF);
  s.setPixel16(3, 0, 0xFFFF);
  s.setPixel16(0, 2, 0xFFFF);
  EXPECT_EQ(Pixels(s), std::vector<uint16_t>(6, 0x1111));
  EXPECT_EQ(s.pixel16(3, 0), 0);
  EXPECT_EQ(s.pixel16(0, -1), 0);
  Surface empty(0, 0);
  EXPECT_FALSE(empty.fill(1));
}

TEST(SurfaceBlt, CopiesIntoSubRectangleOnly) {
  Surface src(4, 4), dst(8, 6);
  Number(src);
  dst.fill(0x7777);
  const Rect from{1, 1, 3, 4};  // 2 x 3
  const Rect to{5, 2, 7, 5};
  ASSERT_TRUE(dst.blt(&to, &src, &from, 0));
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) {
      const bool inside = x >= 5 && x < 7 && y >= 2 && y < 5;
      const uint16_t want = inside ? src.pixel16(x - 5 + 1, y - 2 + 1) : 0x7777;
      EXPECT_EQ(dst.pixel16(x, y), want) << x << "," << y;
    }
}

TEST(SurfaceBlt, RefusedRectanglesDrawNothing) {
  Surface src(4, 4), dst(10, 8);
  Number(src);
  dst.fill(0x2222);
  const auto before = Pixels(dst);
  const Rect partlyLeft{-1, 0, 3, 4}, partlyRight{7, 0, 11, 4}, partlyBelow{0, 5, 4, 9},
      partlyAbove{0, -2, 4, 2}, inverted{4, 4, 0, 0}, invertedX{4, 0, 0, 4}, emptyW{2, 2, 2, 6},
      emptyH{2, 2, 6, 2}, wholeOutside{20, 20, 24, 24};
  for (const Rect& r : {partlyLeft, partlyRight, partlyBelow, partlyAbove, inverted, invertedX,
                        emptyW, emptyH, wholeOutside}) {
    EXPECT_FALSE(dst.blt(&r, &src, nullptr, 0));
    EXPECT_FALSE(dst.blt(&r, nullptr, nullptr, kBltColourFill, 0xFFFF));
  }
  const Rect srcOutside{2, 2, 6, 6}, srcInverted{3, 3, 1, 1}, srcNegative{-1, 0, 2, 2};
  const Rect to{0, 0, 4, 4};
  for (const Rect& r : {srcOutside, srcInverted, srcNegative})
    EXPECT_FALSE(dst.blt(&to, &src, &r, 0));
  Surface other(4, 4, PixelFormat::Rgb555);
  EXPECT_FALSE(dst.blt(&to, &other, nullptr, 0));
  EXPECT_FALSE(dst.blt(&to, nullptr, nullptr, 0));
  EXPECT_EQ(Pixels(dst), before);

  // Exactly touching the edges is fine.
  const Rect corner{6, 4, 10, 8};
  EXPECT_TRUE(dst.blt(&corner, &src, nullptr, 0));
  EXPECT_EQ(dst.pixel16(9, 7), src.pixel16(3, 3));
}

TEST(SurfaceBlt, SourceKeyOfBlueSkipsBlueIn565And555) {
  for (PixelFormat format : {PixelFormat::Rgb565, PixelFormat::Rgb555}) {
    const uint16_t blue = format == PixelFormat::Rgb565 ? Rgb565(0, 0, 255) : Rgb555(0, 0, 255);
    ASSERT_EQ(blue, 0x001F);
    Surface src(3, 1, format), dst(3, 1, format);
    src.setPixel16(0, 0, blue);
    src.setPixel16(1, 0, 0x1234);
    src.setPixel16(2, 0, blue);
    src.setColourKey(ColourKey{blue, blue});
    dst.fill(0x0400);
    ASSERT_TRUE(dst.blt(nullptr, &src, nullptr, kBltKeySrc));
    EXPECT_EQ(Pixels(dst), (std::vector<uint16_t>{0x0400, 0x1234, 0x0400}));
    // Without the flag the key is not applied.
    ASSERT_TRUE(dst.blt(nullptr, &src, nullptr, 0));
    EXPECT_EQ(Pixels(dst), (std::vector<uint16_t>{blue, 0x1234, blue}));
  }
}

TEST(SurfaceBlt, KeyRangeIsInclusiveAndOnlyTheSourceKeyCounts) {
  // Wide enough for eight pixels at a time and a remainder.
  Surface src(11, 1), dst(11, 1);
  const std::vector<uint16_t> values{0x0FFF, 0x1000, 0x1800, 0x2000, 0x2001, 0x0000,
                                     0xFFFF, 0x8000, 0x1000, 0x0FFF, 0x2001};
  for (int x = 0; x < 11; ++x) src.setPixel16(x, 0, values[size_t(x)]);
  src.setColourKey(ColourKey{0x1000, 0x2000});
  dst.fill(0xAAAA);
  ASSERT_TRUE(dst.blt(nullptr, &src, nullptr, kBltKeySrc));
  EXPECT_EQ(Pixels(dst), (std::vector<uint16_t>{0x0FFF, 0xAAAA, 0xAAAA, 0xAAAA, 0x2001, 0x0000,
                                                0xFFFF, 0x8000, 0xAAAA, 0x0FFF, 0x2001}));

  // A key on the destination does not make source pixels transparent.
  src.setColourKey(std::nullopt);
  dst.setColourKey(ColourKey{0, 0xFFFF});
  ASSERT_TRUE(dst.blt(nullptr, &src, nullptr, kBltKeySrc));
  EXPECT_EQ(Pixels(dst), values);
}

// Row 0 onto 7 columns takes source columns 0 0 0 1 1 2 2; onto 2 x 4,
// columns 0 and 1 (3/2 steps) with each row doubled; stretched and keyed at
// once, the key's columns keep the destination.
TEST(SurfaceBlt, StretchPicksNearestSourcePixels) {
  Surface src(3, 2);
  Number(src);  // (x, y) -> 0x100 + y * 64 + x
  src.setColourKey(ColourKey{0x101, 0x101});
  const Rect row0{0, 0, 3, 1};
  const struct {
    int w, h;
    const Rect* from;
    unsigned flags;
    std::vector<uint16_t> want;
  } cases[] = {{7, 1, &row0, 0, {0x100, 0x100, 0x100, 0x101, 0x101, 0x102, 0x102}},
               {2, 4, nullptr, 0, {0x100, 0x101, 0x100, 0x101, 0x140, 0x141, 0x140, 0x141}},
               {6, 2, nullptr, kBltKeySrc, {0x100, 0x100, 9, 9, 0x102, 0x102, 0x140, 0x140, 0x141, 0x141, 0x142, 0x142}}};
  for (const auto& c : cases) {
    Surface dst(c.w, c.h);
    dst.fill(9);
    ASSERT_TRUE(dst.blt(nullptr, &src, c.from, c.flags));
    EXPECT_EQ(Pixels(dst), c.want) << c.w << " x " << c.h;
  }
}

TEST(SurfaceBlt, ColourFillWritesRawValues) {
  Surface s(5, 4);
  s.fill(0);
  ASSERT_TRUE(s.fill(0xF800));
  EXPECT_EQ(Pixels(s), std::vector<uint16_t>(20, 0xF800));
  const Rect r{1, 1, 3, 2};
  Surface unused(1, 1, PixelFormat::Rgb555);  // the source is ignored for a fill
  ASSERT_TRUE(s.blt(&r, &unused, nullptr, kBltColourFill, 0x07E0));
  int green = 0;
  for (uint16_t v : Pixels(s)) green += v == 0x07E0;
  EXPECT_EQ(green, 2);
  EXPECT_EQ(s.pixel16(1, 1), 0x07E0);
  EXPECT_EQ(s.pixel16(2, 1), 0x07E0);

  Surface eight(3, 3, PixelFormat::Indexed8);
  ASSERT_TRUE(eight.fill(0x0142));
  EXPECT_EQ(eight.pixel8(2, 2), 0x42);
}

TEST(SurfaceBlt, OverlappingCopyWithinOneSurfaceMatchesSeparateCopy) {
  const Rect cases[][2] = {
      {{0, 0, 6, 6}, {2, 2, 8, 8}},  // down and right
      {{2, 2, 8, 8}, {0, 0, 6, 6}},  // up and left
      {{0, 1, 8, 7}, {0, 0, 8, 6}},  // one row up
      {{1, 0, 7, 8}, {0, 0, 6, 8}},  // one column left
      {{0, 0, 4, 4}, {1, 1, 9, 9}},  // stretched onto itself
  };
  for (const auto& c : cases) {
    for (unsigned flags : {0u, unsigned(kBltKeySrc)}) {
      Surface self(10, 10), expected(10, 10), copy(10, 10);
      Number(self);
      Number(expected);
      Number(copy);
      self.setColourKey(ColourKey{0x100 + 3 * 64 + 3, 0x100 + 3 * 64 + 3});
      copy.setColourKey(self.colourKey());
      ASSERT_TRUE(expected.blt(&c[1], &copy, &c[0], flags));
      ASSERT_TRUE(self.blt(&c[1], &self, &c[0], flags));
      EXPECT_EQ(Pixels(self), Pixels(expected))
          << c[0].left << "," << c[0].top << " -> " << c[1].left << "," << c[1].top;
    }
  }
}

TEST(SurfaceBlt, EightBitCopyAndKey) {
  Surface src(4, 1, PixelFormat::Indexed8), dst(4, 1, PixelFormat::Indexed8);
  for (int x = 0; x < 4; ++x) src.setPixel16(x, 0, uint16_t(x + 10));
  src.setColourKey(ColourKey{11, 12});
  ASSERT_TRUE(dst.blt(nullptr, &src, nullptr, kBltKeySrc));
  EXPECT_EQ(Pixels(dst), (std::vector<uint16_t>{10, 0, 0, 13}));
}

TEST(SurfaceSwap, ExchangesPixelsOfMatchingSurfacesOnly) {
  Surface a(4, 3), b(4, 3), wide(5, 3), eight(4, 3, PixelFormat::Indexed8);
  a.fill(1);
  b.fill(2);
  wide.fill(3);
  a.swapPixels(b);
  EXPECT_EQ(a.pixel16(3, 2), 2);
  EXPECT_EQ(b.pixel16(3, 2), 1);
  a.swapPixels(wide);
  a.swapPixels(eight);
  EXPECT_EQ(a.pixel16(0, 0), 2);
  EXPECT_EQ(wide.pixel16(0, 0), 3);
}

}  // namespace
}  // namespace platform
