#include "gfx/button.h"

#include "gfx/button_group.h"
#include "gfx_fixture.h"

namespace gfx_test {
namespace {

using gfx::Button;
using platform::MakeLParam;
using platform::Surface;

constexpr int kLeft = 1;

class ButtonTest : public GfxTest {
 protected:
  // A 20 x 10 button at (100, 50) with normal (red), hover (green) and
  // pressed (white) images.
  std::unique_ptr<Button> ThreeState() {
    auto b = std::make_unique<Button>(ctx, 100, 50);
    b->AddStateSurface(Filled(20, 10, kRed565));
    b->AddStateSurface(Filled(20, 10, kGreen565));
    b->AddStateSurface(Filled(20, 10, kWhite565));
    return b;
  }
  int Message(Button& b, uint32_t message, int x, int y) {
    return b.HandleMouseMessage(message, 0, MakeLParam(x, y));
  }
  // Whether the last input completed a click, and with which button.
  static std::pair<int, int> Click(const Button& b) { return {b.WasClicked(), b.ClickKind()}; }
};

// A click completes on the release after a press inside; a press that
// began outside is none, while leaving and coming back while held still is.
TEST_F(ButtonTest, ClickCompletesOnReleaseAfterAPressThatBeganInside) {
  auto b = ThreeState();
  EXPECT_EQ(b->HandleMouse(105, 55, 0), Button::kHover);
  EXPECT_EQ(b->WasClicked(), 0);
  EXPECT_EQ(b->HandleMouse(105, 55, kLeft), Button::kPressed);
  EXPECT_EQ(b->HandleMouse(106, 55, kLeft), Button::kPressed);
  EXPECT_EQ(b->HandleMouse(106, 55, 0), Button::kHover);
  EXPECT_EQ(Click(*b), std::pair(1, 1));
  b->HandleMouse(106, 55, 0);
  EXPECT_EQ(Click(*b), std::pair(0, 0)) << "reported for that one poll only";
  EXPECT_EQ(b->HandleMouse(300, 300, 0), Button::kNormal);

  b->HandleMouse(10, 10, kLeft);
  EXPECT_EQ(b->HandleMouse(105, 55, 0), Button::kHover);  // the first poll over the button
  EXPECT_EQ(b->WasClicked(), 0);
  b->HandleMouse(0, 0, kLeft);
  b->HandleMouse(105, 55, 0);
  EXPECT_EQ(b->WasClicked(), 0);
  b->HandleMouse(105, 55, kLeft);
  EXPECT_EQ(b->HandleMouse(500, 55, kLeft), Button::kNormal);
  EXPECT_EQ(b->HandleMouse(105, 55, kLeft), Button::kPressed);
  b->HandleMouse(105, 55, 0);
  EXPECT_EQ(b->WasClicked(), 1);
  // Hit rectangle 100..119 x 50..59: for polls 120 is the right edge, outside.
  EXPECT_EQ(b->HandleMouse(119, 59, 0), Button::kHover);
  EXPECT_EQ(b->HandleMouse(120, 55, 0), Button::kNormal);
  EXPECT_EQ(b->HandleMouse(110, 60, 0), Button::kNormal);
}

TEST_F(ButtonTest, WindowMessageInput) {
  auto b = ThreeState();
  // For messages the right and bottom edges are inside.
  EXPECT_EQ(Message(*b, platform::WM_MOUSEMOVE, 120, 60), Button::kHover);
  EXPECT_EQ(Message(*b, platform::WM_MOUSEMOVE, 121, 60), Button::kNormal);
  EXPECT_EQ(Message(*b, platform::WM_MOUSEMOVE, 99, 55), Button::kNormal);
  EXPECT_EQ(Message(*b, platform::WM_LBUTTONDOWN, 105, 55), Button::kPressed);
  EXPECT_EQ(Message(*b, platform::WM_MOUSEMOVE, 106, 55), Button::kPressed);
  EXPECT_EQ(Message(*b, platform::WM_LBUTTONUP, 106, 55), Button::kHover);
  EXPECT_EQ(Click(*b), std::pair(1, 1));
  // A release inside clicks even without a press: messages trust the system.
  Message(*b, platform::WM_KEYDOWN, 106, 55);
  EXPECT_EQ(b->WasClicked(), 0);
  Message(*b, platform::WM_RBUTTONUP, 106, 55);
  EXPECT_EQ(Click(*b), std::pair(1, 2));
  Message(*b, platform::WM_RBUTTONUP, 10, 10);
  EXPECT_EQ(b->WasClicked(), 0);
  EXPECT_EQ(Message(*b, platform::WM_LBUTTONUP, 10, 10), Button::kNormal);
  EXPECT_EQ(b->WasClicked(), 0);
  // Coordinates are unsigned 16-bit: -1 is 65535, far outside.
  Message(*b, platform::WM_MOUSEMOVE, 105, 55);
  EXPECT_EQ(Message(*b, platform::WM_MOUSEMOVE, -1, 55), Button::kNormal);
}

TEST_F(ButtonTest, PixelHitIgnoresKeyPixels) {
  // Left half opaque red, right half blue key.
  auto img = Filled(20, 10, kRed565);
  for (int y = 0; y < 10; ++y)
    for (int x = 10; x < 20; ++x) img->setPixel16(x, y, kBlue565);
  Button b(ctx, 100, 50);
  b.AddStateSurface(img);
  b.SetPixelHit(1);
  // A press over a key pixel leaves the state unchanged.
  b.SetState(Button::kHover);
  EXPECT_EQ(b.HandleMouse(115, 55, kLeft), Button::kHover);
  EXPECT_EQ(b.HandleMouse(105, 55, kLeft), Button::kPressed);
  // A release over a key pixel returns to normal without a click.
  EXPECT_EQ((std::pair{b.HandleMouse(115, 55, 0), b.WasClicked()}), std::pair(int(Button::kNormal), 0));
  b.HandleMouse(105, 55, kLeft);
  b.HandleMouse(105, 55, 0);
  EXPECT_EQ(b.WasClicked(), 1);

  // The offset moves the pixel test with the button.
  b.SetOffset(200, 0);
  EXPECT_EQ(b.HandleMouse(305, 55, kLeft), Button::kPressed);
  EXPECT_EQ(b.HandleMouse(315, 55, 0), Button::kNormal);

  // Without images there is no pixel to test: nothing happens.
  Button bare(ctx, 0, 0, 10, 10);
  bare.SetPixelHit(1);
  EXPECT_EQ(bare.HandleMouse(5, 5, kLeft), Button::kNormal);
  bare.SetState(Button::kPressed);
  EXPECT_EQ((std::pair{bare.HandleMouse(5, 5, 0), bare.WasClicked()}), std::pair(int(Button::kPressed), 0));
  // A hit rectangle larger than the image: no pixel there, nothing happens.
  Button wide(ctx, 0, 0);
  wide.AddStateSurface(Filled(4, 4, kRed565));
  wide.SetHitRect(0, 0, 40, 40);
  wide.SetPixelHit(1);
  EXPECT_EQ(wide.HandleMouse(30, 30, kLeft), Button::kNormal);
}

TEST_F(ButtonTest, DisabledButtonsIgnoreInputAndDrawNothing) {
  auto b = ThreeState();
  b->SetState(Button::kPressed);
  b->SetEnabled(0);
  EXPECT_EQ(b->HandleMouse(105, 55, 0), Button::kPressed);
  EXPECT_EQ((std::pair{Message(*b, platform::WM_LBUTTONUP, 105, 55), b->WasClicked()}), std::pair(int(Button::kPressed), 0));
  back().fill(kGrey565);
  b->Redraw();
  EXPECT_EQ(back().pixel16(105, 55), kGrey565);
  b->SetEnabled(1);
  b->Redraw();
  EXPECT_EQ(back().pixel16(105, 55), kWhite565);
}

TEST_F(ButtonTest, StateImagesAppearWhereExpected) {
  auto b = ThreeState();
  b->SetOffset(10, 20);
  back().fill(kGrey565);
  // Hovering draws the hover image at (x + offset, y + offset) on the back buffer.
  b->HandleMouse(115, 75, 0);
  EXPECT_EQ(At(back(), {{110, 70}, {129, 79}, {130, 79}, {109, 70}}), (Px{kGreen565, kGreen565, kGrey565, kGrey565}));
  b->HandleMouse(115, 75, kLeft);
  EXPECT_EQ(back().pixel16(110, 70), kWhite565);
  b->HandleMouse(0, 0, 0);
  EXPECT_EQ(back().pixel16(110, 70), kRed565);

  // Image offset picks further images; past the end the last is used.
  b->SetImageOffset(1);
  EXPECT_EQ(back().pixel16(110, 70), kGreen565);
  b->SetImageOffset(5);
  EXPECT_EQ(back().pixel16(110, 70), kWhite565);
  b->SetImageOffset(0);
  b->SetState(Button::kPressed);
  b->SetFirstImageOnly(1);
  b->Redraw();
  EXPECT_EQ(back().pixel16(110, 70), kRed565);

  // Two images: image 1 for both hover and pressed.
  Button two(ctx, 0, 0);
  two.AddStateSurface(Filled(4, 4, kRed565));
  two.AddStateSurface(Filled(4, 4, kGreen565));
  two.SetState(Button::kPressed);
  two.Redraw();
  EXPECT_EQ(back().pixel16(0, 0), kGreen565);
  two.SwapFirstTwoImages();
  EXPECT_EQ(back().pixel16(0, 0), kRed565);
  two.Reset();
  EXPECT_EQ(two.GetState(), Button::kNormal);
  EXPECT_EQ(back().pixel16(0, 0), kGreen565);
}

TEST_F(ButtonTest, DrawStretchesKeysAndQueuesRestores) {
  // A 2 x 1 normal image (red, then key) and a 4 x 2 hover image: the
  // button takes the last image's size and stretches the first to it.
  auto small = Filled(2, 1, kRed565);
  small->setPixel16(1, 0, kBlue565);
  Button b(ctx, 10, 10);
  b.AddStateSurface(small);
  b.AddStateSurface(Filled(4, 2, kGreen565));
  EXPECT_EQ(std::pair(b.Width(), b.Height()), std::pair(4, 2));
  platform::Surface target(40, 40);
  target.fill(kGrey565);
  b.SetQueueRestore(1);
  b.Draw(&target);
  EXPECT_EQ(At(target, {{10, 10}, {11, 11}, {12, 10}, {13, 11}, {14, 10}}),
            (Px{kRed565, kRed565, kGrey565, kGrey565, kGrey565}));
  ASSERT_EQ(redraw.Entries(0).size(), 1u);
  EXPECT_EQ(std::pair(redraw.Entries(0)[0].x, redraw.Entries(0)[0].width), std::pair(10, 4));

  // Partly off the surface: the blit is refused, nothing drawn.
  Button edge(ctx, 38, 0);
  edge.AddStateSurface(Filled(3, 3, kRed565));
  edge.Draw(&target);
  EXPECT_EQ(target.pixel16(38, 0), kGrey565);

  // Without images nothing is drawn or queued.
  Button none(ctx, 0, 0, 5, 5);
  none.SetQueueRestore(1);
  none.Draw(&target);
  EXPECT_EQ(target.pixel16(0, 0), kGrey565);
  EXPECT_EQ(redraw.Entries(0).size(), 1u);
}

TEST_F(ButtonTest, ImagesFromFilesAndStrips) {
  Button b(ctx, 0, 0);
  EXPECT_EQ((std::pair{b.AddStateImage(tmp.file("none.bmp")), b.ImageCount()}), std::pair(0, size_t(0)));
  const std::string strip = Picture("strip.bmp", 40, 12, [](int x, int) {
    return x < 20 ? Rgb{255, 0, 0} : Rgb{0, 255, 0};
  });
  EXPECT_EQ(b.LoadStateStrip(strip, 2, 0), 1);
  ASSERT_EQ(b.ImageCount(), 2u);
  EXPECT_EQ(std::pair(b.Width(), b.Height()), std::pair(20, 12));
  EXPECT_EQ(b.Image(1)->pixel16(0, 0), kGreen565);
  EXPECT_EQ(b.Image(0)->colourKey(), kBlueKey);
  // The hit size follows: (19, 11) is inside, (20, 5) is not.
  EXPECT_EQ(b.HandleMouse(19, 11, 0), Button::kHover);
  EXPECT_EQ(b.HandleMouse(20, 5, 0), Button::kNormal);

  Button c(ctx, 0, 0);
  EXPECT_EQ(c.LoadStateStrip(tmp.file("none.bmp"), 2, 0), 0);
  EXPECT_EQ(c.LoadStateStrip(strip, 41, 0), 0) << "cannot give 41 pictures";
  EXPECT_EQ(c.LoadStateStrip(strip, 0, 0), 0);
  EXPECT_EQ(c.ImageCount(), 0u);
  EXPECT_EQ((std::pair{c.AddStateImage(strip), c.Width()}), std::pair(1, 40));
}

TEST_F(ButtonTest, DrawOnBackgroundMakesTheButtonPartOfThePicture) {
  platform::Surface target(50, 50), background(50, 50);
  target.fill(kGrey565);
  background.fill(kGrey565);
  redraw.SetTarget(&target);
  redraw.SetBackground(&background);
  Button b(ctx, 5, 5);
  b.AddStateSurface(Filled(3, 3, kRed565));
  b.DrawOnBackground(0);
  EXPECT_EQ(target.pixel16(5, 5), kGrey565);
  b.DrawOnBackground(1);
  EXPECT_EQ(std::pair(target.pixel16(5, 5), background.pixel16(7, 7)), std::pair(kRed565, kRed565));
}

TEST_F(ButtonTest, GroupRoutesFindsAndReportsTheFirstClick) {
  gfx::ButtonGroup group;
  Button* a = group.Add(ThreeState());
  auto second = ThreeState();
  second->SetName("info");
  Button* b = group.Add(std::move(second));
  a->SetName("play");
  auto third = std::make_unique<Button>(ctx, 0, 0, 10, 10);
  third->SetName("info");
  group.Add(std::move(third));
  EXPECT_EQ(group.Find("info"), b);
  EXPECT_EQ(group.Find("Info"), nullptr);
  EXPECT_EQ(group.Add(nullptr), nullptr);

  // The two three-state buttons overlap: both complete a click.
  group.HandleMouse(105, 55, kLeft);
  group.HandleMouse(105, 55, 0);
  EXPECT_EQ(group.FindClicked(), a);
  EXPECT_EQ(group.IsClicked("play"), 1);
  EXPECT_EQ(group.IsClicked("info"), 0) << "only the first clicked button counts";
  EXPECT_EQ(b->WasClicked(), 1);
  group.HandleMouse(105, 55, 0);
  EXPECT_EQ(std::pair(group.FindClicked(), group.IsClicked("play")), std::pair((Button*)nullptr, 0));

  group.SetOffset(3, 4);
  EXPECT_EQ(std::pair(a->OffsetX(), b->OffsetY()), std::pair(3, 4));
  back().fill(kGrey565);
  group.DrawAll();
  EXPECT_EQ(back().pixel16(103, 54), kGreen565) << "every button redrawn in its state";
}

}  // namespace
}  // namespace gfx_test
