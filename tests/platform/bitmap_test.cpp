#include "platform/bitmap.h"

#include <gtest/gtest.h>

#include "support/bmp_file.h"

namespace platform {
namespace {

using test_support::BmpLayout;
using test_support::MakeBmp;
using test_support::PackRows;

// A small picture with a different colour in every pixel.
uint32_t Colour(int x, int y) {
  return uint32_t(x * 40 + 7) << 16 | uint32_t(y * 50 + 3) << 8 | uint32_t(x * 10 + y * 60 + 1);
}
uint16_t Expected565(uint32_t rgb) {
  return Rgb565(int(rgb >> 16 & 0xFF), int(rgb >> 8 & 0xFF), int(rgb & 0xFF));
}

void ExpectPicture(const Surface& s, int w, int h, const std::function<uint16_t(int, int)>& want) {
  ASSERT_EQ(s.width(), w);
  ASSERT_EQ(s.height(), h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) ASSERT_EQ(s.pixel16(x, y), want(x, y)) << x << "," << y;
}

TEST(BitmapTrueColour, TwentyFourBitsInEveryHeaderBottomUpAndTopDown) {
  for (uint32_t infoSize : {40u, 12u, 108u, 124u})
    for (bool topDown : {false, true}) {
      if (infoSize == 12 && topDown) continue;  // the core header's height is unsigned
      const BmpLayout l{.infoSize = infoSize, .width = 5, .height = topDown ? -3 : 3};  // rows of 15 bytes, padded
      const auto file = MakeBmp(l, PackRows(5, 3, 24, topDown, Colour));
      for (int depth : {16, 8}) {  // asking for 8 bits still gives 565 without a palette
        const auto s = DecodeBitmap(file, depth);
        ASSERT_TRUE(s) << infoSize << " " << topDown;
        EXPECT_EQ(s->format(), PixelFormat::Rgb565);
        ExpectPicture(*s, 5, 3, [](int x, int y) { return Expected565(Colour(x, y)); });
      }
    }
}

// 24 bits keep the top bits of each channel; 16 bits without masks are 5-5-5,
// and pure blue stays the colour key.
TEST(BitmapTrueColour, ChannelsTruncateTo565AndSixteenBitsDefaultTo555) {
  const struct {
    uint16_t bits;
    std::vector<uint32_t> values;
    std::vector<uint16_t> want;
  } cases[] = {{24, {0xFF0000, 0x00FF00, 0x0000FF, 0x0F0F0F}, {0xF800, 0x07E0, 0x001F, (1 << 11) | (3 << 5) | 1}},
               {16, {0x7C00, 0x03E0, 0x001F, 0x0000, 0x7FFF}, {0xF800, 0x07E0, 0x001F, 0x0000, 0xFFFF}}};
  for (const auto& c : cases) {
    const BmpLayout l{.width = int32_t(c.values.size()), .bitCount = c.bits};
    const auto s = DecodeBitmap(MakeBmp(l, PackRows(l.width, 1, c.bits, false, [&](int x, int) {
                                          return c.values[size_t(x)];
                                        })));
    ASSERT_TRUE(s) << c.bits;
    ExpectPicture(*s, l.width, 1, [&](int x, int) { return c.want[size_t(x)]; });
  }
}

TEST(BitmapTrueColour, ThirtyTwoBitsPlainAndBitfields) {
  BmpLayout l{.width = 3, .height = 2, .bitCount = 32};
  // Plain 32-bit pixels are B, G, R and an unused byte.
  auto plain = MakeBmp(l, PackRows(3, 2, 32, false, [](int x, int y) {
                         return Colour(x, y) | 0xAB000000u;
                       }));
  auto s = DecodeBitmap(plain);
  ASSERT_TRUE(s);
  ExpectPicture(*s, 3, 2, [](int x, int y) { return Expected565(Colour(x, y)); });

  // Bit fields with red in the low byte and blue in the third.
  l = {.width = 3, .height = 2, .bitCount = 32, .compression = 3, .masks = {0x000000FF, 0x0000FF00, 0x00FF0000}};
  auto swapped = MakeBmp(l, PackRows(3, 2, 32, false, [](int x, int y) {
                           const uint32_t c = Colour(x, y);
                           return (c >> 16 & 0xFF) | (c & 0xFF00) | (c & 0xFF) << 16;
                         }));
  s = DecodeBitmap(swapped);
  ASSERT_TRUE(s);
  ExpectPicture(*s, 3, 2, [](int x, int y) { return Expected565(Colour(x, y)); });
}

TEST(BitmapTrueColour, Bitfields565KeepEveryValueInEveryHeaderVersion) {
  for (uint32_t infoSize : {40u, 108u, 124u}) {
    const BmpLayout l{.infoSize = infoSize, .width = 256, .height = -256, .bitCount = 16, .compression = 3,
                      .masks = {0xF800, 0x07E0, 0x001F}};
    const auto s = DecodeBitmap(MakeBmp(l, PackRows(256, 256, 16, true, [](int x, int y) {
                                          return uint32_t(y * 256 + x);
                                        })));
    ASSERT_TRUE(s) << infoSize;
    ExpectPicture(*s, 256, 256, [](int x, int y) { return uint16_t(y * 256 + x); });
  }
}

TEST(BitmapIndexed, OneFourAndEightBitsThroughThePalette) {
  const std::vector<uint32_t> palette{0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF,
                                      0x808080, 0x102030, 0xF0E0D0};
  for (int bits : {1, 4, 8}) {
    for (uint32_t infoSize : {40u, 12u}) {
      const int colours = bits == 1 ? 2 : 8;
      // An odd width exercises the bit and nibble packing. A short palette
      // for 4 and 8 bits: the core header has no count field, so its
      // palette ends where the pixels begin.
      const BmpLayout l{.infoSize = infoSize, .width = 11, .height = 3, .bitCount = uint16_t(bits),
                        .palette = {palette.begin(), palette.begin() + colours},
                        .coloursUsed = infoSize == 40 ? uint32_t(colours) : 0};
      // Index `colours` (where it fits the bits) lies past the palette: black.
      auto index = [&](int x, int y) { return uint32_t((x + 2 * y) % (colours + 1)) & ((1u << bits) - 1); };
      const auto file = MakeBmp(l, PackRows(11, 3, bits, false, index));

      const auto wide = DecodeBitmap(file, 16);
      ASSERT_TRUE(wide) << bits << " " << infoSize;
      ExpectPicture(*wide, 11, 3, [&](int x, int y) { return Expected565(index(x, y) < uint32_t(colours) ? palette[index(x, y)] : 0); });

      const auto narrow = DecodeBitmap(file, 8);
      ASSERT_TRUE(narrow);
      EXPECT_EQ(narrow->format(), PixelFormat::Indexed8);
      ExpectPicture(*narrow, 11, 3, [&](int x, int y) { return uint16_t(index(x, y)); });
      for (int i = 0; i < 256; ++i)
        ASSERT_EQ(narrow->palette()[size_t(i)], i < colours ? palette[size_t(i)] : 0u) << i;
    }
  }
}

std::vector<uint32_t> Grey(int n) {
  std::vector<uint32_t> p;
  for (int i = 0; i < n; ++i) p.push_back(uint32_t(i * 0x101010));
  return p;
}

TEST(BitmapRle, EightBitRunsLiteralsDeltasAndEnd) {
  const BmpLayout l{.width = 5, .height = 4, .bitCount = 8, .compression = 1, .palette = Grey(16)};
  const std::vector<uint8_t> data{
      0x03, 0x05, 0x00, 0x00,                    // bottom row: 5 5 5, rest 0
      0x00, 0x03, 0x01, 0x02, 0x03, 0x00,        // literal 1 2 3 (padded)
      0x02, 0x09, 0x00, 0x00,                    //   then 9 9
      0x00, 0x02, 0x02, 0x01,                    // delta: two right, one up
      0x07, 0x04,                                // run past the right edge is cut
      0x00, 0x01,                                // end of picture
  };
  const auto s = DecodeBitmap(MakeBmp(l, data), 8);
  ASSERT_TRUE(s);
  const std::vector<std::vector<int>> want{
      {0, 0, 4, 4, 4},  // top row, reached by the delta at x = 2
      {0, 0, 0, 0, 0},  // skipped by the delta
      {1, 2, 3, 9, 9},
      {5, 5, 5, 0, 0},
  };
  ExpectPicture(*s, 5, 4, [&](int x, int y) { return uint16_t(want[size_t(y)][size_t(x)]); });
}

TEST(BitmapRle, FourBitAlternatingRunsAndOddLiterals) {
  const BmpLayout l{.width = 6, .height = -2, .bitCount = 4, .compression = 2, .palette = Grey(16)};  // top-down
  const std::vector<uint8_t> data{
      0x05, 0x12, 0x00, 0x00,                    // row 0: 1 2 1 2 1
      0x00, 0x05, 0xAB, 0xCD, 0xE0, 0x00,        // row 1: literal A B C D E (3 bytes + pad)
      0x01, 0x70,                                //   then 7
      0x00, 0x01,
  };
  const auto s = DecodeBitmap(MakeBmp(l, data), 8);
  ASSERT_TRUE(s);
  const std::vector<std::vector<int>> want{{1, 2, 1, 2, 1, 0}, {10, 11, 12, 13, 14, 7}};
  ExpectPicture(*s, 6, 2, [&](int x, int y) { return uint16_t(want[size_t(y)][size_t(x)]); });
  const auto wide = DecodeBitmap(MakeBmp(l, data), 16);
  ASSERT_TRUE(wide);
  EXPECT_EQ(wide->pixel16(0, 1), Expected565(0xA0A0A0));
}

TEST(BitmapRle, RunningOutOfDataRefusesUnlessEveryRowIsDone) {
  const BmpLayout l{.width = 2, .height = 2, .bitCount = 8, .compression = 1, .palette = Grey(4)};
  // Both rows ended, no end-of-picture mark: complete.
  EXPECT_TRUE(DecodeBitmap(MakeBmp(l, {0x02, 0x01, 0x00, 0x00, 0x02, 0x02, 0x00, 0x00})));
  // Only one row: the data stops short, and what lies just past its end
  // (the second row) is never read.
  auto cut = MakeBmp(l, {0x02, 0x01, 0x00, 0x00});
  const size_t end = cut.size();
  cut.insert(cut.end(), {0x02, 0x02, 0x00, 0x00});
  EXPECT_FALSE(DecodeBitmap(std::span(cut.data(), end)));
  // A literal longer than what is left.
  EXPECT_FALSE(DecodeBitmap(MakeBmp(l, {0x00, 0x04, 0x01})));
  // A delta without its two bytes.
  EXPECT_FALSE(DecodeBitmap(MakeBmp(l, {0x00, 0x02, 0x01})));
}

std::vector<uint8_t> ValidEightBit() {
  return MakeBmp({.width = 4, .height = 2, .bitCount = 8, .palette = Grey(4)}, PackRows(4, 2, 8, false, [](int x, int) { return uint32_t(x); }));
}

void Patch32(std::vector<uint8_t>& f, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) f[at + size_t(i)] = uint8_t(v >> (8 * i));
}

TEST(BitmapRefusal, DamagedHeadersGiveNoSurface) {
  ASSERT_TRUE(DecodeBitmap(ValidEightBit()));
  struct Damage {
    const char* what;
    size_t at;
    uint32_t value;
  };
  const Damage damages[] = {
      {"not BM", 0, 0},           {"unknown header size", 14, 64},  {"header past the end", 14, 4000},
      {"zero width", 18, 0},      {"negative width", 18, uint32_t(-4)}, {"width too big", 18, 20000},
      {"height too big", 22, 16385}, {"smallest height", 22, 0x80000000u}, {"two bits", 28, 2},
      {"no bits", 28, 0},         {"compressed as a JPEG", 30, 4},  {"RLE4 at 8 bits", 30, 2},
      {"bit fields at 8 bits", 30, 3}, {"pixels past the end", 10, 5000}, {"pixels inside the header", 10, 20}};
  for (const Damage& d : damages) {
    auto f = ValidEightBit();
    if (d.at == 0) {
      f[0] = 'A';
      f[1] = 'B';
    } else {
      Patch32(f, d.at, d.value);
    }
    EXPECT_FALSE(DecodeBitmap(f)) << d.what;
  }
  // 16384 x 16384 passes the side limit but not the pixel count.
  auto f = ValidEightBit();
  Patch32(f, 18, 16384);
  Patch32(f, 22, 16384);
  EXPECT_FALSE(DecodeBitmap(f));
}

TEST(BitmapRefusal, TruncatedFilesGiveNoSurface) {
  const auto f = ValidEightBit();
  EXPECT_FALSE(DecodeBitmap(std::span(f.data(), f.size() - 1)));
  for (size_t n : {size_t(0), size_t(2), size_t(14), size_t(17), size_t(30), size_t(54)})
    EXPECT_FALSE(DecodeBitmap(std::span(f.data(), n))) << n;

  auto rows = PackRows(3, 3, 24, false, Colour);
  rows.pop_back();
  EXPECT_FALSE(DecodeBitmap(MakeBmp({.width = 3, .height = 3}, rows)));
}

}  // namespace
}  // namespace platform
