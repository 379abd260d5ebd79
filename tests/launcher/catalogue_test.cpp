// The catalogue as a player meets it: games found in the launcher's
// directory, pages of twelve, the collect slot, and the command line that
// opens a game's title screen directly.
#include <memory>
#include <string>

#include "gfx/button.h"
#include "launcher/catalogue_screen.h"
#include "launcher/title_screen.h"
#include "launcher_harness.h"
#include "platform/paths.h"
#include "platform/qv.h"
#include "web_settings.h"

namespace launcher_test {
namespace {

constexpr int kColumns[] = {14, 271, 528};
constexpr int kRows[] = {140, 247, 355, 461};
constexpr uint16_t kKey = platform::Rgb565(0, 0, 255);

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
  // Pixels of the slot where the picture is opaque and the slot frame's
  // interior lets it show: how many differ from the frame, and how many
  // were compared.
  std::pair<int, int> SlotMismatch(int slot, const platform::Surface& picture) {
    const auto frame = Picture("GameButton.bmp");
    int differ = 0, compared = 0;
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x) {
        if (picture.pixel16(x, y) == kKey || frame->pixel16(x, y) != kKey) continue;
        ++compared;
        if (run->PixelAt(SlotX(slot) + x, SlotY(slot) + y) != picture.pixel16(x, y)) ++differ;
      }
    return {differ, compared};
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
    const int cell = strip->width() / 10;
    int x0 = 716 - int(digits.size()) * cell;
    int compared = 0;
    for (const char d : digits) {
      for (int y = 0; y < strip->height(); ++y)
        for (int x = 0; x < cell; ++x) {
          const uint16_t p = strip->pixel16((d - '0') * cell + x, y);
          if (p == kKey) continue;
          ++compared;
          if (run->PixelAt(x0 + x, 30 + y) != p) return false;
        }
      x0 += cell;
    }
    return compared > 0;
  }
  void ClickSlot(int slot) { run->Click(SlotX(slot) + 125, SlotY(slot) + 50); }
  void ClickRight() { run->Click(739 + 20, 19 + 20); }
  void ClickLeft() { run->Click(638 + 20, 19 + 20); }
};

TEST_F(CatalogueTest, WithoutGamesTheFirstSlotCollectsAndOpensTheMakersSite) {
  Launch();
  EXPECT_EQ(run->CurrentScreen(), "Pavlora");
  EXPECT_EQ(Catalogue().GameCount(), 0);
  EXPECT_EQ(Enabled(1), 1);
  for (int slot = 2; slot <= 12; ++slot) EXPECT_EQ(Enabled(slot), 0) << slot;
  const auto [differ, compared] = SlotMismatch(1, *Picture("CollectButton.bmp"));
  EXPECT_GT(compared, 1000);
  EXPECT_EQ(differ, 0);
  EXPECT_TRUE(SlotIsBackdrop(2));
  EXPECT_TRUE(ShowsPageNumber("1"));

  ClickSlot(1);
  run->Play();
  EXPECT_TRUE(run->ended);
  EXPECT_EQ(run->exitCode, 0);
  ASSERT_EQ(run->launcher.launches.size(), 1u);
  EXPECT_EQ(run->launcher.launches[0].url, web::kHomeUrl);
  EXPECT_EQ(run->launcher.launches[0].program, "");
}

TEST_F(CatalogueTest, FiveGamesFillFiveSlotsInListingOrderThenTheCollectSlot) {
  AddGames(4);
  // A long name and a tile spelled in other letters still make a game.
  LauncherTree::GameOptions odd;
  odd.colour = GameColour(4);
  odd.picture = "pavlorabutton.BMP";
  const std::string longName = "Zz" + std::string(180, 'q');
  tree.AddGame(longName, odd);
  // Not games: no tile, a plain file, a hidden directory.
  std::filesystem::create_directory(tree.Path("Empty"));
  WriteFile(tree.Path("notes.txt"), "x");
  tree.AddGame(".hidden");

  Launch();
  ASSERT_EQ(Catalogue().GameCount(), 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(run->PixelAt(SlotX(i + 1) + 125, SlotY(i + 1) + 50), Colour565(GameColour(i))) << i;
    EXPECT_EQ(Enabled(i + 1), 1);
  }
  EXPECT_EQ(Catalogue().Games().At(4)->files.directoryName, longName);
  EXPECT_EQ(Catalogue().Games().At(4)->files.gameDirectory, tree.Path(longName));
  EXPECT_EQ(Catalogue().Games().At(4)->files.programFile, longName);
  EXPECT_EQ(SlotMismatch(6, *Picture("CollectButton.bmp")).first, 0);
  EXPECT_EQ(Enabled(6), 1);
  for (int slot = 7; slot <= 12; ++slot) {
    EXPECT_EQ(Enabled(slot), 0);
    EXPECT_TRUE(SlotIsBackdrop(slot)) << slot;
  }

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
  for (int slot = 1; slot <= 12; ++slot) EXPECT_EQ(Enabled(slot), 1);
  EXPECT_EQ(run->PixelAt(SlotX(12) + 125, SlotY(12) + 50), Colour565(GameColour(11)));

  ClickRight();
  run->Play();
  EXPECT_EQ(Catalogue().CurrentPage(), 1);
  EXPECT_TRUE(ShowsPageNumber("2"));
  EXPECT_EQ(Enabled(1), 1);
  EXPECT_EQ(SlotMismatch(1, *Picture("CollectButton.bmp")).first, 0);
  for (int slot = 2; slot <= 12; ++slot) {
    EXPECT_EQ(Enabled(slot), 0) << slot;
    EXPECT_TRUE(SlotIsBackdrop(slot)) << slot;
  }
  // Nothing lies beyond the collect slot.
  ClickRight();
  run->Play();
  EXPECT_EQ(Catalogue().CurrentPage(), 1);

  ClickLeft();
  run->Play();
  EXPECT_EQ(Catalogue().CurrentPage(), 0);
  for (int slot = 1; slot <= 12; ++slot) EXPECT_EQ(Enabled(slot), 1);
  EXPECT_EQ(run->PixelAt(SlotX(1) + 125, SlotY(1) + 50), Colour565(GameColour(0)));

  ClickRight();
  ClickSlot(1);
  run->Play();
  EXPECT_TRUE(run->ended);
  ASSERT_EQ(run->launcher.launches.size(), 1u);
  EXPECT_EQ(run->launcher.launches[0].url, web::kHomeUrl);
}

TEST_F(CatalogueTest, ThirteenGamesShowTheLastGameAndTheCollectSlotOnPageTwo) {
  AddGames(13);
  Launch();
  ASSERT_EQ(Catalogue().GameCount(), 13);
  ClickRight();
  run->Play();
  EXPECT_EQ(Catalogue().CurrentPage(), 1);
  EXPECT_EQ(run->PixelAt(SlotX(1) + 125, SlotY(1) + 50), Colour565(GameColour(12)));
  EXPECT_EQ(Enabled(1), 1);
  EXPECT_EQ(Enabled(2), 1);
  EXPECT_EQ(SlotMismatch(2, *Picture("CollectButton.bmp")).first, 0);
  for (int slot = 3; slot <= 12; ++slot) EXPECT_EQ(Enabled(slot), 0) << slot;
  // The slot that held a game on page one is an empty place here.
  EXPECT_TRUE(SlotIsBackdrop(7));

  ClickSlot(1);
  run->Play();
  EXPECT_EQ(run->CurrentScreen(), "title");
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

// What the scan finds, as a comma-separated list of directory names.
std::string ScannedNames() {
  LauncherRun run;
  if (!run.Start("")) return "<no start>";
  std::string names;
  const launcher::GameList& games = run.program.Catalogue()->Games();
  for (int i = 0; i < games.Count(); ++i) names += games.At(i)->files.directoryName + ",";
  return names;
}

TEST_F(CatalogueTest, ReadOnlyAndDotNamedDirectoriesAreNotGames) {
  tree.AddGame("Open");
  tree.AddGame("Locked");
  tree.AddGame(".secret");
  tree.MakeReadOnly("Locked");
  EXPECT_EQ(ScannedNames(), "Open,");
}

}  // namespace
}  // namespace launcher_test
