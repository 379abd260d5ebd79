// Every font the programs draw with loads through the programs' own font
// loader with all 94 glyphs, and measures as the layouts expect.
#include <gtest/gtest.h>

#include <string>

#include "gfx/bitmap_font.h"
#include "support/headless_services.h"

namespace {

struct FontCase {
  const char* path;  // inside the laid-out tree
  int height;
};

class FontsLoad : public ::testing::TestWithParam<FontCase> {};

TEST_P(FontsLoad, WithTheProgramsOwnLoader) {
  testing_support::HeadlessServices services;
  gfx::BitmapFont font(services.qv);
  const std::string path = std::string(PAV_DIST_DIR) + "/" + GetParam().path;
  ASSERT_EQ(font.Load(path), 1) << path;
  EXPECT_EQ(font.Height(), GetParam().height);
  for (int i = 0; i < 94; ++i) {
    const auto& g = font.GlyphAt(i);
    EXPECT_GE(g.start, 0) << "glyph " << char(33 + i);
    EXPECT_GT(g.width, 0) << "glyph " << char(33 + i);
  }
  // The widest glyph sets the space and the spacing: no glyph may be so
  // wide that text becomes gappy.
  EXPECT_GE(font.SpaceWidth(), 4);
  EXPECT_LE(font.SpaceWidth(), 14);
  EXPECT_GT(font.TextWidth("Mm"), font.TextWidth("il"));
}

INSTANTIATE_TEST_SUITE_P(Assets, FontsLoad,
                         ::testing::Values(FontCase{"n_font.bmp", 20}, FontCase{"h_font.bmp", 20},
                                           FontCase{"HallBlackFont.bmp", 20},
                                           FontCase{"HallPurpleFont.bmp", 20},
                                           FontCase{"Verimoo/font.bmp", 22}),
                         [](const auto& info) {
                           std::string n = info.param.path;
                           for (char& c : n)
                             if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                           return n;
                         });

}  // namespace
