#include "gfx/popup_screen.h"

#include <functional>

#include "gfx_fixture.h"

namespace gfx_test {
namespace {

using platform::Surface;

// A pop-up whose frame hook plays a script, one step per pass of the loop.
// Each pass waits for the display, which on the headless back end is one
// 10 ms tick of the clock.
class ScriptedPopup : public gfx::PopupScreen {
 public:
  explicit ScriptedPopup(gfx::Context& ctx) : gfx::PopupScreen(ctx, "popup") {}

  int FrameHook(int x, int y, int buttons) override {
    ++passes;
    if (script) script(passes);
    if (passes > 1500) return 0;  // a broken loop ends the test instead of hanging it
    if (giveUpAt && passes == giveUpAt) return 0;
    return gfx::PopupScreen::FrameHook(x, y, buttons);
  }

  std::function<void(int pass)> script;
  int passes = 0;
  int giveUpAt = 0;
};

class PopupTest : public GfxTest {
 protected:
  ScriptedPopup popup{ctx};

  // A 300 x 201 grey picture.
  std::string Panel() { return Solid("panel.bmp", 300, 201, {128, 128, 128}); }
};

TEST_F(PopupTest, TimeOutClosesWithAnEmptyResult) {
  popup.AddImage(Panel(), nullptr);
  popup.SetDeadline(int(svc.timers.Ticks()) + 1000);
  std::string result = "stale";
  EXPECT_EQ((std::pair{popup.Run(result, nullptr), result}), std::pair(1, std::string()));
  // The deadline passes once the clock is beyond it: the pass at 1010 ms
  // (the 102nd) sees it, presents once more and waits; every pass
  // presented a frame.
  EXPECT_EQ(std::tuple(svc.timers.Ticks(), popup.passes, svc.backend.presentedCount()), std::tuple(1020u, 102, 102));
  // The picture was shown centred.
  const Surface* frame = svc.backend.lastFrame();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(At(*frame, {{250, 200}, {549, 400}, {249, 200}, {550, 400}}), (Px{kGrey565, kGrey565, 0, 0}));
}

TEST_F(PopupTest, ClickingTheDefaultButtonAnywhereOnThePicture) {
  popup.AddImage(Panel(), nullptr);
  popup.AddDefaultButton();
  gfx::Button* def = popup.Buttons().Find("default");
  ASSERT_NE(def, nullptr);
  EXPECT_EQ(std::pair(def->Width(), def->Height()), std::pair(300, 201));
  popup.script = [&](int pass) {
    if (pass == 1) Mouse(540, 390, true);
    if (pass == 2) Mouse(540, 390, false);
  };
  std::string result;
  EXPECT_EQ((std::pair{popup.Run(result, nullptr), result}), std::pair(1, std::string("default")));
  EXPECT_EQ(popup.passes, 3) << "the click ends the loop at the start of the next pass";
  EXPECT_EQ(svc.backend.presentedCount(), 3);
}

TEST_F(PopupTest, NamedButtonsSitOnThePictureAndShowTheirHoverImage) {
  popup.AddImage(Panel(), nullptr);
  auto ok = std::make_unique<gfx::Button>(ctx, 10, 20);
  ok->AddStateSurface(Filled(30, 12, kRed565));  // normal
  ok->AddStateSurface(Filled(30, 12, kGreen565));  // hover
  ok->SetName("ok");
  popup.AddButton(std::move(ok));
  popup.AddDefaultButton();

  const Surface* shown = nullptr;
  popup.script = [&](int pass) {
    if (pass == 1) Mouse(265, 225, false);  // over "ok" at (260, 220)
    if (pass == 3) {
      // What pass 2 presented: the picture with the hover image on it.
      shown = svc.backend.lastFrame();
      ASSERT_NE(shown, nullptr);
      EXPECT_EQ(At(*shown, {{260, 220}, {289, 231}, {290, 231}, {259, 220}}),
                (Px{kGreen565, kGreen565, kGrey565, kGrey565}));
      Mouse(265, 225, true);
    }
    if (pass == 4) Mouse(265, 225, false);
  };
  std::string result;
  EXPECT_EQ(popup.Run(result, nullptr), 1);
  EXPECT_NE(shown, nullptr);
  EXPECT_EQ(result, "ok") << "the first clicked button in list order wins";
}

TEST_F(PopupTest, QuitDuringTheLoopLeavesTheBufferUntouched) {
  popup.AddImage(Panel(), nullptr);
  popup.AddDefaultButton();
  Surface screenTarget(800, 600);
  redraw.SetTarget(&screenTarget);
  svc.queue.postQuit(0);
  std::string result = "untouched";
  EXPECT_EQ((std::pair{popup.Run(result, nullptr), result}), std::pair(0, std::string("untouched")));
  EXPECT_EQ(popup.passes, 0);
  EXPECT_EQ(redraw.GetTarget(), &screenTarget);
  // The quit stays posted for the outer loop.
  platform::Message m;
  ASSERT_TRUE(svc.queue.peek(m));
  EXPECT_EQ(m.message, platform::WM_QUIT);

  // A close in the middle of the loop: the shutdown frees the screen's
  // surfaces, and none of them may come back as the target.
  ScriptedPopup later(ctx);
  later.AddImage(Panel(), nullptr);
  later.script = [&](int pass) {
    if (pass != 3) return;
    redraw.Forget(&screenTarget);
    svc.queue.postQuit(0);
  };
  EXPECT_EQ((std::pair{later.Run(result, nullptr), result}), std::pair(0, std::string("untouched")));
  EXPECT_EQ(later.passes, 3);
  EXPECT_EQ(redraw.GetTarget(), nullptr);
}

TEST_F(PopupTest, FrameHookGivingUpAndFinish) {
  popup.AddImage(Panel(), nullptr);
  popup.giveUpAt = 2;
  std::string result = "keep";
  EXPECT_EQ((std::pair{popup.Run(result, nullptr), result}), std::pair(0, std::string("keep")));

  ScriptedPopup finishing(ctx);
  finishing.AddImage(Panel(), nullptr);
  finishing.script = [&](int pass) {
    if (pass == 2) finishing.Finish("custom");
  };
  EXPECT_EQ((std::pair{finishing.Run(result, nullptr), result}), std::pair(1, std::string("custom")));
  EXPECT_EQ(finishing.Done(), 1);

  // Run again: done and the result start afresh; Finish without text
  // gives the empty result.
  finishing.passes = 0;
  finishing.script = [&](int pass) {
    if (pass == 1) finishing.Finish(nullptr);
  };
  EXPECT_EQ((std::pair{finishing.Run(result, nullptr), result}), std::pair(1, std::string()));
  EXPECT_EQ(finishing.passes, 1);
}

TEST_F(PopupTest, TheRedrawTargetIsRedirectedWhileRunning) {
  popup.AddImage(Panel(), nullptr);
  Surface screenTarget(800, 600);
  redraw.SetTarget(&screenTarget);
  redraw.QueueRect(0, 0, 10, 10);
  Surface* during = nullptr;
  popup.script = [&](int pass) {
    during = redraw.GetTarget();
    if (pass == 1) popup.Finish("x");
  };
  std::string result;
  ASSERT_EQ(popup.Run(result, nullptr), 1);
  EXPECT_EQ(during, popup.CurrentImage()->GetSurface());
  EXPECT_EQ(redraw.GetTarget(), &screenTarget);
  EXPECT_TRUE(redraw.Entries(0).empty()) << "entries of the old target were dropped";

  popup.SetRedirect(0);
  EXPECT_EQ(popup.Redirect(), 0);
  popup.passes = 0;
  ASSERT_EQ(popup.Run(result, nullptr), 1);
  EXPECT_EQ(during, &screenTarget);
  EXPECT_EQ(redraw.GetTarget(), &screenTarget);
}

TEST_F(PopupTest, ImagesAreSelectedByNameAndFreedByRelease) {
  popup.AddImage(Solid("a.bmp", 100, 50, {255, 0, 0}), "a");
  popup.AddImage(Solid("b.bmp", 40, 20, {0, 255, 0}), "b");
  EXPECT_EQ(popup.PopupImageCount(), 2u);
  EXPECT_EQ(popup.FindPopupImage("b"), popup.CurrentImage());
  // Placed once, for the first picture; later ones keep that position.
  EXPECT_EQ(std::tuple(popup.Left(), popup.Top(), popup.LastLeft(), popup.LastTop()), std::tuple(350, 275, 350, 275));

  popup.script = [&](int) { popup.Finish(nullptr); };
  std::string result;
  popup.Run(result, "b");
  EXPECT_EQ(popup.CurrentImage(), popup.FindPopupImage("b"));
  EXPECT_EQ(svc.backend.lastFrame()->pixel16(350, 275), kGreen565);
  popup.Run(result, "nope");
  EXPECT_EQ(popup.CurrentImage(), popup.FindPopupImage("a"));
  popup.SelectImage("b");
  popup.Run(result, nullptr);
  EXPECT_EQ(popup.CurrentImage(), popup.FindPopupImage("a")) << "no name: the first picture";
  EXPECT_EQ(popup.SetCurrentImage(nullptr), nullptr);
  EXPECT_EQ(popup.CurrentImage(), popup.FindPopupImage("a"));

  popup.AddDefaultButton();
  popup.Release();
  EXPECT_EQ(std::tuple(popup.PopupImageCount(), popup.CurrentImage(), popup.Buttons().Count()),
            std::tuple(size_t(0), (gfx::ScreenImage*)nullptr, size_t(0)));
  // With no picture at all the loop still runs and ends.
  popup.SetDeadline(int(svc.timers.Ticks()) + 30);
  popup.script = nullptr;
  EXPECT_EQ(popup.Run(result, nullptr), 1);
}

}  // namespace
}  // namespace gfx_test
