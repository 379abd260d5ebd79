// The picture generator's own pieces: how a drawing becomes a keyed or an
// opaque BMP. (Strips and fonts are checked on the real pictures.)
#include <gtest/gtest.h>

#include <cairo.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "art_common.h"
#include "assets/picture.h"
#include "canvas.h"
#include "support/scratch_dir.h"

namespace {

using assets_test::Load;
using platform::Rgb565;

class GeneratorFiles : public ::testing::Test {
 protected:
  std::string Path(const char* name) const { return dir_.file(name); }

  // Writes raw premultiplied ARGB values straight into the canvas's top row.
  static void PokeRow(art::Canvas& canvas, std::initializer_list<uint32_t> argb) {
    cairo_surface_flush(canvas.surface());
    std::copy(argb.begin(), argb.end(), reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(canvas.surface())));
    cairo_surface_mark_dirty(canvas.surface());
  }

  test_support::ScratchDir dir_;
};

TEST_F(GeneratorFiles, BmpRoundTripsThroughTheProgramsLoader) {
  // 3 pixels a row: the rows need padding; the top row is stored last.
  const std::vector<uint32_t> pixels = {0x112233, 0x445566, 0x778899,   // top row
                                        0xAABBCC, 0xDDEEFF, 0x010203};  // bottom row
  ASSERT_TRUE(art::WriteBmp24(Path("p.bmp"), 3, 2, pixels.data()));
  const auto pic = Load(Path("p.bmp"));
  ASSERT_TRUE(pic.s);
  ASSERT_EQ(pic.width * pic.height, 6);
  for (int i = 0; i < 6; ++i) {
    const uint32_t c = pixels[size_t(i)];
    EXPECT_EQ(pic.Raw(i % 3, i / 3), Rgb565(int(c >> 16), int(c >> 8 & 0xFF), int(c & 0xFF))) << i;
  }
  EXPECT_FALSE(art::WriteBmp24(Path("empty.bmp"), 0, 2, pixels.data()));
  EXPECT_FALSE(art::WriteBmp24(Path("missing/x.bmp"), 3, 2, pixels.data()));
}

TEST_F(GeneratorFiles, KeyedAndOpaqueSavesDecideEachPixel) {
  art::Canvas keyed(6, 1);
  // Clear; opaque red; half-covered red (shown at full colour); less than half
  // covered (key); opaque but key-like after 16-bit conversion; ordinary blue-ish.
  PokeRow(keyed, {0x00000000, 0xFFFF0000, 0x80800000, 0x7F7F0000, 0xFF0404FC, 0xFF2040C0});
  ASSERT_TRUE(keyed.SaveKeyed(Path("k.bmp")));
  const auto k = Load(Path("k.bmp"));
  ASSERT_TRUE(k.s);
  const uint16_t red = Rgb565(255, 0, 0);
  EXPECT_EQ((std::vector<uint16_t>{k.Raw(0, 0), k.Raw(1, 0), k.Raw(2, 0), k.Raw(3, 0), k.Raw(5, 0)}),
            (std::vector<uint16_t>{assets_test::kKey, red, red, assets_test::kKey, Rgb565(0x20, 0x40, 0xC0)}));
  EXPECT_FALSE(k.Key(4, 0)) << "an opaque pixel turned into a hole";

  art::Canvas opaque(3, 1);
  PokeRow(opaque, {0xFF0000FF, 0xFF123456, 0x00000000});  // key blue by mistake; any; never drawn (black)
  ASSERT_TRUE(opaque.SaveOpaque(Path("o.bmp")));
  const auto o = Load(Path("o.bmp"));
  ASSERT_TRUE(o.s);
  EXPECT_EQ(o.CountKey(), 0);
  EXPECT_EQ(o.Raw(1, 0), Rgb565(0x12, 0x34, 0x56));
}

}  // namespace
