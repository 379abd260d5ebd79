#include "gfx/bitmap_font.h"

#include <vector>

#include "gfx_fixture.h"

namespace gfx_test {
namespace {

constexpr int kHeight = 8;

Rgb GlyphColour(int i) { return Rgb{(i % 32) * 8, (i / 32) * 64 + 32, 0}; }
uint16_t Glyph565(int i) {
  const Rgb c = GlyphColour(i);
  return platform::Rgb565(c.r, c.g, c.b);
}

// Glyph i at its start column, widths[i] wide, one blue column before each.
struct FontLayout {
  std::vector<int> widths, starts;
  int total = 0;
  bool trailingGap = true;

  explicit FontLayout(std::vector<int> w, bool gapAtEnd = true)
      : widths(std::move(w)), trailingGap(gapAtEnd) {
    int x = 1;
    for (int width : widths) {
      starts.push_back(x);
      x += width + 1;
    }
    total = trailingGap ? x : x - 1;
  }
  int GlyphAt(int x) const {
    for (size_t i = 0; i < widths.size(); ++i)
      if (x >= starts[i] && x < starts[i] + widths[i]) return int(i);
    return -1;
  }
};

class BitmapFontTest : public GfxTest {
 protected:
  gfx::BitmapFont font{svc.qv};

  // The default set: widths 2..6 and one 15-pixel glyph ('W').
  static std::vector<int> Widths(int widest = 15, int count = 94) {
    std::vector<int> w;
    for (int i = 0; i < count; ++i) w.push_back(2 + i % 5);
    if (count > 'W' - 33) w['W' - 33] = widest;
    return w;
  }
  std::string Write(const FontLayout& layout, const std::string& name = "font.bmp") {
    return Picture(name, layout.total, kHeight, [&](int x, int y) {
      const int g = layout.GlyphAt(x);
      if (g < 0) return kBlue;
      // Each glyph has one key pixel at its top-left, which must stay clear.
      if (x == layout.starts[size_t(g)] && y == 0) return kBlue;
      return GlyphColour(g);
    });
  }
  int Width(char c) const { return font.GlyphAt(c - 33).width; }
};

TEST_F(BitmapFontTest, MeasuresGlyphsSpaceAndSpacingFromTheBitmap) {
  FontLayout layout(Widths());
  ASSERT_EQ(font.Load(Write(layout)), 1);
  EXPECT_EQ(font.Height(), kHeight);
  for (int i = 0; i < 94; ++i) {
    ASSERT_EQ(font.GlyphAt(i).start, layout.starts[size_t(i)]) << i;
    ASSERT_EQ(font.GlyphAt(i).end, layout.starts[size_t(i)] + layout.widths[size_t(i)]) << i;
    ASSERT_EQ(font.GlyphAt(i).width, layout.widths[size_t(i)]) << i;
  }
  EXPECT_EQ(font.SpaceWidth(), 7);
  EXPECT_EQ(font.LetterSpacing(), 1);
  EXPECT_EQ(font.GlyphAt(94).start, -1);
  EXPECT_EQ(font.GlyphAt(-1).width, 0);

  gfx::BitmapFont narrow(svc.qv);
  ASSERT_EQ(narrow.Load(Write(FontLayout(Widths(9)), "narrow.bmp")), 1);
  EXPECT_EQ(narrow.SpaceWidth(), 4);
  EXPECT_EQ(narrow.LetterSpacing(), 0);

  // The last glyph may run to the right edge of the picture.
  FontLayout flush(Widths(), false);
  gfx::BitmapFont edge(svc.qv);
  ASSERT_EQ(edge.Load(Write(flush, "flush.bmp")), 1);
  EXPECT_EQ(edge.GlyphAt(93).end, flush.total);
}

TEST_F(BitmapFontTest, TooFewGlyphsOrNoFileFailAndDrawNothing) {
  EXPECT_EQ(font.Load(Write(FontLayout(Widths(15, 93)), "short.bmp")), 0);
  back().fill(kGrey565);
  EXPECT_EQ(font.DrawChar(&back(), '!', 0, 0), 0);
  EXPECT_EQ(font.DrawChar(&back(), '~', 0, 0), 0);
  EXPECT_EQ(back().pixel16(2, 2), kGrey565);
  EXPECT_EQ(font.Load(tmp.file("none.bmp")), 0);
  EXPECT_EQ(font.TextWidth("abc"), 0);
  // A good load after a failed one works.
  EXPECT_EQ(font.Load(Write(FontLayout(Widths()))), 1);
  EXPECT_GT(font.TextWidth("abc"), 0);
}

TEST_F(BitmapFontTest, DrawCharBlitsTheGlyphKeyedAndAdvances) {
  FontLayout layout(Widths());
  ASSERT_EQ(font.Load(Write(layout)), 1);
  back().fill(kGrey565);
  const int g = 'A' - 33;
  const int w = layout.widths[size_t(g)];
  EXPECT_EQ(font.DrawChar(&back(), 'A', 50, 60), w + 1);
  // The glyph's key pixel at its top-left stays clear.
  EXPECT_EQ(At(back(), {{50, 60}, {51, 60}, {50, 61}, {50 + w - 1, 67}, {50 + w, 67}, {50, 68}}),
            (Px{kGrey565, Glyph565(g), Glyph565(g), Glyph565(g), kGrey565, kGrey565}));

  EXPECT_EQ(font.DrawChar(&back(), ' ', 0, 0), 7);
  for (char c : {'\t', char(127), char(0xE9), char(0xFF)}) EXPECT_EQ(font.DrawChar(&back(), c, 0, 0), 0) << int(c);
  EXPECT_EQ(back().pixel16(1, 1), kGrey565);
}

TEST_F(BitmapFontTest, WidthsOfTextAndOddCharacters) {
  ASSERT_EQ(font.Load(Write(FontLayout(Widths()))), 1);
  EXPECT_EQ(font.CharWidth('A'), Width('A') + 1);
  for (char c : {' ', '\t', char(127), char(0xE9)}) EXPECT_EQ(font.CharWidth(c), 7) << "measures as a space: " << int(c);
  EXPECT_EQ(font.TextWidth("AB C"), Width('A') + 1 + Width('B') + 1 + 7 + Width('C') + 1);
  EXPECT_EQ(font.TextWidth("A\tB"), font.TextWidth("A B"));
  EXPECT_EQ(font.TextWidth("caf\xE9"), font.TextWidth("caf") + 7);
  EXPECT_EQ(font.TextWidth(""), 0);
  EXPECT_EQ(font.TextWidth(nullptr), 0);

  font.SetLetterSpacing(4);
  EXPECT_EQ(font.CharWidth('A'), Width('A') + 4);
  EXPECT_EQ(font.TextWidth("AA"), 2 * (Width('A') + 4));
}

TEST_F(BitmapFontTest, LeftAlignedTextStopsBeforeTheLimit) {
  // A glyph of 11 pixels plus a spacing of 1: an advance of 12.
  auto widths = Widths();
  widths['M' - 33] = 11;
  ASSERT_EQ(font.Load(Write(FontLayout(widths))), 1);
  ASSERT_EQ(font.CharWidth('M'), 12);
  const uint16_t m = Glyph565('M' - 33);

  back().fill(kGrey565);
  EXPECT_EQ(font.DrawText(&back(), "M", 190, 10, 0, 200), 1);
  EXPECT_EQ(back().pixel16(191, 11), kGrey565) << "190 + 12 reaches 200: nothing drawn";

  EXPECT_EQ(font.DrawText(&back(), "MM", 187, 10, 0, 200), 1);
  EXPECT_EQ(back().pixel16(188, 11), m);
  EXPECT_EQ(back().pixel16(199 + 1, 11), kGrey565) << "the second M would reach the limit";

  // No limit: both drawn. A tab advances by nothing when drawn.
  back().fill(kGrey565);
  font.DrawText(&back(), "M\tM", 0, 10, 0);
  EXPECT_EQ(back().pixel16(13, 11), m);

  // Any other alignment draws nothing.
  back().fill(kGrey565);
  EXPECT_EQ(font.DrawText(&back(), "M", 0, 10, 2), 1);
  EXPECT_EQ(back().pixel16(1, 11), kGrey565);
}

TEST_F(BitmapFontTest, RightAlignedTextEndsAtX) {
  FontLayout layout(Widths());
  ASSERT_EQ(font.Load(Write(layout)), 1);
  const int w2 = Width('2'), w4 = Width('4');
  back().fill(kGrey565);
  font.DrawText(&back(), "42", 100, 20, 1);
  // The 2's advance ends at 100: its last column is 100 - spacing - 1; the 4 just before it.
  const uint16_t two = Glyph565('2' - 33), four = Glyph565('4' - 33);
  EXPECT_EQ(At(back(), {{98, 21}, {99, 21}, {100 - w2 - 1, 21}, {100 - w2 - 3, 21}, {100 - w2 - w4 - 3, 21}}),
            (Px{two, kGrey565, two, four, kGrey565}));
}

TEST_F(BitmapFontTest, AtMost255CharactersAreDrawn) {
  ASSERT_EQ(font.Load(Write(FontLayout(Widths()))), 1);
  font.SetLetterSpacing(0);
  ASSERT_EQ(font.CharWidth('!'), 2);
  const std::string text(300, '!');
  back().fill(kGrey565);
  font.DrawText(&back(), text.c_str(), 0, 0, 0);
  EXPECT_EQ(back().pixel16(254 * 2 + 1, 1), Glyph565(0)) << "character 255";
  EXPECT_EQ(back().pixel16(255 * 2 + 1, 1), kGrey565) << "character 256";

  back().fill(kGrey565);
  font.DrawText(&back(), text.c_str(), 799, 0, 1);
  EXPECT_EQ(back().pixel16(799 - 255 * 2 + 1, 1), Glyph565(0));
  EXPECT_EQ(back().pixel16(799 - 256 * 2 + 1, 1), kGrey565);
  EXPECT_EQ(font.DrawText(&back(), nullptr, 0, 0, 0), 1);
}

}  // namespace
}  // namespace gfx_test
