// A game played with the question file that ships with the quiz: the
// scripted player reads every answer from that file and follows a plan of
// right, wrong and passed answers; the score, the cues in their order and
// the high-score file are worked out from the rules alongside.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "quiz_run.h"

namespace {

using namespace quiz_test;
using quiz::QuizGame;

constexpr std::array<int, 10> kRungs = {125,  250,   500,   1000,  2000,
                                        5000, 10000, 25000, 50000, 100000};

// What the rules make of each move: score, ladder, streak and cues.
struct Model {
  int score = 0, level = 0, streak = 0;
  std::vector<std::string> cues;

  void Apply(Move move) {
    if (move == Move::kRight) {
      score += kRungs[size_t(level)];
      cues.insert(cues.end(), {"bell", "poschart"});
      if (level == 9)
        cues.insert(cues.end(), {"cheer", "bull02"});
      else
        cues.push_back("bull01");
      level = std::min(level + 1, 9);
      cues.push_back("check");
      ++streak;
    } else if (move == Move::kWrong) {
      cues.insert(cues.end(), {"drop", streak == 2 ? "bull04" : "bull03"});
      level = 0;
      streak = 0;
    } else {
      cues.push_back("bull05");
      streak = 0;
    }
  }
  void LeaveExplanation() {
    if (streak == 3) {
      cues.push_back("bling");
      streak = 0;
    }
  }
};

// The same game with the mouse, the keyboard alone and a controller alone.
class QuizRealFile : public ::testing::TestWithParam<Input> {};

TEST_P(QuizRealFile, APlannedGameWithTheShippedQuestions) {
  GameDir dir;
  const std::string text = [&] {
    const std::vector<uint8_t> bytes = ReadBytes(dir.file("Verimoo.txt"));
    return std::string(bytes.begin(), bytes.end());
  }();
  ASSERT_GT(AnswerKey(text).size(), 100u);
  QuizRun run(dir, "", 2024);
  ASSERT_TRUE(run.started);
  run.input = GetParam();
  Player player(run, text);
  Model model;

  // Eleven right (the top rung twice, three bonuses), then a mixed run.
  std::vector<Move> plan(11, Move::kRight);
  const Move mixed[] = {Move::kRight, Move::kRight, Move::kWrong, Move::kPass, Move::kRight,
                        Move::kWrong, Move::kRight, Move::kPass,  Move::kWrong};
  while (plan.size() < 40) plan.push_back(mixed[plan.size() % std::size(mixed)]);

  std::vector<std::string> statements;
  for (size_t q = 0; q < plan.size(); ++q) {
    SCOPED_TRACE("question " + std::to_string(q));
    ASSERT_TRUE(run.waitForState(QuizGame::kWaiting));
    ASSERT_TRUE(player.Known()) << run.shownStatement();
    statements.push_back(run.shownStatement());
    run.frames(40 + int(q % 5) * 10);  // thinking
    player.Answer(plan[q]);
    model.Apply(plan[q]);
    ASSERT_EQ(run.game().GetScore(), model.score);
    ASSERT_EQ(run.game().LadderLevel(), model.level);
    ASSERT_TRUE(run.waitForState(QuizGame::kExplanation));
    if (q % 8 == 5) {
      ASSERT_TRUE(run.runUntil([&] { return run.state() == QuizGame::kNewQuestion; }, 1100));
    } else {
      run.frames(25);
      player.Next();
    }
    model.LeaveExplanation();
    ASSERT_EQ(run.game().Streak(), model.streak);
  }
  EXPECT_EQ(run.cueNames(), model.cues);
  // Forty draws from the whole file did not repeat a statement.
  std::sort(statements.begin(), statements.end());
  EXPECT_EQ(std::adjacent_find(statements.begin(), statements.end()), statements.end());

  // The last seconds run out while a statement waits.
  ASSERT_TRUE(run.waitForState(QuizGame::kWaiting));
  run.app.Clock().SetGameClock(3);
  ASSERT_TRUE(run.runUntil([&] { return run.state() == QuizGame::kNoGame; }, 400));
  model.cues.push_back("bull06");
  EXPECT_EQ(run.cueNames(), model.cues);
  EXPECT_GT(run.picturePasses(quiz::Picture::kHallOfFame), 90);

  std::vector<uint8_t> expected(4 + 20 * 260, 0);
  expected[0] = 20;
  const std::string entry = "Player1:::Y";
  std::copy(entry.begin(), entry.end(), expected.begin() + 4);
  for (int i = 0; i < 4; ++i) expected[260 + size_t(i)] = uint8_t(uint32_t(model.score) >> (8 * i));
  EXPECT_EQ(ReadBytes(dir.file("hiscore.dat")), expected);

  // A new game the same way.
  run.use(Control::kNewGame);
  EXPECT_TRUE(run.waitForState(QuizGame::kWaiting, 20));
}

INSTANTIATE_TEST_SUITE_P(EveryInput, QuizRealFile,
                         ::testing::Values(Input::kMouse, Input::kKeys, Input::kPad), InputName);

}  // namespace
