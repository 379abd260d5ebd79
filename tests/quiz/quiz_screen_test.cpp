// The quiz screen's art as Activate builds it and Release frees it, and a
// board with pictures missing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/button_group.h"
#include "gfx/sprite.h"
#include "quiz_run.h"

namespace {

using namespace quiz_test;
using quiz::QuizGame;

// The board is drawn on and restored from its clean copy; Release (at
// shutdown) frees the art, the buttons, the cues and the questions.
TEST(QuizScreen, ActivateDrawsOnTheBoardAndReleaseFreesEverything) {
  GameDir dir;
  dir.WriteQuestions(NumberedQuestions(10, {true}));
  QuizRun run(dir);
  ASSERT_TRUE(run.started);
  quiz::QuizScreen& screen = run.screen();
  EXPECT_EQ(run.app.Screens().Current(), &screen);
  ASSERT_NE(screen.Board(), nullptr);
  EXPECT_EQ(run.app.Context().redraw.GetTarget(), screen.Board()->GetSurface());
  EXPECT_EQ(run.app.Context().redraw.GetBackground(), screen.CleanBoard()->GetSurface());
  EXPECT_GT(run.bank().CueCount(), 0u);
  run.backend.close();
  run.frames(5);
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(screen.Bull(), nullptr);
  EXPECT_EQ(screen.ScoreDigits(), nullptr);
  EXPECT_EQ(screen.Board(), nullptr);
  EXPECT_EQ(screen.Buttons().Count(), 0u);
  EXPECT_EQ(run.bank().CueCount(), 0u);
  EXPECT_EQ(run.game().Store().RecordCount(), 0);
}

TEST(QuizScreen, MissingPicturesLeaveAPlayableGame) {
  GameDir dir;
  dir.WriteQuestions(NumberedQuestions(20, {true, false}));
  fs::remove(dir.file("title/HowToPlay.bmp"));
  fs::remove(dir.file("bullanim.bmp"));
  fs::remove(dir.file("background.bmp"));
  fs::remove(dir.file("sounds/bell.wav"));
  QuizRun run(dir);
  ASSERT_TRUE(run.started);
  // Without a rules picture there is nothing to click away: it is passed over.
  ASSERT_TRUE(run.waitForState(QuizGame::kWaiting));
  run.click(kInfo);
  EXPECT_EQ(run.picturePasses(quiz::Picture::kRules), 0);
  EXPECT_EQ(run.state(), QuizGame::kWaiting);
  EXPECT_FALSE(run.app.Clock().ClockRunning());
  // A missing cue is silent, the rest still play; the game goes on.
  const size_t before = run.cues.size();
  run.answer(Move::kRight);
  ASSERT_EQ(run.cueNames(before),
            (std::vector<std::string>{"bell", "poschart", "bull01", "check"}));
  EXPECT_EQ(run.cues[before].sampleId, 0u);
  EXPECT_NE(run.cues[before + 1].sampleId, 0u);
  EXPECT_EQ(run.game().GetScore(), 125);
  run.next();
  run.runOut();
  EXPECT_EQ(run.state(), QuizGame::kNoGame);
  EXPECT_FALSE(run.ended);
}

}  // namespace
