// The picture generator's own pieces: how a drawing becomes a keyed or an
// opaque BMP. (Strips and fonts are checked on the real pictures.)
#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdint>
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

  // Writes raw premultiplied ARGB values straight into the canvas.
  static void Poke(art::Canvas& canvas, int x, int y, uint32_t argb) {
    cairo_surface_flush(canvas.surface());
    unsigned char* data = cairo_image_surface_get_data(canvas.surface());
    const int stride = cairo_image_surface_get_stride(canvas.surface());
    reinterpret_cast<uint32_t*>(data + y * stride)[x] = argb;
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
  Poke(keyed, 0, 0, 0x00000000);  // clear
  Poke(keyed, 1, 0, 0xFFFF0000);  // opaque red
  Poke(keyed, 2, 0, 0x80800000);  // half-covered red: shown at full colour
  Poke(keyed, 3, 0, 0x7F7F0000);  // less than half covered: key
  Poke(keyed, 4, 0, 0xFF0404FC);  // opaque but key-like after 16-bit conversion
  Poke(keyed, 5, 0, 0xFF2040C0);  // ordinary blue-ish colour stays as it is
  ASSERT_TRUE(keyed.SaveKeyed(Path("k.bmp")));
  const auto k = Load(Path("k.bmp"));
  ASSERT_TRUE(k.s);
  const uint16_t red = Rgb565(255, 0, 0);
  EXPECT_EQ((std::vector<uint16_t>{k.Raw(0, 0), k.Raw(1, 0), k.Raw(2, 0), k.Raw(3, 0), k.Raw(5, 0)}),
            (std::vector<uint16_t>{assets_test::kKey, red, red, assets_test::kKey, Rgb565(0x20, 0x40, 0xC0)}));
  EXPECT_FALSE(k.Key(4, 0)) << "an opaque pixel turned into a hole";

  art::Canvas opaque(3, 1);
  Poke(opaque, 0, 0, 0xFF0000FF);  // pure key blue drawn by mistake
  Poke(opaque, 1, 0, 0xFF123456);
  Poke(opaque, 2, 0, 0x00000000);  // never drawn: black, not a hole
  ASSERT_TRUE(opaque.SaveOpaque(Path("o.bmp")));
  const auto o = Load(Path("o.bmp"));
  ASSERT_TRUE(o.s);
  EXPECT_EQ(o.CountKey(), 0);
  EXPECT_EQ(o.Raw(1, 0), Rgb565(0x12, 0x34, 0x56));
}

}  // namespace
