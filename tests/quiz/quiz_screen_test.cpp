// The quiz screen's art as Activate builds it and Release frees it, the
// text area as the "next" hotspot, and a board with pictures missing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/button.h"
#include "gfx/button_group.h"
#include "gfx/sprite.h"
#include "quiz_run.h"

namespace {

using namespace quiz_test;
using quiz::QuizGame;

TEST(QuizScreen, ActivateBuildsTheBoardButtonsSpritesAreasAndCues) {
  GameDir dir;
  dir.WriteQuestions(NumberedQuestions(10, {true}));
  QuizRun run(dir);
  ASSERT_TRUE(run.started);
  quiz::QuizScreen& screen = run.screen();
  EXPECT_EQ(screen.GetName(), "Verimoo");
  EXPECT_EQ(run.app.Screens().Current(), &screen);

  // The board is the redraw target, its clean copy the background.
  ASSERT_NE(screen.Board(), nullptr);
  ASSERT_NE(screen.CleanBoard(), nullptr);
  EXPECT_EQ(run.app.Context().redraw.GetTarget(), screen.Board()->GetSurface());
  EXPECT_EQ(run.app.Context().redraw.GetBackground(), screen.CleanBoard()->GetSurface());

  struct Want {
    const char* name;
    int x, y, width, height;
    size_t images;
  };
  const Want buttons[] = {{"newgame", 10, 520, 90, 70, 2}, {"info", 104, 520, 90, 70, 2},
                          {"menu", 610, 520, 90, 70, 2},   {"exit", 704, 520, 90, 70, 2},
                          {"true", 212, 479, 120, 110, 2}, {"false", 476, 479, 120, 110, 2},
                          {"pass", 350, 479, 120, 110, 2}, {"next", 164, 244, 466, 168, 0}};
  ASSERT_EQ(screen.Buttons().Count(), std::size(buttons));
  for (size_t i = 0; i < std::size(buttons); ++i) {
    const gfx::Button& b = *screen.Buttons().At(i);
    EXPECT_EQ(b.Name(), buttons[i].name);
    const platform::Rect r = b.DrawRect();
    EXPECT_EQ(r, (platform::Rect{buttons[i].x, buttons[i].y, buttons[i].x + buttons[i].width,
                                 buttons[i].y + buttons[i].height}))
        << b.Name();
    EXPECT_EQ(b.ImageCount(), buttons[i].images) << b.Name();
  }

  const gfx::Sprite& stamp = *screen.TruthStamp();
  EXPECT_EQ(stamp.FrameCount(), 2);
  EXPECT_EQ(stamp.X(), 345.0f);
  EXPECT_EQ(stamp.Y(), 254.0f);
  EXPECT_EQ(screen.Flower()->FrameCount(), 1);
  EXPECT_EQ(screen.Bull()->FrameCount(), 16);
  EXPECT_EQ(screen.Bull()->Width(), 415);
  EXPECT_EQ(screen.Bull()->Height(), 251);
  EXPECT_EQ(screen.TimerBar()->FrameCount(), 1);
  // The digits keep the whole strip's width; the rungs are one tile wide.
  EXPECT_EQ(screen.ScoreDigits()->FrameCount(), 10);
  EXPECT_EQ(screen.ScoreDigits()->Width(), screen.ScoreDigits()->Frame(0)->width() * 10);
  for (const gfx::Sprite* tiles : {screen.LadderTiles(), screen.LitLadderTiles()}) {
    EXPECT_EQ(tiles->FrameCount(), 10);
    EXPECT_EQ(tiles->Width(), tiles->Frame(0)->width());
  }

  const gfx::ScreenImage* areas[] = {&screen.PanelArea(), &screen.QuestionArea(),
                                     &screen.AnswerArea()};
  const char* names[] = {"panel", "question", "answer"};
  const int rects[][4] = {{2, 70, 150, 442}, {164, 244, 466, 168}, {164, 244, 466, 168}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(areas[i]->Name(), names[i]);
    EXPECT_EQ(areas[i]->GetSurface(), nullptr);
    EXPECT_EQ(
        (std::vector<int>{areas[i]->X(), areas[i]->Y(), areas[i]->Width(), areas[i]->Height()}),
        (std::vector<int>(rects[i], rects[i] + 4)));
  }

  // Seventeen cues, in their order, with the engine's ids from 10 on.
  const char* cues[] = {"bell",     "hammer", "neg",    "pos",    "neutral", "drop",
                        "poschart", "wrong",  "check",  "bling",  "cheer",   "bull01",
                        "bull02",   "bull03", "bull04", "bull05", "bull06"};
  EXPECT_EQ(run.bank().CueCount(), std::size(cues));
  for (size_t i = 0; i < std::size(cues); ++i) {
    const sound::SoundCue* cue = run.bank().Find(cues[i]);
    ASSERT_NE(cue, nullptr) << cues[i];
    EXPECT_EQ(cue->id, 10u + i) << cues[i];
  }

  // Release (at shutdown) frees the art and every cue.
  run.backend.close();
  run.frames(5);
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(screen.Bull(), nullptr);
  EXPECT_EQ(screen.ScoreDigits(), nullptr);
  EXPECT_EQ(screen.Board(), nullptr);
  EXPECT_EQ(screen.Buttons().Count(), 0u);
  EXPECT_EQ(run.game().Store().RecordCount(), 0);
}

TEST(QuizScreen, TheWholeTextAreaAndNothingElseLeavesTheExplanation) {
  GameDir dir;
  const std::string text = QuestionFileText(NumberedQuestions(20, {true, false}));
  WriteText(dir.file("Verimoo.txt"), text);
  QuizRun run(dir);
  Player player(run, text);
  for (Point inside : {Point{164, 244}, Point{629, 411}, Point{629, 244}, Point{164, 411}}) {
    player.Answer(Move::kPass);
    ASSERT_TRUE(run.waitForState(QuizGame::kExplanation));
    for (Point outside : {Point{163, 300}, Point{630, 300}, Point{400, 243}, Point{400, 412}}) {
      run.click(outside);
      EXPECT_EQ(run.state(), QuizGame::kExplanation) << outside.x << "," << outside.y;
    }
    run.click(inside);
    EXPECT_EQ(run.state(), QuizGame::kNewQuestion) << inside.x << "," << inside.y;
  }
}

TEST(QuizScreen, MissingPicturesLeaveAPlayableGame) {
  GameDir dir;
  const std::string text = QuestionFileText(NumberedQuestions(20, {true, false}));
  WriteText(dir.file("Verimoo.txt"), text);
  fs::remove(dir.file("title/HowToPlay.bmp"));
  fs::remove(dir.file("bullanim.bmp"));
  fs::remove(dir.file("background.bmp"));
  fs::remove(dir.file("sounds/bell.wav"));
  QuizRun run(dir);
  ASSERT_TRUE(run.started);
  Player player(run, text);
  // Without a rules picture there is nothing to click away: it is passed over.
  ASSERT_TRUE(run.waitForState(QuizGame::kWaiting));
  run.click(kInfo);
  EXPECT_EQ(run.picturePasses(quiz::Picture::kRules), 0);
  EXPECT_EQ(run.state(), QuizGame::kWaiting);
  EXPECT_FALSE(run.app.Clock().ClockRunning());
  // A missing cue is silent, the rest still play; the game goes on.
  const size_t before = run.cues.size();
  player.Answer(Move::kRight);
  ASSERT_EQ(run.cueNames(before),
            (std::vector<std::string>{"bell", "poschart", "bull01", "check"}));
  EXPECT_EQ(run.cues[before].sampleId, 0u);
  EXPECT_NE(run.cues[before + 1].sampleId, 0u);
  EXPECT_EQ(run.game().GetScore(), 125);
  player.Next();
  run.app.Clock().SetGameClock(0);
  run.frame();
  EXPECT_EQ(run.state(), QuizGame::kNoGame);
  EXPECT_FALSE(run.ended);
}

}  // namespace
