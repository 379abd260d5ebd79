// The picture generator's own pieces: how a drawing becomes a keyed or an
// opaque BMP, how a state strip keeps one silhouette, and how a bitmap font
// is laid out.
#include <gtest/gtest.h>

#include <cairo.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "art_common.h"
#include "assets/bmp24.h"
#include "canvas.h"
#include "fonts_builder.h"

namespace {

namespace fs = std::filesystem;
using assets_test::IsKey;
using assets_test::ReadBmp24;

class GeneratorFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("pav_canvas_" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const char* name) const { return (dir_ / name).string(); }

  // Writes raw premultiplied ARGB values straight into the canvas.
  static void Poke(art::Canvas& canvas, int x, int y, uint32_t argb) {
    cairo_surface_flush(canvas.surface());
    unsigned char* data = cairo_image_surface_get_data(canvas.surface());
    const int stride = cairo_image_surface_get_stride(canvas.surface());
    reinterpret_cast<uint32_t*>(data + y * stride)[x] = argb;
    cairo_surface_mark_dirty(canvas.surface());
  }

  fs::path dir_;
};

// Font caches live until the very end; dropping them then keeps leak
// checkers quiet about Cairo's and fontconfig's own allocations.
class ReleaseFontCachesAtExit : public ::testing::Environment {
 public:
  void TearDown() override { art::ReleaseFontCaches(); }
};
::testing::Environment* const kReleaseCaches =
    ::testing::AddGlobalTestEnvironment(new ReleaseFontCachesAtExit);

TEST_F(GeneratorFiles, BmpRowsArePaddedAndStoredBottomUp) {
  // 3 pixels a row: 9 bytes of colour and 3 of padding.
  const std::vector<uint32_t> pixels = {0x112233, 0x445566, 0x778899,   // top row
                                        0xAABBCC, 0xDDEEFF, 0x010203};  // bottom row
  ASSERT_TRUE(art::WriteBmp24(Path("p.bmp"), 3, 2, pixels.data()));
  std::ifstream in(Path("p.bmp"), std::ios::binary);
  const std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(b.size(), 54u + 2 * 12);
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  EXPECT_EQ(b[2] | (b[3] << 8), 54 + 24);
  EXPECT_EQ(b[10], 54);
  EXPECT_EQ(b[28], 24);  // bits per pixel
  EXPECT_EQ(b[30], 0);   // BI_RGB
  // First stored row is the bottom one, in B, G, R order, then zero padding.
  EXPECT_EQ(b[54], 0xCC);
  EXPECT_EQ(b[55], 0xBB);
  EXPECT_EQ(b[56], 0xAA);
  EXPECT_EQ(b[63], 0x00);
  EXPECT_EQ(b[64], 0x00);
  EXPECT_EQ(b[65], 0x00);
  EXPECT_EQ(b[66], 0x33);  // second stored row: the top row
  std::string why;
  const auto pic = ReadBmp24(Path("p.bmp"), &why);
  ASSERT_TRUE(pic) << why;
  EXPECT_EQ(pic->pixels, pixels);

  EXPECT_FALSE(art::WriteBmp24(Path("empty.bmp"), 0, 2, pixels.data()));
  EXPECT_FALSE(art::WriteBmp24((dir_ / "missing" / "x.bmp").string(), 3, 2, pixels.data()));
}

TEST_F(GeneratorFiles, KeyedSaveMakesEachPixelOpaqueOrKey) {
  art::Canvas canvas(6, 1);
  Poke(canvas, 0, 0, 0x00000000);  // clear
  Poke(canvas, 1, 0, 0xFFFF0000);  // opaque red
  Poke(canvas, 2, 0, 0x80800000);  // half-covered red: shown at full colour
  Poke(canvas, 3, 0, 0x7F7F0000);  // less than half covered: key
  Poke(canvas, 4, 0, 0xFF0404FC);  // opaque but key-like after 16-bit conversion
  Poke(canvas, 5, 0, 0xFF2040C0);  // ordinary blue-ish colour stays as it is
  ASSERT_TRUE(canvas.SaveKeyed(Path("k.bmp")));
  std::string why;
  const auto pic = ReadBmp24(Path("k.bmp"), &why);
  ASSERT_TRUE(pic) << why;
  EXPECT_EQ(pic->At(0, 0), 0x0000FFu);
  EXPECT_EQ(pic->At(1, 0), 0xFF0000u);
  EXPECT_EQ(pic->At(2, 0), 0xFF0000u);
  EXPECT_EQ(pic->At(3, 0), 0x0000FFu);
  EXPECT_FALSE(IsKey(pic->At(4, 0))) << "an opaque pixel turned into a hole";
  EXPECT_EQ(pic->At(5, 0), 0x2040C0u);
}

TEST_F(GeneratorFiles, OpaqueSaveKeepsColoursAndLeavesNoHole) {
  art::Canvas canvas(3, 1);
  Poke(canvas, 0, 0, 0xFF0000FF);  // pure key blue drawn by mistake
  Poke(canvas, 1, 0, 0xFF123456);
  Poke(canvas, 2, 0, 0x00000000);  // never drawn: black, not a hole
  ASSERT_TRUE(canvas.SaveOpaque(Path("o.bmp")));
  std::string why;
  const auto pic = ReadBmp24(Path("o.bmp"), &why);
  ASSERT_TRUE(pic) << why;
  EXPECT_FALSE(IsKey(pic->At(0, 0)));
  EXPECT_EQ(pic->At(1, 0), 0x123456u);
  EXPECT_FALSE(IsKey(pic->At(2, 0)));
}

TEST_F(GeneratorFiles, StripFramesKeepTheFirstFramesSilhouette) {
  // Frame 1 draws a bigger disc than frame 0 and frame 2 draws nothing: both
  // must come out with frame 0's exact shape.
  ASSERT_TRUE(art::SaveStrip(Path("s.bmp"), 20, 20, 3, [](cairo_t* cr, int frame) {
    if (frame == 2) return;
    cairo_arc(cr, 10, 10, frame == 0 ? 6 : 9, 0, 6.2832);
    cairo_set_source_rgb(cr, frame == 0 ? 1.0 : 0.0, frame == 0 ? 0.0 : 1.0, 0.0);
    cairo_fill(cr);
  }));
  std::string why;
  const auto pic = ReadBmp24(Path("s.bmp"), &why);
  ASSERT_TRUE(pic) << why;
  ASSERT_EQ(pic->width, 60);
  int opaque = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      const bool inside = !IsKey(pic->At(x, y));
      opaque += inside;
      EXPECT_EQ(!IsKey(pic->At(20 + x, y)), inside) << "frame 1 at " << x << "," << y;
      EXPECT_EQ(!IsKey(pic->At(40 + x, y)), inside) << "frame 2 at " << x << "," << y;
      if (inside) {
        EXPECT_EQ(pic->At(20 + x, y), 0x00FF00u);  // frame 1's own colour
        EXPECT_EQ(pic->At(40 + x, y), pic->At(x, y));  // frame 2 falls back to frame 0
      }
    }
  }
  EXPECT_GT(opaque, 80);   // about pi * 36
  EXPECT_LT(opaque, 150);  // well below the bigger disc's pi * 81
}

TEST_F(GeneratorFiles, FontRowHoldsGlyphsSeparatedByKeyColumns) {
  art::FontLook look;
  look.height = 16;
  look.bold = false;
  look.fill = art::Hex(0x202020);
  look.backdrop = art::Hex(0xF0F0F0);
  const art::FontResult result = art::BuildBitmapFont(Path("f.bmp"), look);
  ASSERT_TRUE(result.saved);
  std::string why;
  const auto pic = ReadBmp24(Path("f.bmp"), &why);
  ASSERT_TRUE(pic) << why;
  EXPECT_EQ(pic->height, 16);
  EXPECT_EQ(pic->width, result.width);
  // Count ink runs: exactly 94, the first starting at column 0.
  int runs = 0;
  bool in_ink = false;
  for (int x = 0; x < pic->width; ++x) {
    bool ink = false;
    for (int y = 0; y < pic->height; ++y) ink = ink || !IsKey(pic->At(x, y));
    if (ink && !in_ink) ++runs;
    if (x == 0) {
      EXPECT_TRUE(ink);
    }
    in_ink = ink;
  }
  EXPECT_EQ(runs, 94);
  // Smoothing goes toward the backdrop, so no glyph pixel is lighter than it
  // or darker than the text.
  for (uint32_t c : pic->pixels) {
    if (IsKey(c)) continue;
    EXPECT_LE(c & 0xFF, 0xF0u);
    EXPECT_GE(c & 0xFF, 0x20u);
  }
}

}  // namespace
