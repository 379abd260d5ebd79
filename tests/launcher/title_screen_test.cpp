// The title screen of one game: its switches, the player labels, the
// pictures, and the ways out (play, menu, exit).
#include <memory>
#include <string>

#include "gfx/button.h"
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
  Open();
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

TEST_F(TitleTest, AnUnknownPlayerIdFallsBackToTheFirstPlayer) {
  SetOption("setup", "playerid", "12");
  Open();
  EXPECT_EQ(Title().CurrentPlayer(), 0);
  EXPECT_EQ(Title().PlayerField(0)->Selected(), 1);
}

TEST_F(TitleTest, PlayStartsTheGameInItsDirectoryWithTheLauncherDirectoryAndEnds) {
  Open();
  run->Click(636 + 40, 296 + 30);
  run->Play();
  EXPECT_TRUE(run->ended);
  EXPECT_EQ(run->exitCode, 0);
  ASSERT_EQ(run->launcher.launches.size(), 1u);
  const auto& launch = run->launcher.launches[0];
  EXPECT_EQ(launch.program, game + "/Moo");
  EXPECT_EQ(launch.argument, tree.Root());
  EXPECT_EQ(launch.directory, game);
  EXPECT_EQ(platform::CurrentDirectory(), tree.Root());
}

TEST_F(TitleTest, PlayThatCannotStartTheGameSaysSoAndStays) {
  LauncherTree::GameOptions options;
  options.program = false;
  tree.AddGame("Ghost", options);
  for (const std::string name : {"Ghost", "Moo"}) {
    SCOPED_TRACE(name);
    run.reset();
    std::filesystem::current_path(tree.Root());
    run = std::make_unique<LauncherRun>();
    run->launcher.fail = true;
    ASSERT_TRUE(run->Start(name));
    run->Frames(4);
    run->Click(636 + 40, 296 + 30);
    run->Play();
    EXPECT_FALSE(run->ended);
    EXPECT_EQ(run->CurrentScreen(), "title");
    EXPECT_EQ(platform::CurrentDirectory(), tree.Path(name));
    EXPECT_EQ(run->launcher.launches.size(), name == "Moo" ? 1u : 0u);
    ASSERT_EQ(run->backend.messageBoxes().size(), 1u);
    EXPECT_NE(run->backend.messageBoxes()[0].text.find(tree.Path(name) + "/" + name),
              std::string::npos);
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

TEST_F(TitleTest, ExitEndsTheLauncherWithoutStartingAnything) {
  Open();
  run->Click(636 + 40, 435 + 30);
  run->Play();
  EXPECT_TRUE(run->ended);
  EXPECT_TRUE(run->launcher.launches.empty());
}

}  // namespace
}  // namespace launcher_test
