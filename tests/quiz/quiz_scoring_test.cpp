// Whole games answered from the file's own answers: the score, the ladder,
// the bull and the cues against the rules of the game.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <string>
#include <vector>

#include "gfx/sprite.h"
#include "quiz_run.h"

namespace {

using namespace quiz_test;
using quiz::BullAnimation;
using quiz::QuizGame;
using Names = std::vector<std::string>;

constexpr std::array<int, 10> kRungs = {125,  250,   500,   1000,  2000,
                                        5000, 10000, 25000, 50000, 100000};

// The cues that reached the engine, each as the bank's sample of that name.
void ExpectCuesPlayed(QuizRun& run, size_t from) {
  for (size_t i = from; i < run.cues.size(); ++i) {
    const CueEvent& cue = run.cues[i];
    const sound::SoundCue* known = run.bank().Find(cue.name);
    ASSERT_NE(known, nullptr) << cue.name;
    EXPECT_EQ(cue.sampleId, known->id) << cue.name << " did not play";
    EXPECT_EQ(cue.volume, 65535) << cue.name;
    EXPECT_EQ(cue.pan, cue.name.rfind("bull", 0) == 0 ? 1 : 0) << cue.name;
  }
}

// Whether the board shows rungs 0 ... level and nothing above.
::testing::AssertionResult LadderShows(QuizRun& run, int level) {
  for (int rung = 0; rung < 10; ++rung) {
    const platform::Surface& tile = *run.screen().LadderTiles()->Frame(rung);
    const int top = 466 - 43 * rung;
    if (rung <= level ? !Shows(*run.target(), tile, 10, top)
                      : Pixels(*run.target(), 10, top, tile.width(), tile.height()) !=
                            Pixels(*run.clean(), 10, top, tile.width(), tile.height()))
      return ::testing::AssertionFailure() << "rung " << rung << " for level " << level;
  }
  return ::testing::AssertionSuccess();
}

// How many of the three streak slots show the flower.
int FlowersShown(QuizRun& run) {
  int shown = 0;
  for (int slot : {655, 697, 739}) shown += bool(Shows(*run.target(), *run.screen().Flower()->Frame(0), slot, 466));
  return shown;
}

class QuizScoring : public ::testing::Test {
 protected:
  void SetUp() override { dir_.WriteQuestions(NumberedQuestions(40, {true, false, false, true, true})); }
  GameDir dir_;
};

TEST_F(QuizScoring, RightAnswersClimbTheLadderAndTheTopRungPaysTwice) {
  QuizRun run(dir_);
  ASSERT_TRUE(run.started);
  int score = 0, level = 0, streak = 0;
  ASSERT_TRUE(run.waitForState(QuizGame::kWaiting));
  EXPECT_TRUE(LadderShows(run, 0));

  for (int answer = 1; answer <= 12; ++answer) {
    SCOPED_TRACE("answer " + std::to_string(answer));
    const size_t before = run.cues.size();
    run.answer(Move::kRight);
    const bool top = level == 9;
    score += kRungs[size_t(level)];
    level = std::min(level + 1, 9);
    streak += 1;
    EXPECT_EQ(run.game().GetScore(), score);
    EXPECT_EQ(run.game().LadderLevel(), level);
    EXPECT_EQ(run.game().Streak(), streak);
    EXPECT_EQ(run.state(), QuizGame::kRightPause);
    EXPECT_EQ(run.game().AnimationNumber(),
              top ? BullAnimation::kTopRungAnswer : BullAnimation::kRightAnswer);
    EXPECT_EQ(run.cueNames(before), top ? (Names{"bell", "poschart", "cheer", "bull02", "check"})
                                        : (Names{"bell", "poschart", "bull01", "check"}));
    ExpectCuesPlayed(run, before);

    // Half a second of blinking, a tenth to reveal, then the explanation.
    const uint32_t answered = run.now();
    ASSERT_TRUE(run.waitForState(QuizGame::kReveal));
    EXPECT_NEAR(run.now() - answered, 505, 5);
    ASSERT_TRUE(run.waitForState(QuizGame::kExplanation));
    EXPECT_EQ(FlowersShown(run), streak);

    const size_t beforeNext = run.cues.size();
    run.next();
    if (streak == 3) {
      EXPECT_EQ(run.cueNames(beforeNext), Names{"bling"});
      streak = 0;
    } else {
      EXPECT_TRUE(run.cueNames(beforeNext).empty());
    }
    EXPECT_EQ(run.game().Streak(), streak);
    EXPECT_TRUE(LadderShows(run, level));
  }
  // The bonuses kept the clock at its cap.
  EXPECT_NEAR(run.clock(), 175, 5);
}

TEST_F(QuizScoring, WrongAnswersAndPassesResetTheLadderAndTheStreakButKeepTheScore) {
  QuizRun run(dir_);
  int score = 0;
  // Right answers on the rungs given, each explanation left.
  auto rights = [&](std::initializer_list<int> rungs) {
    for (int rung : rungs) {
      run.answer(Move::kRight);
      score += kRungs[size_t(rung)];
      EXPECT_EQ(run.game().GetScore(), score);
      run.next();
    }
  };
  // A wrong answer or a pass: its cues and bull, the score kept, no streak.
  auto miss = [&](Move move, const Names& cues, int animation, int level) {
    const size_t before = run.cues.size();
    run.answer(move);
    EXPECT_EQ(run.cueNames(before), cues);
    ExpectCuesPlayed(run, before);
    EXPECT_EQ(run.game().AnimationNumber(), animation);
    EXPECT_EQ(run.game().GetScore(), score);
    EXPECT_EQ(run.game().LadderLevel(), level);
    EXPECT_EQ(run.game().Streak(), 0);
    EXPECT_EQ(run.state(), QuizGame::kReveal);
  };

  rights({0, 1});
  ASSERT_TRUE(run.waitForState(QuizGame::kWaiting));
  EXPECT_TRUE(LadderShows(run, 2));
  // Two right in a row: the angry bellow; the ladder falls to its foot.
  miss(Move::kWrong, {"drop", "bull04"}, BullAnimation::kWrongAfterTwo, 0);
  EXPECT_EQ(Pixels(*run.target(), 2, 70, 150, 442), Pixels(*run.clean(), 2, 70, 150, 442));
  run.next();
  EXPECT_TRUE(LadderShows(run, 0));

  // One right, then wrong: the plain snort.
  rights({0});
  miss(Move::kWrong, {"drop", "bull03"}, BullAnimation::kWrongAnswer, 0);
  run.next();

  // Wrong at the foot of the ladder: the panel is left as it is.
  ASSERT_TRUE(run.waitForState(QuizGame::kWaiting));
  const auto panel = Pixels(*run.target(), 2, 70, 150, 442);
  miss(Move::kWrong, {"drop", "bull03"}, BullAnimation::kWrongAnswer, 0);
  EXPECT_EQ(Pixels(*run.target(), 2, 70, 150, 442), panel);
  run.next();

  // A pass scores nothing and keeps the ladder.
  rights({0, 1});
  miss(Move::kPass, {"bull05"}, BullAnimation::kPass, 2);
  run.next();
  EXPECT_TRUE(LadderShows(run, 2));

  // After a pass, a wrong answer snorts even with two right before the pass.
  rights({2, 3});
  miss(Move::kPass, {"bull05"}, BullAnimation::kPass, 4);
  run.next();
  miss(Move::kWrong, {"drop", "bull03"}, BullAnimation::kWrongAnswer, 0);
  // No bonus was earned by these broken runs.
  for (const CueEvent& cue : run.cues) EXPECT_NE(cue.name, "bling");
}

TEST_F(QuizScoring, StreakBonusComesWhenTheThirdExplanationIsLeftAndStopsAtTheCap) {
  QuizRun run(dir_);
  for (int i = 0; i < 2; ++i) {
    run.answer(Move::kRight);
    run.next();
  }
  ASSERT_TRUE(run.waitForState(QuizGame::kWaiting));
  run.app.Clock().SetGameClock(100);
  run.answer(Move::kRight);
  // The third right answer itself buys nothing yet.
  EXPECT_NEAR(run.clock(), 99.5, 0.5);
  EXPECT_EQ(run.game().Streak(), 3);
  ASSERT_TRUE(run.waitForState(QuizGame::kExplanation));
  EXPECT_EQ(FlowersShown(run), 3);
  const int before = run.clock();
  const size_t cues = run.cues.size();
  run.next();
  // Twenty seconds, less a countdown step that may fall into the same frame.
  EXPECT_NEAR(run.clock(), before + 19.5, 0.5);
  EXPECT_EQ(run.cueNames(cues), Names{"bling"});
  EXPECT_EQ(run.game().Streak(), 0);
  run.frame();
  EXPECT_EQ(FlowersShown(run), 0);

  // The next three: the bonus comes with the explanation's time-out, and
  // 175 seconds become 180, not 195.
  for (int i = 0; i < 3; ++i) {
    if (i > 0) run.next();
    run.answer(Move::kRight);
  }
  ASSERT_TRUE(run.waitForState(QuizGame::kExplanation));
  run.frames(990);
  ASSERT_EQ(run.state(), QuizGame::kExplanation);
  run.app.Clock().SetGameClock(175);
  const size_t atTimeOut = run.cues.size();
  ASSERT_TRUE(run.runUntil([&] { return run.state() != QuizGame::kExplanation; }, 50));
  EXPECT_EQ(run.clock(), 180);
  EXPECT_EQ(run.cueNames(atTimeOut), Names{"bling"});
}

}  // namespace
