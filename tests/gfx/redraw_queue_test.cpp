#include "gfx/redraw_queue.h"

#include "gfx/screen.h"
#include "gfx/screen_image.h"
#include "gfx_fixture.h"

namespace gfx_test {
namespace {

using platform::Surface;

class RedrawQueueTest : public GfxTest {
 protected:
  Surface target{800, 600}, background{800, 600}, other{800, 600};

  void SetUp() override {
    target.fill(kRed565);
    background.fill(kGreen565);
    other.fill(kWhite565);
    redraw.SetTarget(&target);
    redraw.SetBackground(&background);
  }
};

TEST_F(RedrawQueueTest, EntriesReplayOnTheirOwnPageOnly) {
  back().fill(kGrey565);
  redraw.QueueRect(10, 20, 5, 5);
  ASSERT_EQ(redraw.Entries(0).size(), 1u);
  const gfx::RedrawQueue::Entry e = redraw.Entries(0)[0];
  EXPECT_EQ(std::tuple(e.flags, e.target, e.background), std::tuple(0x1001, &target, &background));

  // The other page's list is empty: nothing reaches the back buffer.
  redraw.NextPage();
  redraw.Replay(&back());
  EXPECT_EQ(back().pixel16(10, 20), kGrey565);
  EXPECT_EQ(redraw.Entries(0).size(), 1u);

  // Page 0 again: the rectangle is copied from the target, then dropped.
  redraw.NextPage();
  redraw.Replay(&back());
  EXPECT_EQ(At(back(), {{10, 20}, {14, 24}, {15, 24}, {9, 20}}), (Px{kRed565, kRed565, kGrey565, kGrey565}));
  EXPECT_TRUE(redraw.Entries(0).empty());

  back().fill(kGrey565);
  redraw.Replay(&back());
  EXPECT_EQ(back().pixel16(10, 20), kGrey565);
}

TEST_F(RedrawQueueTest, ChangingTheTargetDropsEveryOneShotEntry) {
  // Entries queued on both pages while a pop-up's picture is the target
  // never reach the back buffer once the screen's target is back.
  redraw.SetTarget(&other);
  redraw.QueueBox(0, 0, 4, 4);
  redraw.NextPage();
  redraw.QueueRect(50, 50, 2, 2);
  ASSERT_EQ(std::pair(redraw.Entries(0).size(), redraw.Entries(1).size()), std::pair(size_t(1), size_t(1)));
  EXPECT_EQ(std::pair(redraw.Entries(0)[0].width, redraw.Entries(0)[0].height), std::pair(4, 4));
  redraw.SetTarget(&target);
  EXPECT_EQ(std::pair(redraw.Entries(0).size(), redraw.Entries(1).size()), std::pair(size_t(0), size_t(0)));

  back().fill(kGrey565);
  for (int i = 0; i < 2; ++i) {
    redraw.NextPage();
    redraw.Replay(&back());
  }
  EXPECT_EQ(At(back(), {{1, 1}, {50, 50}}), (Px{kGrey565, kGrey565}));
}

TEST_F(RedrawQueueTest, RestoresCopyTheBackgroundOntoTheTargetAndQueue) {
  redraw.RestoreRect(5, 6, 3, 2);
  EXPECT_EQ(At(target, {{5, 6}, {7, 7}, {8, 7}}), (Px{kGreen565, kGreen565, kRed565}));
  ASSERT_EQ(redraw.Entries(0).size(), 1u);
  EXPECT_EQ(redraw.Entries(0)[0].width, 3);

  gfx::ScreenImage image(svc.qv, "panel", nullptr, 100, 200, 10, 4);
  redraw.RestoreImageRect(&image);
  EXPECT_EQ(At(target, {{109, 203}, {110, 203}}), (Px{kGreen565, kRed565}));
  EXPECT_EQ(redraw.Entries(0).size(), 2u);

  redraw.RestoreAll();
  EXPECT_EQ(target.pixel16(799, 599), kGreen565);
  ASSERT_EQ(redraw.Entries(0).size(), 3u);
  EXPECT_EQ(std::pair(redraw.Entries(0)[2].width, redraw.Entries(0)[2].height), std::pair(800, 600));
}

TEST_F(RedrawQueueTest, ShowImageRectRevealsAWindowOfALayer) {
  const std::string layer = Picture("layer.bmp", 800, 600, [](int x, int) {
    return x < 400 ? Rgb{255, 255, 255} : Rgb{0, 255, 0};
  });
  gfx::ScreenImage image(svc.qv, "window", layer.c_str(), 395, 10, 10, 5);
  ASSERT_TRUE(image.GetSurface());
  redraw.ShowImageRect(&image);
  EXPECT_EQ(At(target, {{395, 10}, {404, 14}, {405, 14}, {0, 0}}), (Px{kWhite565, kGreen565, kRed565, kRed565}));
  EXPECT_EQ(redraw.Entries(0).size(), 1u);
}

TEST_F(RedrawQueueTest, PresentReplaysTheOtherPageAfterTheFlip) {
  gfx::Screen screen(ctx, "s");
  screen.Activate(svc.qv.GetLPDD(), &back());
  // Frame A (page 0): something lasting is drawn on the target and queued.
  target.setPixel16(30, 30, kWhite565);
  redraw.QueueRect(30, 30, 1, 1);
  back().fill(kGrey565);
  EXPECT_EQ((std::pair{screen.Present(), redraw.Page()}), std::pair(1, 1));
  // Frame B: the flip shows the back buffer by copying it, which keeps its
  // picture; the other page's list is empty, so nothing is replayed yet.
  EXPECT_EQ(back().pixel16(30, 30), kGrey565);
  ASSERT_NE(svc.backend.lastFrame(), nullptr);
  EXPECT_EQ(svc.backend.lastFrame()->pixel16(30, 30), kGrey565);
  // Page 0 is the back buffer again: the change is copied onto it.
  EXPECT_EQ((std::pair{screen.Present(), redraw.Page()}), std::pair(1, 0));
  EXPECT_EQ(At(back(), {{30, 30}, {31, 30}}), (Px{kWhite565, kGrey565}));
  EXPECT_EQ(svc.backend.presentedCount(), 2);
  // The display takes in what the replay changed, and only that differs.
  EXPECT_EQ(screen.Present(), 1);
  EXPECT_EQ(svc.backend.lastFrame()->pixel16(30, 30), kWhite565);
}

}  // namespace
}  // namespace gfx_test
