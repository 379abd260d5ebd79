// A planned game with the shipped question file: each move has its effect,
// forty draws never repeat a statement, and the time-out files the score.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "quiz_run.h"

namespace {

using namespace quiz_test;
using quiz::QuizGame;

// The same game with the mouse, the keyboard alone and a controller alone.
class QuizRealFile : public ::testing::TestWithParam<Input> {};

TEST_P(QuizRealFile, APlannedGameWithTheShippedQuestions) {
  GameDir dir;
  QuizRun run(dir, "", 2024);
  ASSERT_TRUE(run.started);
  run.input = GetParam();
  const Move mixed[] = {Move::kRight, Move::kRight, Move::kWrong, Move::kPass, Move::kRight,
                        Move::kWrong, Move::kRight, Move::kPass,  Move::kWrong};
  std::vector<const quiz::QuestionRecord*> statements;
  int rights = 0;
  for (size_t q = 0; q < 40; ++q) {
    SCOPED_TRACE("question " + std::to_string(q));
    const Move move = q < 11 ? Move::kRight : mixed[q % std::size(mixed)];
    ASSERT_TRUE(run.waitForState(QuizGame::kWaiting));
    if (q == 0) {  // no single controller press throws the running game away
      run.backend.pressPad(0, platform::kPadBack);
      run.frame();
      ASSERT_TRUE(run.launcher.launches.empty());
    }
    statements.push_back(run.game().Store().Current());
    const int score = run.game().GetScore(), level = run.game().LadderLevel();
    run.frames(40 + int(q % 5) * 10);  // thinking
    run.answer(move);
    rights += move == Move::kRight;
    EXPECT_EQ(run.game().GetScore() > score, move == Move::kRight);
    EXPECT_EQ(run.game().LadderLevel(), move == Move::kRight ? std::min(level + 1, 9)
                                        : move == Move::kWrong ? 0 : level);
    ASSERT_TRUE(run.waitForState(QuizGame::kExplanation));
    if (q % 8 == 5) {
      ASSERT_TRUE(run.runUntil([&] { return run.state() == QuizGame::kNewQuestion; }, 1100));
    } else {
      run.frames(25);
      run.next();
    }
  }
  EXPECT_EQ(std::count(run.timeline.begin(), run.timeline.end(), "bell"), rights);
  EXPECT_EQ(std::set(statements.begin(), statements.end()).size(), statements.size());

  // The last seconds run out while a statement waits.
  ASSERT_TRUE(run.waitForState(QuizGame::kWaiting));
  run.app.Clock().SetGameClock(3);
  ASSERT_TRUE(run.runUntil([&] { return run.state() == QuizGame::kNoGame; }, 400));
  EXPECT_EQ(run.cues.back().name, "bull06");
  EXPECT_GT(run.picturePasses(quiz::Picture::kHallOfFame), 90);
  EXPECT_EQ(ReadBytes(dir.file("hiscore.dat")), test_support::ScoreFile({{"Player1:::Y", run.game().GetScore()}}));

  // A new game the same way.
  run.use(Control::kNewGame);
  EXPECT_TRUE(run.waitForState(QuizGame::kWaiting, 20));
}

INSTANTIATE_TEST_SUITE_P(EveryInput, QuizRealFile,
                         ::testing::Values(Input::kMouse, Input::kKeys, Input::kPad), InputName);

}  // namespace
