// The catalogue as a player meets it: the games found, pages of twelve, the
// collect slot, and the command line that opens a game's title screen.
#include <memory>
#include <string>
#include <vector>

#include "gfx/button.h"
#include "launcher/catalogue_screen.h"
#include "launcher/title_screen.h"
#include "launcher_harness.h"
#include "platform/paths.h"
#include "platform/qv.h"
#include "support/shows.h"
#include "web_settings.h"

namespace launcher_test {
namespace {

constexpr int kColumns[] = {14, 271, 528};
constexpr int kRows[] = {140, 247, 355, 461};

int SlotX(int slot) { return kColumns[(slot - 1) % 3]; }
int SlotY(int slot) { return kRows[(slot - 1) / 3]; }

Rgb GameColour(int i) { return {40 + 8 * (i % 20), 200 - 8 * (i % 20), 16 * (i % 8)}; }
uint16_t Colour565(Rgb c) { return platform::Rgb565(c.r, c.g, c.b); }

class CatalogueTest : public ::testing::Test {
 protected:
  LauncherTree tree;
  std::unique_ptr<LauncherRun> run;

  // Games named Game00, Game01, ... in listing order, each its own colour.
  void AddGames(int count) {
    for (int i = 0; i < count; ++i) {
      LauncherTree::GameOptions options;
      options.colour = GameColour(i);
      char name[16];
      std::snprintf(name, sizeof name, "Game%02d", i);
      tree.AddGame(name, options);
    }
  }
  void Launch(const std::string& commandLine = "") {
    run = std::make_unique<LauncherRun>();
    ASSERT_TRUE(run->Start(commandLine));
    run->Frames(4);
  }
  launcher::CatalogueScreen& Catalogue() { return *run->program.Catalogue(); }
  int Enabled(int slot) {
    const gfx::Button* b = Catalogue().Buttons().Find(launcher::CatalogueScreen::SlotName(slot));
    return b ? b->Enabled() : -1;
  }
  std::unique_ptr<platform::Surface> Picture(const std::string& file) {
    return run->app.Qv().LoadBitmap(tree.Path(file));
  }
  // Whether the slot frame's clear window shows the picture.
  bool SlotShows(int slot, const std::string& file) {
    return test_support::Shows(run->Frame(), *Picture(file), SlotX(slot) + 14, SlotY(slot) + 14, {14, 14, 236, 86});
  }
  // True when the slot shows the plain backdrop: no frame, no picture.
  bool SlotIsBackdrop(int slot) {
    const auto backdrop = Picture("background.bmp");
    for (int y = SlotY(slot); y < SlotY(slot) + 100; ++y)
      for (int x = SlotX(slot); x < SlotX(slot) + 250; ++x)
        if (run->PixelAt(x, y) != backdrop->pixel16(x, y)) return false;
    return true;
  }
  // The page number's digits, right-aligned to x 716 at y 30.
  bool ShowsPageNumber(const std::string& digits) {
    const auto strip = Picture("PageNumbers.bmp");
    const int cell = strip->width() / 10, x0 = 716 - int(digits.size()) * cell;
    for (size_t i = 0; i < digits.size(); ++i) {
      const int d = digits[i] - '0';
      if (!test_support::Shows(run->Frame(), *strip, x0 + int(i) * cell, 30, {d * cell, 0, d * cell + cell, strip->height()}))
        return false;
    }
    return true;
  }
  // The page's twelve slots as shown and enabled: a game's colour (its
  // number), the collect slot, or the bare backdrop for slots past the list.
  static constexpr int kCollect = -1;
  void ExpectSlots(const std::vector<int>& shown) {
    for (int slot = 1; slot <= 12; ++slot) {
      SCOPED_TRACE("slot " + std::to_string(slot));
      const bool used = slot <= int(shown.size());
      const int game = used ? shown[size_t(slot - 1)] : 0;
      EXPECT_EQ(Enabled(slot), used ? 1 : 0);
      EXPECT_TRUE(!used ? SlotIsBackdrop(slot)
                  : game == kCollect ? SlotShows(slot, "CollectButton.bmp")
                                     : run->PixelAt(SlotX(slot) + 125, SlotY(slot) + 50) == Colour565(GameColour(game)));
    }
  }
  void ClickSlot(int slot) { run->Click(SlotX(slot) + 125, SlotY(slot) + 50); }
  void ClickRight() { run->Click(739 + 20, 19 + 20); }
  void ClickLeft() { run->Click(638 + 20, 19 + 20); }
};

TEST_F(CatalogueTest, WithoutGamesTheFirstSlotCollectsAndOpensTheMakersSite) {
  Launch();
  EXPECT_EQ(run->CurrentScreen(), "Pavlora");
  EXPECT_EQ(Catalogue().GameCount(), 0);
  ExpectSlots({kCollect});
  EXPECT_TRUE(ShowsPageNumber("1"));

  // Without a browser the player is told and stays; with one the launcher ends.
  run->launcher.fail = true;
  ClickSlot(1);
  run->Play();
  EXPECT_FALSE(run->ended);
  EXPECT_EQ(run->CurrentScreen(), "Pavlora");
  ASSERT_EQ(run->backend.messageBoxes().size(), 1u);
  EXPECT_NE(run->backend.messageBoxes()[0].text.find(web::kHomeUrl), std::string::npos);
  run->launcher.fail = false;
  ClickSlot(1);
  run->Play();
  EXPECT_TRUE(run->ended);
  EXPECT_EQ(run->exitCode, 0);
  ASSERT_EQ(run->launcher.launches.size(), 2u);
  EXPECT_EQ(run->launcher.launches[1].url, web::kHomeUrl);
  EXPECT_EQ(run->launcher.launches[1].program, "");
}

TEST_F(CatalogueTest, FiveGamesFillFiveSlotsInListingOrderThenTheCollectSlot) {
  AddGames(4);
  // A long name and a tile spelled in other letters still make a game.
  LauncherTree::GameOptions odd;
  odd.colour = GameColour(4);
  odd.picture = "pavlorabutton.BMP";
  const std::string longName = "Zz" + std::string(180, 'q');
  tree.AddGame(longName, odd);
  // Not games: no tile, a plain file, a hidden directory, a read-only one
  // (read-only whoever looks, root included).
  std::filesystem::create_directory(tree.Path("Empty"));
  tree.Write("notes.txt", "x");
  tree.AddGame(".hidden");
  tree.AddGame("Locked");
  tree.MakeReadOnly("Locked");

  Launch();
  ASSERT_EQ(Catalogue().GameCount(), 5);
  ExpectSlots({0, 1, 2, 3, 4, kCollect});
  EXPECT_EQ(Catalogue().Games().At(4)->files.directoryName, longName);
  EXPECT_EQ(Catalogue().Games().At(4)->files.gameDirectory, tree.Path(longName));
  EXPECT_EQ(Catalogue().Games().At(4)->files.programFile, longName);

  // Neither arrow leaves the only page; a disabled slot takes no click.
  ClickRight();
  ClickLeft();
  ClickSlot(9);
  run->Play();
  EXPECT_EQ(Catalogue().CurrentPage(), 0);
  EXPECT_TRUE(ShowsPageNumber("1"));
  EXPECT_EQ(run->CurrentScreen(), "Pavlora");
  EXPECT_TRUE(run->launcher.launches.empty());

  // A game's slot opens its title screen inside its directory.
  ClickSlot(2);
  run->Play();
  EXPECT_EQ(run->CurrentScreen(), "title");
  EXPECT_EQ(run->program.Title()->SelectedGame().directoryName, "Game01");
  EXPECT_EQ(platform::CurrentDirectory(), tree.Path("Game01"));
}

TEST_F(CatalogueTest, TwelveGamesPutTheCollectSlotAloneOnPageTwo) {
  AddGames(12);
  Launch();
  ASSERT_EQ(Catalogue().GameCount(), 12);
  const std::vector<int> pageOne = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
  ExpectSlots(pageOne);

  ClickRight();
  run->Play();
  EXPECT_EQ(Catalogue().CurrentPage(), 1);
  EXPECT_TRUE(ShowsPageNumber("2"));
  ExpectSlots({kCollect});
  // Nothing lies beyond the collect slot.
  ClickRight();
  run->Play();
  EXPECT_EQ(Catalogue().CurrentPage(), 1);

  ClickLeft();
  run->Play();
  EXPECT_EQ(Catalogue().CurrentPage(), 0);
  ExpectSlots(pageOne);

  ClickRight();
  ClickSlot(1);
  run->Play();
  EXPECT_TRUE(run->ended);
  ASSERT_EQ(run->launcher.launches.size(), 1u);
  EXPECT_EQ(run->launcher.launches[0].url, web::kHomeUrl);
}

TEST_F(CatalogueTest, PageKeysTurnOnePagePerPressEvenHeldOrWithAClick) {
  AddGames(25);
  Launch();
  ScriptedBackend& b = run->backend;
  // Page Down in the frame in which a click on the right arrow completes
  // (the poll sees the release a frame after it): one page.
  b.script.push_back([&b] { b.mouseDown(759, 39); });
  run->Wait(2);
  b.script.push_back([&b] { b.mouseUp(759, 39); });
  b.script.push_back([&b] { b.pressKey(kScanPageDown); });
  run->Play();
  EXPECT_EQ(Catalogue().CurrentPage(), 1);
  // Held, it turns one page, not one per repeat.
  b.script.push_back([&b] {
    b.keyDown(kScanPageDown);
    for (int i = 0; i < 5; ++i) b.keyDown(kScanPageDown, 0, true);
  });
  b.script.push_back([&b] { b.keyDown(kScanPageDown, 0, true); });
  b.script.push_back([&b] { b.keyUp(kScanPageDown); });
  b.script.push_back([&b] { b.pressKey(kScanPageUp); });
  run->Play();
  EXPECT_EQ(Catalogue().CurrentPage(), 1);
  EXPECT_TRUE(ShowsPageNumber("2"));
  // A slot on a later page opens the game of that place in the list.
  ClickSlot(1);
  run->Play();
  EXPECT_EQ(run->program.Title()->SelectedGame().directoryName, "Game12");
}

TEST_F(CatalogueTest, CommandLineOpensTheFirstGameWhoseProgramBeginsWithIt) {
  tree.AddGame("Quiz");
  tree.AddGame("Quizmaster");
  for (const char* line : {"quiz", "Puzzle", "Quizmasters"}) {
    Launch(line);
    EXPECT_EQ(run->CurrentScreen(), "Pavlora") << line;
    run.reset();
  }
  Launch("Quiz");
  EXPECT_EQ(run->CurrentScreen(), "title");
  EXPECT_EQ(run->program.Title()->SelectedGame().directoryName, "Quiz");
  EXPECT_EQ(platform::CurrentDirectory(), tree.Path("Quiz"));
  run.reset();
  std::filesystem::current_path(tree.Root());
  Launch("Quizm");
  EXPECT_EQ(run->program.Title()->SelectedGame().directoryName, "Quizmaster");
}

}  // namespace
}  // namespace launcher_test
