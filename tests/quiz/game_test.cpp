#include "quiz/game.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "quiz/bull_animation.h"
#include "quiz_run.h"

namespace {

namespace fs = std::filesystem;
using quiz::BullAnimation;
using quiz::Game;

class BestsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("pav_quiz_bests_" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  std::string path() const { return (dir_ / "hiscore.dat").string(); }
  void Write(const std::vector<uint8_t>& bytes) const {
    std::ofstream out(path(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }
  static std::vector<uint8_t> LittleEndian(const std::vector<int32_t>& values) {
    std::vector<uint8_t> bytes;
    for (int32_t v : values)
      for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t(uint32_t(v) >> (8 * i)));
    return bytes;
  }
  fs::path dir_;
};

TEST_F(BestsFile, MissingFileGivesZero) {
  Game game(path());
  game.SetBest(77);
  EXPECT_EQ(game.ReadBests(), 0);
  EXPECT_EQ(game.GetBest(), 0);
}

TEST_F(BestsFile, ReadsTheCurrentPlayersValueFromTheFirstFortyBytes) {
  std::vector<int32_t> values;
  for (int i = 0; i < 12; ++i) values.push_back(1000 * (i + 1) + (i % 2 ? -5 : 5));
  values[3] = -42;
  Write(LittleEndian(values));
  Game game(path());
  for (int player : {0, 3, 9}) {
    game.SetPlayerIndex(player);
    EXPECT_EQ(game.ReadBests(), values[size_t(player)]) << player;
    EXPECT_EQ(game.GetBest(), values[size_t(player)]);
  }
  for (int i = 0; i < Game::kBestsCount; ++i) EXPECT_EQ(game.Bests(i), values[size_t(i)]);
  // An index no player has reads nothing past the ten values.
  game.SetPlayerIndex(10);
  EXPECT_EQ(game.ReadBests(), 0);
  game.SetPlayerIndex(-1);
  EXPECT_EQ(game.ReadBests(), 0);
}

TEST_F(BestsFile, AShortFileGivesOnlyWhatItHolds) {
  // Two whole values and half of a third.
  std::vector<uint8_t> bytes = LittleEndian({321, 654, 0x7FFF7FFF});
  bytes.resize(10);
  Write(bytes);
  Game game(path());
  game.SetPlayerIndex(1);
  EXPECT_EQ(game.ReadBests(), 654);
  EXPECT_EQ(game.Bests(0), 321);
  EXPECT_EQ(game.Bests(2), 0x7FFF);  // the two bytes the file had
  for (int i = 3; i < Game::kBestsCount; ++i) EXPECT_EQ(game.Bests(i), 0) << i;
  game.SetPlayerIndex(5);
  EXPECT_EQ(game.ReadBests(), 0);
}

TEST_F(BestsFile, WriteBestsNeverTouchesTheHighScoreFile) {
  const std::vector<uint8_t> before = LittleEndian({20, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
  Write(before);
  Game game(path());
  game.SetPlayerIndex(2);
  game.SetBest(999);
  EXPECT_EQ(game.WriteBests(), 0);
  EXPECT_EQ(game.Bests(2), 999);
  EXPECT_EQ(quiz_test::ReadBytes(path()), before);
  // Nor creates it.
  fs::remove(path());
  game.WriteBests();
  EXPECT_FALSE(fs::exists(path()));
}

TEST(GameSettings, AccessorsKeepTheirOwnValuesAndTheBaseDoesNothing) {
  Game game;
  EXPECT_EQ(game.Update(), -1);
  game.Load();
  game.Unload();
  game.SetState(24);
  game.SetScore(1250);
  game.SetSpare(3);
  game.SetSpare2(4);
  game.SetBonusSeconds(20);
  game.SetTimeCap(181);
  game.SetTimeLimit(179);
  game.SetPlayerIndex(6);
  EXPECT_EQ(game.GetState(), 24);
  EXPECT_EQ(game.GetScore(), 1250);
  EXPECT_EQ(game.GetSpare(), 3);
  EXPECT_EQ(game.GetSpare2(), 4);
  EXPECT_EQ(game.GetBonusSeconds(), 20);
  EXPECT_EQ(game.GetTimeCap(), 181);
  EXPECT_EQ(game.GetTimeLimit(), 179);
  EXPECT_EQ(game.GetPlayerIndex(), 6);
}

// Every frame a list shows, step by step, until n steps have been taken.
std::vector<int> Steps(BullAnimation& bull, int n) {
  std::vector<int> frames;
  for (int i = 0; i < n; ++i) frames.push_back(bull.Step());
  return frames;
}

TEST(BullAnimation, ListsEndOnTheirLastFrameOrStartAgain) {
  BullAnimation bull;
  ASSERT_TRUE(bull.Start(BullAnimation::kRightAnswer));
  EXPECT_EQ(Steps(bull, 13), (std::vector<int>{3, 4, 5, 3, 4, 5, 3, 4, 5, 3, -1, -1, -1}));
  EXPECT_EQ(bull.StepIndex(), 10);  // stays on the end entry

  ASSERT_TRUE(bull.Start(BullAnimation::kGameOver));
  EXPECT_EQ(Steps(bull, 3), (std::vector<int>{15, -1, -1}));

  // The idle list runs round: its 38 entries, then the first again.
  ASSERT_TRUE(bull.Start(BullAnimation::kIdle));
  const std::vector<int> round = Steps(bull, 38);
  EXPECT_EQ(round.front(), 1);
  EXPECT_EQ(round[12], 10);
  EXPECT_EQ(round[28], 12);
  EXPECT_EQ(Steps(bull, 3), (std::vector<int>{1, 1, 0}));
  EXPECT_EQ(bull.StepIndex(), 3);

  // Starting again begins from the first entry, whatever ran before.
  ASSERT_TRUE(bull.Start(BullAnimation::kPass));
  EXPECT_EQ(bull.Number(), 5);
  EXPECT_EQ(Steps(bull, 2), (std::vector<int>{10, 13}));
}

TEST(BullAnimation, WrongAnswersShareOneListAndSoundsFollowTheNumber) {
  const auto two = BullAnimation::Entries(2), three = BullAnimation::Entries(3);
  EXPECT_TRUE(std::equal(two.begin(), two.end(), three.begin(), three.end()));
  EXPECT_EQ(BullAnimation::Entries(4)[8], 8);
  EXPECT_EQ(BullAnimation::Entries(3)[8], 2);
  const char* expected[] = {"bull01", "bull02", "bull03", "bull03", "bull04", "bull05", "bull06"};
  for (int n = 0; n < 7; ++n) EXPECT_STREQ(BullAnimation::Sound(n), expected[n]) << n;
  EXPECT_EQ(BullAnimation::Sound(7), nullptr);
  // Every list ends in 0 or -1, and shows only the sixteen frames there are.
  for (int n = 0; n < BullAnimation::kCount; ++n) {
    const auto list = BullAnimation::Entries(n);
    ASSERT_FALSE(list.empty());
    EXPECT_TRUE(list.back() == 0 || list.back() == -1) << n;
    for (int entry : list) EXPECT_LE(entry, 16);
  }
  BullAnimation bull;
  EXPECT_FALSE(bull.Start(8));
  EXPECT_FALSE(bull.Start(-1));
  EXPECT_EQ(bull.Number(), BullAnimation::kIdle);
  EXPECT_TRUE(BullAnimation::Entries(8).empty());
}

}  // namespace
