#include "gfx/screen.h"

#include <fstream>

#include "gfx_fixture.h"

namespace gfx_test {
namespace {

class ScreenTest : public GfxTest {
 protected:
  gfx::Screen screen{ctx, "main"};
};

TEST_F(ScreenTest, NamesAreCutAndDefaultsReportContinue) {
  EXPECT_EQ(screen.GetName(), "main");
  screen.SetName(std::string(300, 'n'));
  EXPECT_EQ(screen.GetName().size(), 255u);
  gfx::Screen unnamed(ctx);
  EXPECT_EQ(unnamed.GetName(), "");
  EXPECT_EQ(screen.Update(1), 1);
  EXPECT_EQ(screen.HandleMessage(platform::WM_MOUSEMOVE, 0, 0), 1);
}

TEST_F(ScreenTest, LoadImageKeepsOnlyWhatLoaded) {
  const std::string path = Solid("logo.bmp", 20, 10, {255, 0, 0});
  gfx::ScreenImage* logo = screen.LoadImage(path);
  ASSERT_NE(logo, nullptr);
  EXPECT_EQ(logo->Name(), path);
  EXPECT_EQ(std::pair(logo->Width(), logo->Height()), std::pair(20, 10));
  EXPECT_EQ(logo->GetSurface()->colourKey(), kBlueKey);

  EXPECT_EQ(screen.LoadImage(tmp.file("nothing.bmp")), nullptr);
  EXPECT_EQ(screen.ImageCount(), 1u);

  // Duplicates: the first loaded wins.
  gfx::ScreenImage* second = screen.LoadImage(path);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(screen.FindImage(path), logo);
  EXPECT_EQ(screen.FindImage(path.substr(0, path.size() - 1)), nullptr);
}

TEST_F(ScreenTest, DrawImageUsesTheImagePositionAndTheKey) {
  // Left half red, right half blue (transparent).
  const std::string path =
      Picture("half.bmp", 10, 4, [](int x, int) { return x < 5 ? Rgb{255, 0, 0} : kBlue; });
  gfx::ScreenImage* img = screen.LoadImage(path);
  ASSERT_NE(img, nullptr);
  img->SetPosition(100, 50);
  back().fill(kGrey565);
  EXPECT_EQ(screen.DrawImage(&back(), path), 1);
  EXPECT_EQ(At(back(), {{100, 50}, {104, 53}, {105, 53}, {99, 50}}), (Px{kRed565, kRed565, kGrey565, kGrey565}));
  EXPECT_EQ(screen.DrawImageAt(&back(), path, -3, 598), 1);
  EXPECT_EQ(At(back(), {{0, 598}, {1, 599}, {2, 599}}), (Px{kRed565, kRed565, kGrey565}));

  EXPECT_EQ(screen.DrawImage(&back(), "unknown"), 0);
  EXPECT_EQ(screen.DrawImageAt(&back(), "unknown", 0, 0), 0);
}

TEST_F(ScreenTest, ImageDefinitionsFromAnIniFile) {
  const std::string art = Solid("title.bmp", 8, 8, {255, 0, 0});
  Solid("panel.bmp", 4, 2, {0, 255, 0});
  // Without a file the picture is the section's name with .bmp added.
  const std::string panel = tmp.file("panel"), ini = tmp.file("images.ini");
  std::ofstream(ini, std::ios::binary)
      << ("[images]\r\nimage01=logo\r\nimage02=" + panel + "\r\nimage03=ghost\r\nimage05=late\r\n"
          "[logo]\r\nfile=" + art + "\r\nx=12abc\r\ny=40\r\n"
          "[" + panel + "]\r\nx=0\r\ny=500\r\n"
          "[ghost]\r\nfile=" + tmp.file("ghost.bmp") + "\r\n"
          "[late]\r\nx=1\r\n");
  EXPECT_EQ(screen.LoadImageDefinitions(tmp.file("absent.ini")), 0);
  EXPECT_EQ(screen.LoadImageDefinitions(ini), 0);
  ASSERT_EQ(screen.ImageCount(), 3u) << "numbering stops at the first gap";

  gfx::ScreenImage* logo = screen.FindImage("logo");
  ASSERT_NE(logo, nullptr);
  EXPECT_NE(logo->GetSurface(), nullptr);
  EXPECT_EQ(std::pair(logo->X(), logo->Y()), std::pair(12, 40));

  gfx::ScreenImage* shown = screen.FindImage(panel);
  ASSERT_NE(shown, nullptr);
  ASSERT_NE(shown->GetSurface(), nullptr);
  EXPECT_EQ(std::pair(shown->Width(), shown->Y()), std::pair(4, 500));

  gfx::ScreenImage* ghost = screen.FindImage("ghost");
  ASSERT_NE(ghost, nullptr);
  EXPECT_EQ(ghost->GetSurface(), nullptr);
  EXPECT_EQ(ghost->X(), 0);
  // Drawing an image without a bitmap does nothing and still reports it found.
  EXPECT_EQ(screen.DrawImage(&back(), "ghost"), 1);
}

TEST_F(ScreenTest, ReleaseFreesImagesAndButtonsAndActivateRecreates) {
  screen.Activate(svc.qv.GetLPDD(), &back());
  EXPECT_EQ(std::pair(screen.GetDisplay(), screen.GetDrawingSurface()), std::pair(svc.qv.GetLPDD(), &back()));
  screen.LoadImage(Solid("a.bmp", 2, 2, {255, 0, 0}));
  screen.Buttons().SetOffset(7, 9);
  gfx::Button* b = screen.AddButton(std::make_unique<gfx::Button>(ctx, 1, 2, 3, 4));
  EXPECT_EQ(std::pair(b->OffsetX(), b->OffsetY()), std::pair(7, 9));
  EXPECT_EQ(screen.Buttons().Count(), 1u);

  screen.Release();
  screen.Release();
  EXPECT_EQ(screen.ImageCount(), 0u);
  screen.Activate(svc.qv.GetLPDD(), &back());
  EXPECT_EQ(screen.Buttons().Count(), 0u);
  EXPECT_EQ(screen.Buttons().OffsetX(), 0) << "a new group starts without an offset";
}

TEST_F(ScreenTest, ReleasedArtStopsBeingTheRedrawTarget) {
  gfx::ScreenImage* bg = screen.LoadImage(Solid("bg.bmp", 800, 600, {0, 255, 0}));
  gfx::ScreenImage* layer = screen.LoadImage(Solid("layer.bmp", 800, 600, {255, 0, 0}));
  ASSERT_NE(bg, nullptr);
  ASSERT_NE(layer, nullptr);
  screen.SetRedrawTarget(bg->GetSurface());
  screen.SetRedrawBackground(layer->GetSurface());
  ASSERT_EQ(std::pair(redraw.GetTarget(), redraw.GetBackground()), std::pair(bg->GetSurface(), layer->GetSurface()));
  redraw.QueueRect(0, 0, 5, 5);
  screen.Release();
  EXPECT_EQ(std::pair(redraw.GetTarget(), redraw.GetBackground()), std::pair((platform::Surface*)nullptr, (platform::Surface*)nullptr));
  EXPECT_TRUE(redraw.Entries(0).empty());
  // Replaying or restoring afterwards touches nothing freed.
  back().fill(kGrey565);
  redraw.RestoreRect(0, 0, 5, 5);
  redraw.Replay(&back());
  EXPECT_EQ(back().pixel16(1, 1), kGrey565);

  // Another screen's release leaves the queue alone.
  platform::Surface own(10, 10);
  redraw.SetTarget(&own);
  gfx::Screen other(ctx, "other");
  other.LoadImage(Solid("x.bmp", 4, 4, {0, 0, 0}));
  other.Release();
  EXPECT_EQ(redraw.GetTarget(), &own);
}

class CountingScreen : public gfx::Screen {
 public:
  using gfx::Screen::Screen;
  int Present() override {
    ++presents;
    return gfx::Screen::Present();
  }
  int presents = 0;
};

TEST_F(ScreenTest, PresentFlipsOnceThroughTheDelegate) {
  CountingScreen owner(ctx, "owner");
  screen.SetPresentDelegate(&owner);
  EXPECT_EQ(screen.Present(), 1);
  EXPECT_EQ(owner.presents, 1);
  EXPECT_EQ(svc.backend.presentedCount(), 1);
  EXPECT_EQ(redraw.Page(), 1);

  // A delegate chain that comes back presents once instead of recursing.
  owner.SetPresentDelegate(&screen);
  EXPECT_EQ(screen.Present(), 1);
  EXPECT_EQ(svc.backend.presentedCount(), 2);

  screen.SetPresentDelegate(nullptr);
  EXPECT_EQ(screen.Present(), 1);
  EXPECT_EQ(owner.presents, 2);
  EXPECT_EQ(svc.backend.presentedCount(), 3);

  svc.qv.FreeDirectX();
  EXPECT_EQ(screen.Present(), 0) << "the flip's failure reaches the caller";
}

}  // namespace
}  // namespace gfx_test
