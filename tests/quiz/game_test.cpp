#include "quiz/game.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <vector>

#include "quiz/bull_animation.h"
#include "quiz_run.h"

namespace {

using quiz::BullAnimation;
using quiz::Game;

std::string LittleEndian(const std::vector<int32_t>& values) {
  std::string bytes;
  for (int32_t v : values)
    for (int i = 0; i < 4; ++i) bytes.push_back(char(uint32_t(v) >> (8 * i)));
  return bytes;
}

// The bests come from the first forty bytes, as far as the file holds them;
// the quiz's high-score file is never written over or created.
TEST(BestsFile, ReadsWhatTheFileHoldsAndNeverWritesIt) {
  const test_support::ScratchDir dir;
  const std::string path = dir.file("hiscore.dat");
  Game game(path);
  game.SetBest(77);
  EXPECT_EQ(game.ReadBests(), 0) << "missing file";
  std::vector<int32_t> values;
  for (int i = 0; i < 12; ++i) values.push_back(1000 * (i + 1) + (i % 2 ? -5 : 5));
  values[3] = -42;
  const std::string whole = dir.write("hiscore.dat", LittleEndian(values));
  for (int player : {0, 3, 9, 10, -1}) {
    game.SetPlayerIndex(player);
    const int32_t best = player >= 0 && player < 10 ? values[size_t(player)] : 0;
    EXPECT_EQ(game.ReadBests(), best) << player;
    EXPECT_EQ(game.GetBest(), best) << player;
  }
  dir.write("hiscore.dat", LittleEndian({321, 654, 0x7FFF7FFF}).substr(0, 10));
  game.SetPlayerIndex(1);
  EXPECT_EQ(game.ReadBests(), 654);
  EXPECT_EQ(game.Bests(2), 0x7FFF);  // the two bytes the file had
  for (int i = 3; i < Game::kBestsCount; ++i) EXPECT_EQ(game.Bests(i), 0) << i;
  const std::string before = dir.read("hiscore.dat");
  game.SetBest(999);
  EXPECT_EQ(game.WriteBests(), 0);
  EXPECT_EQ(game.Bests(1), 999);
  EXPECT_EQ(dir.read("hiscore.dat"), before);
  std::filesystem::remove(path);
  game.WriteBests();
  EXPECT_FALSE(std::filesystem::exists(path));
}

// Each step shows frame k - 1 of an entry k; a list ends on 0 (no frame
// drawn, the step stays there) or starts again at -1.
TEST(BullAnimation, ListsEndOnTheirLastFrameOrStartAgain) {
  BullAnimation bull;
  for (int n = 0; n < BullAnimation::kCount; ++n) {
    SCOPED_TRACE(n);
    const auto list = BullAnimation::Entries(n);
    ASSERT_TRUE(bull.Start(n));
    std::vector<int> shown;
    for (size_t i = 0; i < list.size() + 2; ++i) shown.push_back(bull.Step());
    for (size_t i = 0; i + 1 < list.size(); ++i) {
      EXPECT_NEAR(list[i], 8.5, 7.5);  // a frame of the sixteen
      EXPECT_EQ(shown[i], list[i] - 1);
    }
    if (list.back() == 0) {
      EXPECT_EQ(shown[list.size() - 1], BullAnimation::kNoFrame);
      EXPECT_EQ(shown.back(), BullAnimation::kNoFrame);
      EXPECT_EQ(bull.StepIndex(), int(list.size()) - 1);
    } else {
      ASSERT_EQ(list.back(), -1);
      EXPECT_EQ(shown[list.size() - 1], list[0] - 1);
      EXPECT_EQ(bull.StepIndex(), 3);
    }
    EXPECT_EQ(BullAnimation::Sound(n) == nullptr, n == BullAnimation::kIdle);
  }
  // Starting again begins from the first entry, whatever ran before; a
  // number without a list is refused and changes nothing.
  ASSERT_TRUE(bull.Start(BullAnimation::kPass));
  EXPECT_EQ(bull.Step(), BullAnimation::Entries(BullAnimation::kPass)[0] - 1);
  for (int n : {BullAnimation::kCount, -1}) EXPECT_FALSE(bull.Start(n)) << n;
  EXPECT_EQ(bull.Number(), BullAnimation::kPass);
  EXPECT_TRUE(BullAnimation::Entries(BullAnimation::kCount).empty());
}

}  // namespace
