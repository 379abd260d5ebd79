// The title screen's two pop-ups in whole runs: the players editor and the
// hall of fame.
#include <memory>
#include <string>
#include <vector>

#include "gfx/bitmap_font.h"
#include "launcher/score_upload.h"
#include "launcher/text_field.h"
#include "launcher/title_screen.h"
#include "launcher_harness.h"
#include "platform/profile.h"
#include "platform/qv.h"
#include "support/score_file.h"
#include "support/shows.h"
#include "web_settings.h"

namespace launcher_test {
namespace {

constexpr uint16_t kKey = platform::Rgb565(0, 0, 255);
constexpr int kLeft = 53, kTop = 18;

class PopupsTest : public GameTitleTest {
 protected:
  // Screen positions of the pop-ups' buttons and fields.
  void ClickPicture(int x, int y) { run->Click(kLeft + x, kTop + y); }
  void OpenPlayers() {
    run->Click(280 + 118, 318 + 26);
    run->Wait(3);
  }
  void ClickEnter() { ClickPicture(474 + 60, 471 + 24); }
  void ClickRemove() { ClickPicture(360 + 54, 471 + 24); }
  void ClickPlayersBack() { ClickPicture(608 + 40, 489 + 20); }
  void ClickYesNo() { ClickPicture(37 + 50, 486 + 20); }
  void OpenHall() {
    run->Click(52 + 80, 365 + 30);
    run->Wait(3);
  }
  void ClickUpload() { ClickPicture(552 + 65, 88 + 26); }
  void ClickClear() { ClickPicture(552 + 65, 149 + 26); }
  void ClickHallBack() { ClickPicture(595 + 40, 220 + 20); }

  void WriteScores(const std::vector<std::pair<std::string, int32_t>>& rows) {
    tree.Write("Moo/hiscore.dat", test_support::ScoreFile(rows));
  }
};

TEST_F(PopupsTest, TypingWithShiftBackspaceTabAndEnterStoresThePlayer) {
  SetOption("setup", "playerid", "3");
  Open();
  OpenPlayers();
  // The name field has the keyboard from the start.
  for (int i = 0; i < 7; ++i) run->Key(kScanBackspace);
  run->Type("Zoe X");
  run->Key(kScanBackspace, true);  // with Shift: nothing
  run->Key(kScanBackspace);
  run->Type("Lind");
  run->Key(kScanTab);
  run->Type("12 Elm St");
  run->Key(kScanTab, true);  // with Shift: nothing
  run->Key(kScanEnter);
  run->Type("zoe@mail.org");
  run->Key(kScanTab);
  run->Type("a");
  run->Wait(2);
  ClickEnter();
  run->Play();
  EXPECT_EQ(run->CurrentScreen(), "title");
  EXPECT_EQ(Option("Player4", "name"), "Zoe Linda");
  EXPECT_EQ(Option("Player4", "address"), "12 Elm St");
  EXPECT_EQ(Option("Player4", "email"), "zoe@mail.org");
  EXPECT_EQ(Option("Player4", "send"), "Y");
  // Every player is written, and the label shows the first name.
  EXPECT_EQ(Option("Player8", "name"), "Player8");
  EXPECT_EQ(run->program.Title()->PlayerField(3)->Text(), "Zoe");
}

TEST_F(PopupsTest, ClicksMoveTheKeyboardAndAClickOutsideGivesItToTheName) {
  SetOption("Player1", "name", "N");
  // The fields are where the picture is put, whatever its size.
  std::filesystem::remove(tree.Path("PlayerInfo.bmp"));
  WriteSolidBmp(tree.Path("PlayerInfo.bmp"), {90, 90, 60}, 640, 540);
  Open();
  OpenPlayers();
  ClickPicture(50 + 10, 336 + 10);  // the address field
  run->Type("road");
  ClickPicture(300, 150);  // the heading, outside every field
  run->Type("ed");
  ClickEnter();
  run->Play();
  EXPECT_EQ(Option("Player1", "name"), "Ned");
  EXPECT_EQ(Option("Player1", "address"), "road");
}

TEST_F(PopupsTest, BackLeavesThePlayerAsItWasAndRemoveResetsIt) {
  SetOption("setup", "playerid", "1");
  SetOption("Player2", "name", "Bob Stone");
  SetOption("Player2", "address", "x");
  SetOption("Player2", "email", "y");
  SetOption("Player2", "send", "N");
  SetOption("Player1", "name", "Ann");
  Open();
  EXPECT_EQ(run->program.Title()->PlayerField(1)->Text(), "Bob");
  OpenPlayers();
  run->Type("zzz");
  run->Key(kScanTab);
  run->Type("there");
  ClickPlayersBack();
  run->Play();
  EXPECT_EQ(run->CurrentScreen(), "title");
  EXPECT_EQ(Option("Player2", "name"), "Bob Stone");
  EXPECT_EQ(Option("Player2", "address"), "x");
  OpenPlayers();
  ClickRemove();
  run->Play();
  EXPECT_EQ(Option("Player2", "name"), "Player2");
  EXPECT_EQ(Option("Player2", "address"), "");
  EXPECT_EQ(Option("Player2", "email"), "");
  EXPECT_EQ(Option("Player2", "send"), "Y");
  EXPECT_EQ(Option("Player1", "name"), "Ann");
  EXPECT_EQ(run->program.Title()->PlayerField(1)->Text(), "Player2");
}

TEST_F(PopupsTest, TheSendSwitchShowsNoForNAndStoresItsNewState) {
  SetOption("Player1", "send", "N");
  Open();
  const auto strip = run->app.Qv().LoadBitmap(tree.Path("yesno.bmp"));
  ASSERT_TRUE(strip);
  const int w = strip->width() / 2;
  const auto showsLook = [&](int i) {
    return bool(test_support::Shows(run->Frame(), *strip, kLeft + 37, kTop + 486, {i * w, 0, i * w + w, strip->height()}));
  };
  OpenPlayers();
  run->backend.script.push_back([&] { EXPECT_TRUE(showsLook(1)); });
  ClickYesNo();
  run->Wait(3);
  run->backend.script.push_back([&] { EXPECT_TRUE(showsLook(0)); });
  ClickEnter();
  run->Play();
  EXPECT_EQ(Option("Player1", "send"), "Y");
}

// The table as it should look: the bare picture with each row's name (up
// to its first colon) and score in the row's font.
std::unique_ptr<platform::Surface> ExpectedHall(
    LauncherRun& run, const LauncherTree& tree,
    const std::vector<std::pair<std::string, int32_t>>& rows, bool swapFonts = false) {
  auto picture = run.app.Qv().LoadBitmap(tree.Path("HallOfFameScreen.bmp"));
  gfx::BitmapFont purple(run.app.Qv()), black(run.app.Qv());
  purple.Load(tree.Path("HallPurpleFont.bmp"));
  black.Load(tree.Path("HallBlackFont.bmp"));
  purple.SetLetterSpacing(1);
  black.SetLetterSpacing(1);
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].first.empty()) continue;
    const int r = int(i % 10);
    const int nameX = i < 10 ? 56 : 387;
    const gfx::BitmapFont& font = ((r % 2 == 0) != swapFonts) ? purple : black;
    const std::string name = rows[i].first.substr(0, rows[i].first.find(':'));
    font.DrawText(picture.get(), name.c_str(), nameX, 275 + 26 * r, 0);
    font.DrawText(picture.get(), std::to_string(rows[i].second).c_str(), nameX + 200, 275 + 26 * r,
                  0);
  }
  return picture;
}

// Pixels of the table area (below the buttons) that differ between the
// frame and the picture.
int TableMismatch(const LauncherRun& run, const platform::Surface& expected) {
  int differ = 0;
  for (int y = 270; y < 545; ++y)
    for (int x = 0; x < expected.width(); ++x) {
      const uint16_t p = expected.pixel16(x, y);
      if (p != kKey && run.PixelAt(kLeft + x, kTop + y) != p) ++differ;
    }
  return differ;
}

// The table, then Clear: twenty empty rows written, the pop-up closed, and
// an empty table when it opens again.
TEST_F(PopupsTest, HallOfFameDrawsTwoColumnsOfPurpleAndBlackRowsUntilCleared) {
  const std::vector<std::pair<std::string, int32_t>> rows = {
      {"Anna Smith:12 Elm St:anna@mail.org:Y", 250000}, {"Ben", 125000}, {"Clara & Co:x:y:N", 50000},
      {"Dora", 25000}, {"", 0}, {"Fay", 5000}, {"Gus", 2000}, {"Hana", 1000}, {"Ivo", 500}, {"Jon", 250},
      {"Kim", 125}, {"Lea:a:b:Y", -5}};
  WriteScores(rows);
  Open();
  const auto expected = ExpectedHall(*run, tree, rows);
  const auto swapped = ExpectedHall(*run, tree, rows, true);
  const auto bare = ExpectedHall(*run, tree, {});
  OpenHall();
  int shown = -1, withSwappedFonts = -1, withoutText = -1;
  run->backend.script.push_back([&] {
    shown = TableMismatch(*run, *expected);
    withSwappedFonts = TableMismatch(*run, *swapped);
    withoutText = TableMismatch(*run, *bare);
  });
  ClickClear();
  run->Play();
  EXPECT_EQ(shown, 0);
  EXPECT_GT(withSwappedFonts, 100);
  EXPECT_GT(withoutText, 100);
  EXPECT_EQ(run->CurrentScreen(), "title");
  EXPECT_EQ(tree.Read("Moo/hiscore.dat"), test_support::ScoreFile({}));

  OpenHall();
  run->backend.script.push_back([&] { shown = TableMismatch(*run, *bare); });
  ClickHallBack();
  run->Play();
  EXPECT_EQ(shown, 0);
  EXPECT_FALSE(run->ended);
}

// Upload opens the escaped address of the best score (an empty name and the
// keyed zero without scores), as often as clicked, and the pop-up stays open.
TEST_F(PopupsTest, UploadOpensTheEscapedAddressOfTheBestScoreAndStaysOpen) {
  const uint32_t key = launcher::ScoreKeyValue(web::kScoreKey);
  for (const bool scores : {true, false}) {
    if (scores) WriteScores({{"Ann & Bo:12 Elm St:ab@c.d:Y", 1234}, {"Second", 10}});
    else std::filesystem::remove(game + "/hiscore.dat");
    run.reset();
    std::filesystem::current_path(tree.Root());
    Open();
    OpenHall();
    ClickUpload();
    ClickUpload();
    ClickHallBack();
    run->Play();
    const std::string expected = std::string(web::kHiscoreUrl) + "?game=Moo&name=" +
                                 (scores ? "Ann%20%26%20Bo:12%20Elm%20St:ab@c.d:Y&score=" + std::to_string(int32_t(1234u ^ key))
                                         : "&score=" + std::to_string(int32_t(key)));
    ASSERT_EQ(run->launcher.launches.size(), 2u);
    EXPECT_EQ(run->launcher.launches[0].url, expected);
    EXPECT_EQ(run->launcher.launches[1].url, expected);
    EXPECT_EQ(run->CurrentScreen(), "title");
    EXPECT_FALSE(run->ended);
  }
}

}  // namespace
}  // namespace launcher_test
