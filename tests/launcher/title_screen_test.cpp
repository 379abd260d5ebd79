// The title screen of one game: its switches, the player labels, the
// pictures, and the ways out (play, menu, exit).
#include <memory>
#include <string>

#include "gfx/button.h"
#include "gfx/focus_ring.h"
#include "launcher/title_screen.h"
#include "launcher/text_field.h"
#include "launcher_harness.h"
#include "support/shows.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/qv.h"

namespace launcher_test {
namespace {

// Name plates, as the title picture draws them.
constexpr int kFieldX[] = {239, 408, 238, 408, 238, 408, 238, 408};
constexpr int kFieldY[] = {378, 378, 420, 420, 464, 464, 510, 510};

class TitleTest : public GameTitleTest {
 protected:
  launcher::TitleScreen& Title() { return *run->program.Title(); }
  // Whether the screen shows frame `index` of a two-look switch strip at (x, y).
  bool ShowsLook(const std::string& strip, int index, int x, int y) {
    const auto bitmap = run->app.Qv().LoadBitmap(tree.Path(strip));
    const int w = bitmap->width() / 2;
    return test_support::Shows(run->Frame(), *bitmap, x, y, {index * w, 0, index * w + w, bitmap->height()});
  }
  void ClickField(int i) { run->Click(kFieldX[i] + 20, kFieldY[i] + 10); }
};

TEST_F(TitleTest, SwitchesShowTheirStoredStateAndWriteEveryChange) {
  SetOption("setup", "SFX", "No thanks");
  SetOption("setup", "playerid", "12");  // no such player: the first is current
  Open();
  EXPECT_EQ(Title().CurrentPlayer(), 0);
  EXPECT_EQ(Title().PlayerField(0)->Selected(), 1);
  EXPECT_EQ(Title().SoundEffectsOn(), 0);
  EXPECT_EQ(Title().MusicOn(), 1);
  EXPECT_TRUE(ShowsLook("sfx.bmp", 1, 52, 505));
  EXPECT_TRUE(ShowsLook("music.bmp", 0, 106, 505));

  run->Click(52 + 25, 505 + 25);
  run->Play();
  EXPECT_EQ(Option("setup", "SFX"), "Y");
  EXPECT_EQ(Title().SoundEffectsOn(), 1);
  EXPECT_TRUE(ShowsLook("sfx.bmp", 0, 52, 505));
  run->Click(52 + 25, 505 + 25);
  run->Click(106 + 25, 505 + 25);
  run->Play();
  EXPECT_EQ(Option("setup", "SFX"), "N");
  EXPECT_EQ(Option("setup", "Music"), "N");
  EXPECT_TRUE(ShowsLook("music.bmp", 1, 106, 505));

  // Back through the menu and in again: the switches are read afresh.
  SetOption("setup", "Music", "y");
  run->Click(636 + 40, 365 + 30);
  run->Play();
  EXPECT_EQ(run->CurrentScreen(), "Pavlora");
  EXPECT_EQ(platform::CurrentDirectory(), tree.Root());
  run->Click(14 + 125, 140 + 50);
  run->Play();
  ASSERT_EQ(run->CurrentScreen(), "title");
  EXPECT_EQ(Title().SoundEffectsOn(), 0);
  EXPECT_EQ(Title().MusicOn(), 1);
}

TEST_F(TitleTest, PlayerLabelsShowFirstNamesAndAClickMakesTheCurrentPlayer) {
  SetOption("Player3", "name", "Anna Smith");
  SetOption("setup", "playerid", "2");
  Open();
  EXPECT_EQ(Title().PlayerField(2)->Text(), "Anna");
  EXPECT_EQ(Title().PlayerField(0)->Text(), "Player1");
  EXPECT_EQ(Title().CurrentPlayer(), 2);
  EXPECT_EQ(Title().PlayerField(2)->Selected(), 1);

  // The highlighted font draws the current player; the others the normal one.
  auto glyphsOf = [&](int field) {
    std::string colours;
    for (int y = kFieldY[field]; y < kFieldY[field] + 20; ++y)
      for (int x = kFieldX[field]; x < kFieldX[field] + 60; ++x)
        colours += std::to_string(run->PixelAt(x, y)) + ",";
    return colours;
  };
  const std::string before = glyphsOf(5);

  ClickField(5);
  run->Play();
  EXPECT_EQ(Title().CurrentPlayer(), 5);
  EXPECT_EQ(Option("setup", "playerid"), "5");
  EXPECT_EQ(Title().PlayerField(2)->Selected(), 0);
  EXPECT_NE(glyphsOf(5), before);

  // A click beside every field keeps the current player.
  run->Click(600, 200);
  run->Play();
  EXPECT_EQ(Title().CurrentPlayer(), 5);
  EXPECT_EQ(Title().PlayerField(5)->Selected(), 1);
  EXPECT_NE(glyphsOf(5), before);

  // Held down over a field, the button counts once: the field is selected,
  // not put into editing by the frames that follow.
  ScriptedBackend& b = run->backend;
  b.script.push_back([&b] { b.mouseDown(kFieldX[1] + 5, kFieldY[1] + 5); });
  run->Wait(20);
  b.script.push_back([&b] { b.mouseUp(kFieldX[1] + 5, kFieldY[1] + 5); });
  run->Play();
  EXPECT_EQ(Title().CurrentPlayer(), 1);
  EXPECT_EQ(Title().PlayerField(1)->Editing(), 0);
}

// Play starts the game in its directory, given the launcher's, and ends the
// launcher; Exit ends it without starting anything; a game that cannot start
// is told and the title screen stays, in the game's directory.
TEST_F(TitleTest, PlayAndExitEndTheLauncherAndAFailedStartIsTold) {
  LauncherTree::GameOptions options;
  options.program = false;
  tree.AddGame("Ghost", options);
  const struct {
    std::string game;
    int buttonY;
    bool fail;
    size_t launches;
  } cases[] = {{"Moo", 296, false, 1}, {"Moo", 435, false, 0}, {"Moo", 296, true, 1}, {"Ghost", 296, true, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.game + " at y " + std::to_string(c.buttonY));
    run.reset();
    std::filesystem::current_path(tree.Root());
    run = std::make_unique<LauncherRun>();
    run->launcher.fail = c.fail;
    ASSERT_TRUE(run->Start(c.game));
    run->Frames(4);
    run->Click(636 + 40, c.buttonY + 30);
    run->Play();
    EXPECT_EQ(run->ended, !c.fail);
    ASSERT_EQ(run->launcher.launches.size(), c.launches);
    const std::string program = tree.Path(c.game) + "/" + c.game;
    if (c.launches) {
      EXPECT_EQ(run->launcher.launches[0].program, program);
      EXPECT_EQ(run->launcher.launches[0].argument, tree.Root());
      EXPECT_EQ(run->launcher.launches[0].directory, tree.Path(c.game));
    }
    if (c.fail) {
      EXPECT_EQ(run->CurrentScreen(), "title");
      EXPECT_EQ(platform::CurrentDirectory(), tree.Path(c.game));
      ASSERT_EQ(run->backend.messageBoxes().size(), 1u);
      EXPECT_NE(run->backend.messageBoxes()[0].text.find(program), std::string::npos);
    } else {
      EXPECT_EQ(run->exitCode, 0);
      EXPECT_TRUE(!c.launches || platform::CurrentDirectory() == tree.Root());
    }
  }
}

TEST_F(TitleTest, CreditsAndHowToPlayShowTheirPicturesUntilClicked) {
  Open();
  const auto credits = run->app.Qv().LoadBitmap(game + "/title/Credits.bmp");
  const auto rules = run->app.Qv().LoadBitmap(game + "/title/HowToPlay.bmp");
  ASSERT_TRUE(credits && rules);
  auto shows = [&](const platform::Surface& picture) { return bool(test_support::Shows(run->Frame(), picture, 53, 18)); };
  run->Click(52 + 80, 435 + 30);
  run->Wait(5);
  run->backend.script.push_back([&] { EXPECT_TRUE(shows(*credits)); });
  run->Click(400, 300);
  run->Play();
  EXPECT_EQ(run->CurrentScreen(), "title");
  EXPECT_FALSE(shows(*credits));

  run->Click(52 + 80, 296 + 30);
  run->Wait(5);
  run->backend.script.push_back([&] { EXPECT_TRUE(shows(*rules)); });
  run->Click(60, 30);
  run->Play();
  EXPECT_FALSE(shows(*rules));
  EXPECT_FALSE(run->ended);

  // The close box while a picture is up ends the program.
  run->Click(52 + 80, 435 + 30);
  run->Wait(3);
  run->backend.script.push_back([&] { run->backend.close(); });
  run->Play();
  EXPECT_TRUE(run->ended);
}

TEST_F(TitleTest, MissingCreditsAndHowToPlayPicturesArePassedOver) {
  // A game of its own title folder, holding the background only.
  const std::string bare = tree.AddGame("Bare");
  std::filesystem::remove(bare + "/title");
  std::filesystem::create_directory(bare + "/title");
  std::filesystem::copy_file(game + "/title/titlebackground.bmp", bare + "/title/titlebackground.bmp");
  run = std::make_unique<LauncherRun>();
  ASSERT_TRUE(run->Start("Bare"));
  run->Frames(4);
  run->Click(52 + 80, 435 + 30);
  run->Click(52 + 80, 296 + 30);
  run->Play();
  EXPECT_FALSE(run->ended);
  EXPECT_EQ(run->CurrentScreen(), "title");
}

// The launcher with the keyboard alone, or a game controller alone: the
// focus shows at the first press and goes at a mouse move, Return goes from
// the catalogue into a game's title screen, the arrows move to Menu and back,
// pick a player and reach Play; F11 changes the screen on the way.
enum class Input { kKeys, kPad };

class KeyboardRoundTrip : public TitleTest, public ::testing::WithParamInterface<Input> {
 protected:
  enum Step { kActivate, kUp, kDown, kLeft, kRight };
  void Use(Step step) {
    static constexpr int kKeys[] = {kScanEnter, kScanUp, kScanDown, kScanLeft, kScanRight};
    static constexpr platform::PadButton kPads[] = {platform::kPadA, platform::kPadUp,
                                                    platform::kPadDown, platform::kPadLeft,
                                                    platform::kPadRight};
    ScriptedBackend& b = run->backend;
    if (GetParam() == Input::kKeys)
      b.script.push_back([&b, step] { b.pressKey(kKeys[step]); });
    else
      b.script.push_back([&b, step] { b.pressPad(0, kPads[step]); });
    run->Play();
  }
  // Whether the mark's top edge shows above the rectangle at (x, y).
  bool MarkAbove(int x, int y, int width) {
    const auto mark = run->app.Qv().LoadBitmap(tree.Path("FocusFrame.bmp"));
    const int edge = mark->width() / 2;
    return run->PixelAt(x + width / 2, y - gfx::FocusRing::kMargin + 1) == mark->pixel16(edge, 1);
  }
};

TEST_P(KeyboardRoundTrip, FromTheCatalogueIntoTheGameAndBack) {
  run = std::make_unique<LauncherRun>();
  ASSERT_TRUE(run->Start(""));
  run->Frames(4);
  ASSERT_EQ(run->CurrentScreen(), "Pavlora");
  const int tileX = 14, tileY = 140, tileWidth = 250;
  EXPECT_FALSE(MarkAbove(tileX, tileY, tileWidth));
  Use(kDown);  // the first press only shows where the focus is
  EXPECT_TRUE(MarkAbove(tileX, tileY, tileWidth));
  run->Click(700, 580);
  run->Play();
  EXPECT_FALSE(MarkAbove(tileX, tileY, tileWidth));

  Use(kActivate);
  ASSERT_EQ(run->CurrentScreen(), "title");
  EXPECT_EQ(Title().FocusedTarget(), "Play");
  Use(kDown);
  EXPECT_EQ(Title().FocusedTarget(), "Menu");
  Use(kActivate);
  ASSERT_EQ(run->CurrentScreen(), "Pavlora");
  Use(kActivate);
  ASSERT_EQ(run->CurrentScreen(), "title");
  EXPECT_EQ(Title().FocusedTarget(), "Play");

  // Full screen from the game's page is the launcher's own choice.
  ScriptedBackend& b = run->backend;
  b.script.push_back([&b] { b.pressKey(kScanF11, platform::VK_F11); });
  run->Play();
  EXPECT_TRUE(run->backend.windowConfig().fullscreen);
  EXPECT_EQ(Option("setup", "fullscreen"), "<none>");
  EXPECT_EQ(platform::GetProfileString("setup", "fullscreen", "", tree.Path("setup.ini")), "1");
  EXPECT_FALSE(platform::FileExists(game + "/setup.ini"));

  if (GetParam() == Input::kPad) {
    // A stick pushed down, and the controller unplugged while it is held:
    // the next push moves the focus again.
    b.script.push_back([&b] { b.padStick(0, platform::PadTracker::kStickY, 30000); });
    b.script.push_back([&b] { b.unplugPad(0); });
    b.script.push_back([&b] { b.padStick(0, platform::PadTracker::kStickY, 30000); });
    b.script.push_back([&b] { b.padStick(0, platform::PadTracker::kStickY, 0); });
    run->Play();
    EXPECT_EQ(Title().FocusedTarget(), "Exit");
    Use(kUp);
  } else {
    Use(kDown);
  }
  ASSERT_EQ(Title().FocusedTarget(), "Menu");
  // Left of Menu lies the second player's plate: the focus picks that player.
  Use(kLeft);
  ASSERT_EQ(Title().FocusedTarget(), "player2");
  EXPECT_EQ(Title().CurrentPlayer(), 1);
  EXPECT_EQ(Option("setup", "playerid"), "1");
  EXPECT_EQ(Title().PlayerField(1)->Selected(), 1);
  EXPECT_EQ(Title().PlayerField(0)->Selected(), 0);

  Use(kRight);
  Use(kUp);
  ASSERT_EQ(Title().FocusedTarget(), "Play");
  Use(kActivate);
  EXPECT_TRUE(run->ended);
  ASSERT_EQ(run->launcher.launches.size(), 1u);
  EXPECT_EQ(run->launcher.launches[0].program, game + "/Moo");
  EXPECT_EQ(run->launcher.launches[0].argument, tree.Root());
}

INSTANTIATE_TEST_SUITE_P(EveryInput, KeyboardRoundTrip, ::testing::Values(Input::kKeys, Input::kPad),
                         [](const ::testing::TestParamInfo<Input>& info) {
                           return info.param == Input::kKeys ? "Keys" : "Pad";
                         });

}  // namespace
}  // namespace launcher_test
