#include "gfx/surface_utils.h"

#include "gfx_fixture.h"

namespace gfx_test {
namespace {

namespace su = gfx::SurfaceUtils;
using platform::PixelFormat;
using platform::Surface;

// A pixel value that tells where it came from (never the blue key).
uint16_t Coded(int x, int y) { return uint16_t(0x8000 | (y << 7) | x); }

void FillCoded(Surface& s) {
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x) s.setPixel16(x, y, Coded(x, y));
}

TEST(KeyValueTest, BlueRedGreenIn565And555) {
  Surface s565(4, 4, PixelFormat::Rgb565), s555(4, 4, PixelFormat::Rgb555);
  EXPECT_EQ(su::KeyValue(&s565, 0, 0, 255), 0x001F);
  EXPECT_EQ(su::KeyValue(&s555, 0, 0, 255), 0x001F);
  EXPECT_EQ(su::KeyValue(&s565, 255, 0, 0), 0xF800);
  EXPECT_EQ(su::KeyValue(&s555, 255, 0, 0), 0x7C00);
  EXPECT_EQ(su::KeyValue(&s565, 0, 255, 0), 0x07E0);
  EXPECT_EQ(su::KeyValue(&s555, 0, 255, 0), 0x03E0);
  EXPECT_EQ(su::KeyValue(&s565, 200, 100, 50), platform::Rgb565(200, 100, 50));
  EXPECT_EQ(su::KeyValue(&s555, 200, 100, 50), platform::Rgb555(200, 100, 50));

  su::SetColourKey(&s555, 255, 0, 0);
  EXPECT_EQ(s555.colourKey(), (platform::ColourKey{0x7C00, 0x7C00}));
}

TEST(ReadPixelTest, SixteenAndEightBitAndOutside) {
  Surface s(5, 3);
  s.setPixel16(4, 2, 0x1234);
  EXPECT_EQ(su::ReadPixel(&s, 4, 2), 0x1234);
  EXPECT_EQ(su::ReadPixel(&s, 5, 2), -1);
  EXPECT_EQ(su::ReadPixel(&s, -1, 0), -1);
  EXPECT_EQ(su::ReadPixel(nullptr, 0, 0), -1);
  Surface s8(5, 3, PixelFormat::Indexed8);
  s8.setPixel16(3, 1, 0xAB);
  EXPECT_EQ(su::ReadPixel(&s8, 3, 1), 0xAB);
}

TEST(CentreRectTest, IntegerHalves) {
  Surface s(31, 10);
  const platform::Rect r = su::CentreRect(&s, 100, 50, 201, 21);
  EXPECT_EQ(r, (platform::Rect{100 + 100 - 15, 50 + 10 - 5, 100 + 100 - 15 + 31, 50 + 10 - 5 + 10}));
}

TEST(DrawKeyedTest, ClipsAtEveryEdge) {
  Surface src(50, 50), dst(800, 600);
  FillCoded(src);
  dst.fill(kGrey565);
  su::DrawKeyed(&src, &dst, -10, 580);
  // Source columns 10..49 and rows 0..19 land at (0, 580).
  EXPECT_EQ(At(dst, {{0, 580}, {39, 599}, {20, 590}, {40, 580}, {0, 579}}),
            (Px{Coded(10, 0), Coded(49, 19), Coded(30, 10), kGrey565, kGrey565}));
  // And at the right and top edges.
  dst.fill(kGrey565);
  su::DrawKeyed(&src, &dst, 790, -5);
  EXPECT_EQ(At(dst, {{790, 0}, {799, 44}, {789, 0}, {790, 45}}), (Px{Coded(0, 5), Coded(9, 49), kGrey565, kGrey565}));
}

TEST(CopyRectTest, OutsideTheDestinationDrawsNothing) {
  Surface src(10, 10), dst(20, 20);
  FillCoded(src);
  dst.fill(kGrey565);
  su::CopyRect(&src, 0, 0, 10, 10, &dst, 20, 0);
  su::CopyRect(&src, 0, 0, 10, 10, &dst, -10, 5);
  su::CopyRect(&src, 0, 0, 10, 10, &dst, 3, 25);
  su::CopyRect(&src, 0, 0, 0, 10, &dst, 3, 3);
  su::CopyRect(nullptr, 0, 0, 10, 10, &dst, 3, 3);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(dst.pixel16(x, y), kGrey565) << x << "," << y;
  // A sub-rectangle lands where asked.
  su::CopyRect(&src, 2, 3, 4, 5, &dst, 10, 11);
  EXPECT_EQ(At(dst, {{10, 11}, {13, 15}, {14, 15}}), (Px{Coded(2, 3), Coded(5, 7), kGrey565}));
}

class SplitTest : public GfxTest {};

TEST_F(SplitTest, RowMajorFramesIgnoringTheRemainder) {
  Surface src(100, 40);
  FillCoded(src);
  su::SurfaceList frames;
  // Bad frame sizes fail; one larger than the picture gives no frames, and is no error.
  EXPECT_EQ(std::tuple(su::SplitSurface(svc.qv, &src, frames, 0, 5), su::SplitSurface(svc.qv, &src, frames, 5, -1),
                       su::SplitSurface(svc.qv, nullptr, frames, 5, 5), su::SplitSurface(svc.qv, &src, frames, 101, 5)),
            std::tuple(0, 0, 0, 1));
  EXPECT_TRUE(frames.empty());
  ASSERT_EQ(su::SplitSurface(svc.qv, &src, frames, 32, 16), 1);
  ASSERT_EQ(frames.size(), 6u);
  EXPECT_EQ(frames[4]->pixel16(5, 5), Coded(37, 21)) << "the second row follows the first";
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(std::pair(frames[size_t(i)]->width(), frames[size_t(i)]->height()), std::pair(32, 16));
    EXPECT_EQ(frames[size_t(i)]->pixel16(0, 0), Coded(32 * i, 0));
    EXPECT_EQ(frames[size_t(i)]->pixel16(31, 15), Coded(32 * i + 31, 15));
    EXPECT_EQ(frames[size_t(i)]->colourKey(), kBlueKey);
  }
}

TEST_F(SplitTest, BlankSurfacesComeFromTheDisplay) {
  auto blank = su::CreateBlank(svc.qv, 7, 3);
  ASSERT_TRUE(blank);
  EXPECT_EQ(std::pair(blank->width(), blank->height()), std::pair(7, 3));
  EXPECT_EQ(blank->colourKey(), (platform::ColourKey{0, 0}));
  EXPECT_FALSE(su::CreateBlank(svc.qv, 0, 3));
  su::FillRaw(blank.get(), 0xF800);
  EXPECT_EQ(blank->pixel16(6, 2), 0xF800);

  svc.qv.FreeDirectX();
  EXPECT_FALSE(su::CreateBlank(svc.qv, 7, 3));
}

}  // namespace
}  // namespace gfx_test
