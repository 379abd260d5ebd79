#include "gfx/sprite.h"

#include "gfx/sprite_list.h"
#include "gfx_fixture.h"

namespace gfx_test {
namespace {

using gfx::Sprite;
using platform::Surface;

class SpriteTest : public GfxTest {
 protected:
  // A sprite with n 4 x 4 frames.
  std::unique_ptr<Sprite> WithFrames(int n) {
    auto s = std::make_unique<Sprite>(ctx);
    for (int i = 0; i < n; ++i) s->AddFrame(Filled(4, 4, uint16_t(0x0100 * (i + 1))));
    return s;
  }
  // Moves the clock on by one 10 ms tick and animates.
  std::vector<int> Steps(Sprite& s, int n) {
    std::vector<int> seen;
    for (int i = 0; i < n; ++i) {
      svc.advance(10);
      s.Animate();
      seen.push_back(s.CurrentFrame());
    }
    return seen;
  }
};

TEST_F(SpriteTest, AddFrameSetsKeyBoundsRangeAndSize) {
  Sprite s(ctx);
  EXPECT_EQ(s.RangeStart(), -1);
  s.AddFrame(nullptr);
  EXPECT_EQ(s.FrameCount(), 0);
  s.AddFrame(Filled(6, 3, kRed565));
  s.AddFrame(Filled(5, 2, kRed565));
  EXPECT_EQ(std::tuple(s.FrameCount(), s.RangeStart(), s.RangeEnd()), std::tuple(2, 0, 2));
  EXPECT_EQ(std::pair(s.Width(), s.Height()), std::pair(5, 2)) << "the last frame's size";
  EXPECT_EQ(s.Frame(0)->colourKey(), kBlueKey);
  for (int frame : {1, 2, -1}) s.SetFrame(frame);
  EXPECT_EQ(s.CurrentFrame(), 1) << "SetFrame ignores indexes outside the frames";
}

TEST_F(SpriteTest, MovesByItsVelocityAndTakesAnotherKey) {
  auto frame = Filled(2, 1, kRed565);
  frame->setPixel16(1, 0, kGreen565);
  Sprite s(ctx);
  s.AddFrame(frame);
  s.SetPosition(10, 20);
  s.SetVelocity(1.5f, -0.5f);
  for (int i = 0; i < 2; ++i) s.Move();
  EXPECT_EQ(std::pair(s.X(), s.Y()), std::pair(13.0f, 19.0f));
  s.SetColourKey(255, 0, 0);
  back().fill(kGrey565);
  s.Draw(&back());
  EXPECT_EQ(At(back(), {{13, 19}, {14, 19}}), (Px{kGrey565, kGreen565})) << "red is now the transparent colour";
}

TEST_F(SpriteTest, NoFramesAndNoRangeDrawAndAnimateNothing) {
  Sprite s(ctx);
  back().fill(kGrey565);
  s.SetPlaying(1);
  s.Draw(&back());
  Steps(s, 5);
  EXPECT_EQ(s.CurrentFrame(), 0);
  EXPECT_EQ(back().pixel16(0, 0), kGrey565);
  EXPECT_EQ(redraw.Entries(0).size(), 0u) << "nothing drawn, nothing to wipe";
}

TEST_F(SpriteTest, DrawNeverReadsAFrameOutsideTheList) {
  auto s = WithFrames(2);
  back().fill(kGrey565);
  for (int frame : {7, -1, 2}) {
    s->SetFrameUnchecked(frame);
    EXPECT_EQ(s->CurrentFrame(), frame);
    s->Draw(&back());
  }
  EXPECT_EQ(back().pixel16(0, 0), kGrey565);
  s->SetFrameUnchecked(1);
  s->Draw(&back());
  EXPECT_EQ(back().pixel16(0, 0), 0x0200);
}

TEST_F(SpriteTest, CentredDrawingAndClippingAtNegativePositions) {
  Sprite s(ctx);
  s.AddFrame(Filled(31, 5, kRed565));
  s.SetCentred(1);
  s.SetRestoreAfter(0);
  s.SetPosition(100, 50);
  back().fill(kGrey565);
  s.Draw(&back());
  // 31 / 2 = 15: drawn from x = 85, y = 50 - 2.
  EXPECT_EQ(At(back(), {{84, 48}, {85, 48}, {115, 52}, {116, 52}}), (Px{kGrey565, kRed565, kRed565, kGrey565}));

  // Clipped at the left and top edges, not shifted.
  auto frame = std::make_shared<Surface>(10, 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) frame->setPixel16(x, y, uint16_t(0x4000 + y * 16 + x));
  Sprite corner(ctx);
  corner.AddFrame(frame);
  corner.SetPosition(-3, -4);
  back().fill(kGrey565);
  corner.Draw(&back());
  EXPECT_EQ(At(back(), {{0, 0}, {6, 5}, {7, 5}, {6, 6}}),
            (Px{0x4000 + 4 * 16 + 3, 0x4000 + 9 * 16 + 9, kGrey565, kGrey565}));
}

TEST_F(SpriteTest, KeyPixelsAndVisibilityAndRestoreMarks) {
  auto frame = Filled(4, 1, kRed565);
  frame->setPixel16(1, 0, kBlue565);
  Sprite s(ctx);
  s.AddFrame(frame);
  s.SetPosition(10, 10);
  back().fill(kGrey565);
  s.Draw(&back());
  EXPECT_EQ(At(back(), {{10, 10}, {11, 10}}), (Px{kRed565, kGrey565})) << "a key pixel leaves the page untouched";

  // On the page it is left alone while unchanged, and wiped from the target
  // after the first frame that does not draw it again.
  Surface target(800, 600), background(800, 600);
  target.fill(kWhite565);
  redraw.SetTarget(&target);
  s.Draw(&back());
  redraw.Replay(&back(), this);
  const uint64_t writes = back().writeCount();
  s.Draw(&back());
  EXPECT_EQ(back().writeCount(), writes) << "an unchanged sprite is drawn again";
  redraw.Replay(&back(), this);
  EXPECT_EQ(back().pixel16(10, 10), kRed565);
  redraw.Replay(&back(), this);
  EXPECT_EQ(back().pixel16(10, 10), kWhite565) << "a sprite no longer drawn stays on the page";

  // Restore first copies the background onto the target before drawing.
  background.fill(kGreen565);
  redraw.SetTarget(&target);
  redraw.SetBackground(&background);
  s.SetPosition(20, 20);
  s.SetRestoreFirst(1);
  s.SetRestoreAfter(0);
  s.DrawOnTarget();
  EXPECT_EQ(At(target, {{21, 20}, {20, 20}, {24, 20}}), (Px{kGreen565, kRed565, kWhite565}));
}

// The loop mode sets what comes after the last frame of the range: a
// looping sprite with range 2..5 plays 2, 3, 4, then jumps to frame 0.
TEST_F(SpriteTest, LoopModes) {
  const struct {
    Sprite::LoopMode mode;
    int frames, rangeStart, rangeEnd;
    std::vector<int> steps;
    int playing;
  } cases[] = {{Sprite::kLoop, 6, 2, 5, {3, 4, 0, 1, 2, 3}, 1},
               {Sprite::kStop, 4, 0, 4, {1, 2, 3, 3, 3}, 0},
               {Sprite::kRewind, 4, 1, 3, {2, 1, 1}, 0},
               {Sprite::kOnce, 3, 0, 3, {1, 2, -1, -1}, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.mode));
    auto s = WithFrames(c.frames);
    s->SetRange(c.rangeStart, c.rangeEnd);
    s->SetFrame(c.rangeStart);
    s->SetLoopMode(c.mode);
    s->SetPlaying(1);
    EXPECT_EQ(Steps(*s, int(c.steps.size())), c.steps);
    EXPECT_EQ(s->Playing(), c.playing);
    s->SetFrame(c.rangeStart);
    s->SetPlaying(1);
    EXPECT_EQ(Steps(*s, 1), std::vector<int>{c.steps[0]}) << "playing again restarts stepping";
  }
}

TEST_F(SpriteTest, FrameDelayAndTheClock) {
  auto s = WithFrames(10);
  s->SetPlaying(1);
  s->SetLoopMode(Sprite::kLoop);
  // Delay 0: one step per call whenever the clock has moved on.
  s->Animate();
  EXPECT_EQ(s->CurrentFrame(), 0) << "the clock has not moved";
  EXPECT_EQ(Steps(*s, 1), std::vector<int>{1});
  s->Animate();
  EXPECT_EQ(s->CurrentFrame(), 1);

  // Delay 30: a step only once more than 30 ms have passed.
  s->SetFrameDelay(30);
  svc.advance(20);
  EXPECT_EQ(Steps(*s, 2), (std::vector<int>{1, 2}));
  EXPECT_EQ(s->FrameTime(), int(svc.timers.Ticks()));

  // Not playing: the clock moves, the frame does not.
  s->SetPlaying(0);
  EXPECT_EQ(Steps(*s, 10).back(), 2);
}

TEST_F(SpriteTest, TickIgnoresTheRangeAndWraps) {
  auto s = WithFrames(3);
  s->SetRange(0, 1);
  s->SetFrameDelay(20);
  // Frame time 0 is not before now (0); a step sets it to now + 20; without
  // wrapping the last frame stays.
  const struct {
    int advance, ticked, frame;
  } steps[] = {{0, 0, 0}, {10, 1, 1}, {20, 0, 1}, {10, 1, 2}, {30, 1, 2}};
  for (const auto& step : steps) {
    svc.advance(step.advance);
    EXPECT_EQ(s->Tick(), step.ticked) << svc.timers.Ticks();
    EXPECT_EQ(s->CurrentFrame(), step.frame) << svc.timers.Ticks();
    if (&step == &steps[1]) {
      EXPECT_EQ(s->FrameTime(), 30);
    }
  }
  s->SetWrap(1);
  svc.advance(30);
  EXPECT_EQ(s->Tick(), 1);
  EXPECT_EQ(s->CurrentFrame(), 0);
}

TEST_F(SpriteTest, StripAndFrameCutting) {
  const std::string strip = Picture("digits.bmp", 100, 20, [](int x, int) {
    return Rgb{(x / 25) * 60, 0, 0};
  });
  Sprite s(ctx);
  ASSERT_EQ(s.LoadStrip(strip, 4, 0), 1);
  ASSERT_EQ(s.FrameCount(), 4);
  EXPECT_EQ(std::pair(s.Frame(3)->width(), s.Frame(3)->height()), std::pair(25, 20));
  EXPECT_EQ(s.Frame(2)->pixel16(0, 0), platform::Rgb565(120, 0, 0));
  EXPECT_EQ(std::tuple(s.Width(), s.Height(), s.RangeEnd()), std::tuple(100, 20, 4));
  s.DivideWidthByFrames();
  EXPECT_EQ(s.Width(), 25);

  Sprite vertical(ctx);
  const std::string tall = Picture("tall.bmp", 8, 30, [](int, int y) {
    return Rgb{0, (y / 10) * 100, 0};
  });
  ASSERT_EQ(vertical.LoadStrip(tall, 3, 1), 1);
  ASSERT_EQ(std::pair(vertical.FrameCount(), vertical.Frame(1)->height()), std::pair(3, 10));
  EXPECT_EQ(vertical.Frame(2)->pixel16(7, 9), platform::Rgb565(0, 200, 0));

  Sprite missing(ctx);
  missing.SetSize(7, 7);
  EXPECT_EQ(missing.LoadStrip(tmp.file("none.bmp"), 4, 0), 0);
  EXPECT_EQ(std::pair(missing.Width(), missing.RangeStart()), std::pair(7, -1));
  Sprite grid(ctx);
  grid.LoadFrames(strip, 50, 10);
  EXPECT_EQ(std::tuple(grid.FrameCount(), grid.Width(), grid.Height()), std::tuple(4, 50, 10));
  EXPECT_EQ(grid.Frame(1)->pixel16(0, 0), platform::Rgb565(120, 0, 0));
  EXPECT_EQ(grid.Frame(2)->pixel16(0, 0), 0);
  Sprite absent(ctx);
  absent.LoadFrames(tmp.file("none.bmp"), 16, 8);
  EXPECT_EQ(std::tuple(absent.FrameCount(), absent.Width(), absent.RangeStart(), absent.RangeEnd()),
            std::tuple(0, 16, 0, 0));
}

TEST_F(SpriteTest, MissingFrameFileShowsTheMessageBoxAndCarriesOn) {
  Sprite s(ctx);
  const std::string missing = tmp.file("bull07.bmp");
  EXPECT_EQ(s.AddFrameFromFile(missing), 1);
  EXPECT_EQ(s.FrameCount(), 0);
  ASSERT_EQ(svc.backend.messageBoxes().size(), 1u);
  EXPECT_EQ(svc.backend.messageBoxes()[0].text, missing);
  EXPECT_EQ(svc.backend.messageBoxes()[0].caption, "ERROR: can't find file!");
  EXPECT_EQ(s.AddFrameFromFile(Solid("ok.bmp", 3, 3, {255, 0, 0})), 1);
  EXPECT_EQ(s.FrameCount(), 1);
  EXPECT_EQ(svc.backend.messageBoxes().size(), 1u);
}

TEST_F(SpriteTest, SpriteListCopiesAnimatesDrawsAndDropsFinishedOnes) {
  svc.advance(50);
  auto bull = WithFrames(4);
  bull->SetName("bull");
  bull->SetRange(1, 3);
  bull->SetFrame(3);
  bull->SetPlaying(1);
  bull->SetLoopMode(Sprite::kOnce);
  bull->SetPosition(10, 10);
  gfx::Sprite* copy = sprites.AddCopy(*bull);
  EXPECT_EQ(std::pair(bull->CurrentFrame(), bull->FrameTime()), std::pair(1, 50)) << "the source is rewound";
  EXPECT_EQ(copy->CurrentFrame(), 1);
  bull.reset();  // the copy shares the frames and outlives its source

  auto flower = WithFrames(2);
  flower->SetName("flower");
  flower->SetPosition(100, 10);
  sprites.AddCopy(*flower);
  auto flower2 = WithFrames(1);
  flower2->SetName("flower");
  gfx::Sprite* second = sprites.AddCopy(*flower2);
  EXPECT_NE(sprites.Find("flower"), second) << "first match wins";
  EXPECT_EQ(sprites.Find("bull"), copy);
  EXPECT_EQ(sprites.Find("Bull"), nullptr);
  ASSERT_EQ(sprites.Count(), 3u);

  back().fill(kGrey565);
  svc.advance(10);
  sprites.DrawAll(&back());
  EXPECT_EQ(back().pixel16(10, 10), 0x0300) << "stepped to frame 2 and drawn";
  back().fill(kGrey565);
  svc.advance(10);
  sprites.DrawAll(&back());
  EXPECT_EQ(At(back(), {{10, 10}, {100, 10}}), (Px{kGrey565, 0x0100})) << "vanished at the end of its range";
  EXPECT_EQ(std::pair(sprites.Count(), sprites.Find("bull")), std::pair(size_t(2), (gfx::Sprite*)nullptr));

  // A frame below the range is not drawn.
  auto low = WithFrames(3);
  low->SetRange(1, 3);
  low->SetPosition(200, 10);
  gfx::Sprite* lowCopy = sprites.AddCopy(*low);
  lowCopy->SetFrameUnchecked(0);
  back().fill(kGrey565);
  sprites.DrawAll(&back());
  EXPECT_EQ(back().pixel16(200, 10), kGrey565);

  sprites.Clear();
  EXPECT_EQ(sprites.Count(), 0u);
}

}  // namespace
}  // namespace gfx_test
