// The course of whole quiz games: the explanation, the rules and the clock,
// the end of a game from any state, the high-score file, and the ways out.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "gfx/button.h"
#include "gfx/button_group.h"
#include "gfx/sprite.h"
#include "support/scoped_variable.h"
#include "platform/profile.h"
#include "quiz_run.h"
#include "sound/qv_sound.h"
#include "sound/sound_stream.h"

namespace {

using namespace quiz_test;
using quiz::BullAnimation;
using quiz::Picture;
using quiz::QuizGame;
using Names = std::vector<std::string>;

class QuizFlow : public ::testing::Test {
 protected:
  void SetUp() override {
    text_ = NumberedQuestions(30, {false, true, true});
    dir_.WriteQuestions(text_);
  }
  GameDir dir_;
  std::string text_;
};

TEST_F(QuizFlow, TheExplanationLeavesAfterTenSecondsOrAtOnceOnAClickOnTheText) {
  QuizRun run(dir_);
  run.answer(Move::kWrong);
  ASSERT_EQ(run.state(), QuizGame::kReveal);
  const uint32_t answered = run.now();
  ASSERT_TRUE(run.waitForState(QuizGame::kExplanation));
  const uint32_t shown = run.now();
  EXPECT_NEAR(shown - answered, 105.5, 5);  // after 100 ms, within a frame
  // The stamp tells the statement's truth.
  const gfx::Sprite& stamp = *run.screen().TruthStamp();
  run.frame();
  EXPECT_TRUE(Shows(*run.target(), *stamp.Frame(run.truth() ? 0 : 1), 345, 254));

  // Answer buttons mean nothing while the explanation shows.
  const size_t cues = run.cues.size();
  run.click(kTrue);
  run.click(kFalse);
  EXPECT_EQ(run.state(), QuizGame::kExplanation);
  EXPECT_EQ(run.cues.size(), cues);

  ASSERT_TRUE(run.runUntil([&] { return run.state() != QuizGame::kExplanation; }, 1100));
  EXPECT_EQ(run.state(), QuizGame::kNewQuestion);
  EXPECT_NEAR(run.now() - shown, 10005.5, 5);

  // A click on the text area does nothing while a statement waits...
  ASSERT_TRUE(run.waitForState(QuizGame::kWaiting));
  run.click(kNext);
  EXPECT_EQ(run.state(), QuizGame::kWaiting);
  // ...and leaves the explanation at once.
  run.answer(Move::kPass);
  ASSERT_TRUE(run.waitForState(QuizGame::kExplanation));
  run.frames(10);
  const uint32_t before = run.now();
  run.click(kNext);
  EXPECT_EQ(run.state(), QuizGame::kNewQuestion);
  EXPECT_EQ(run.now() - before, 20u);
  run.frame();
  EXPECT_EQ(run.state(), QuizGame::kWaiting);
  // The stamp went with the explanation.
  for (int look : {0, 1}) EXPECT_FALSE(Shows(*run.target(), *stamp.Frame(look), 345, 254));
}

TEST_F(QuizFlow, AHeldKeyAnswersOnlyTheStatementItWasPressedFor) {
  QuizRun run(dir_);
  ASSERT_TRUE(run.waitForState(QuizGame::kWaiting));
  const int key = run.truth() ? 20 : 33;  // T or F, whichever is right
  const auto held = [&] {
    run.backend.keyDown(key, 0, true);
    return false;
  };
  run.backend.keyDown(key);
  ASSERT_TRUE(run.runUntil([&] { return run.state() == QuizGame::kExplanation || held(); }, 200));
  run.backend.pressKey(57);  // Space goes on while the key stays down
  ASSERT_TRUE(run.runUntil([&] { return run.state() == QuizGame::kWaiting || held(); }, 200));
  for (int i = 0; i < 30; ++i) {
    held();
    run.frame();
  }
  EXPECT_EQ(run.state(), QuizGame::kWaiting);
  EXPECT_EQ(run.game().GetScore(), 125);
  EXPECT_EQ(std::count(run.timeline.begin(), run.timeline.end(), "bell"), 1);
}

TEST_F(QuizFlow, TheBullPlaysTheFramesOfItsAnimation) {
  QuizRun run(dir_);
  const gfx::Sprite& bull = *run.screen().Bull();
  ASSERT_EQ(bull.FrameCount(), 16);
  run.answer(Move::kPass);
  ASSERT_EQ(run.game().AnimationNumber(), BullAnimation::kPass);
  // Each step of the list reaches the board.
  int last = 0;
  for (int i = 0; i < 300 && last < 9; ++i) {
    run.frame();
    const int step = run.game().Animation().StepIndex();
    if (step == last) continue;
    last = step;
    const int frame = BullAnimation::Entries(BullAnimation::kPass)[size_t(step - 1)] - 1;
    EXPECT_TRUE(Shows(*run.target(), *bull.Frame(frame), 164, 14)) << "step " << step;
  }
  EXPECT_EQ(last, 9);
}

TEST_F(QuizFlow, TheRulesPictureStopsTheClockUntilTheNextStatementIsDrawn) {
  QuizRun run(dir_);
  ASSERT_TRUE(run.waitForState(QuizGame::kWaiting));
  run.frames(250);
  const int clock = run.clock();
  const auto question = Pixels(*run.target(), 164, 244, 466, 168);
  std::unique_ptr<platform::Surface> rules = run.app.Qv().LoadBitmap("title\\HowToPlay.bmp");
  ASSERT_NE(rules, nullptr);
  int passes = 0;
  bool shown = false, stopped = true;
  run.onPicture = [&](Picture picture, int pass) {
    ASSERT_EQ(picture, Picture::kRules);
    passes = pass;
    if (run.clock() != clock || run.app.Clock().ClockRunning()) stopped = false;
    if (pass == 20) shown = Shows(*run.backend.lastFrame(), *rules, 53, 18);
    if (pass == 300) run.backend.mouseDown(400, 300);
    if (pass == 302) run.backend.mouseUp(400, 300);
  };
  run.click(kInfo);
  run.onPicture = nullptr;
  EXPECT_TRUE(shown);
  EXPECT_TRUE(stopped);
  EXPECT_NEAR(passes, 303, 1);
  EXPECT_EQ(run.state(), QuizGame::kWaiting);
  // The board under the picture is whole again, the statement still there.
  EXPECT_EQ(Pixels(*run.target(), 164, 244, 466, 168), question);
  run.frames(300);
  EXPECT_EQ(run.clock(), clock);
  EXPECT_FALSE(run.app.Clock().ClockRunning());
  // Answering and going on draws the next statement, which starts the clock.
  run.answer(Move::kRight);
  run.next();
  EXPECT_FALSE(run.app.Clock().ClockRunning());
  run.frame();
  EXPECT_EQ(run.state(), QuizGame::kWaiting);
  EXPECT_TRUE(run.app.Clock().ClockRunning());
  run.frames(1000);
  EXPECT_LE(run.clock(), clock - 9);
}

TEST_F(QuizFlow, ClosingTheWindowWhileAPictureShowsEndsTheProgram) {
  QuizRun run(dir_);
  ASSERT_TRUE(run.waitForState(QuizGame::kWaiting));
  run.onPicture = [&](Picture, int pass) {
    if (pass == 5) run.backend.close();
  };
  run.click(kInfo);
  EXPECT_TRUE(run.ended);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_FALSE(run.backend.windowOpen());
  EXPECT_EQ(run.app.Trace().back(), "shut down sound");
  EXPECT_LE(run.picturePasses(Picture::kRules), 6);
}

TEST_F(QuizFlow, TheGameEndsWhenTheClockReachesZeroInEveryState) {
  QuizRun run(dir_);
  auto expectGameOver = [&](const char* where) {
    SCOPED_TRACE(where);
    const size_t cues = run.cues.size();
    const int overPasses = run.picturePasses(Picture::kGameOver);
    run.frame();
    EXPECT_EQ(run.state(), QuizGame::kNoGame);
    EXPECT_FALSE(run.app.Clock().ClockRunning());
    EXPECT_EQ(run.game().AnimationNumber(), BullAnimation::kGameOver);
    ASSERT_FALSE(run.cueNames(cues).empty());
    EXPECT_EQ(run.cueNames(cues).back(), "bull06");
    EXPECT_NEAR(run.picturePasses(Picture::kGameOver) - overPasses, 2, 1);
  };
  // Each state reached from a new game; the first is the loaded one.
  const std::function<void()> reach[] = {
      [] {},
      [] {},
      [&] { ASSERT_TRUE(run.waitForState(QuizGame::kWaiting)); },
      [&] { run.answer(Move::kRight); ASSERT_EQ(run.state(), QuizGame::kRightPause); },
      [&] { run.answer(Move::kWrong); ASSERT_EQ(run.state(), QuizGame::kReveal); },
      [&] { run.answer(Move::kPass); ASSERT_TRUE(run.waitForState(QuizGame::kExplanation)); },
  };
  ASSERT_EQ(run.state(), QuizGame::kLoaded);
  for (size_t i = 0; i < std::size(reach); ++i) {
    if (i > 0) {
      run.click(kNewGame);
      ASSERT_EQ(run.state(), QuizGame::kNewQuestion);
      EXPECT_EQ(run.clock(), 180);
      EXPECT_EQ(run.game().GetScore(), 0);
    }
    reach[i]();
    run.app.Clock().SetGameClock(0);
    expectGameOver(std::to_string(i).c_str());
  }

  // With no game the clock standing at 0 changes nothing.
  run.frames(100);
  EXPECT_EQ(run.state(), QuizGame::kNoGame);
  EXPECT_EQ(run.picturePasses(Picture::kGameOver), 12);
}

TEST_F(QuizFlow, AScoreThatEntersTheTableIsWrittenAndAnnounced) {
  dir_.WriteOptions(
      "[setup]\r\nmusic=N\r\nSFX=Y\r\nplayerid=1\r\n"
      "[Player2]\r\nname=Ann\r\naddress=1 Road\r\nemail=ann@example.org\r\nsend=N\r\n");
  QuizRun run(dir_);
  run.answer(Move::kRight);
  run.next();
  run.answer(Move::kRight);
  ASSERT_EQ(run.game().GetScore(), 375);
  ASSERT_TRUE(run.waitForState(QuizGame::kExplanation));

  std::unique_ptr<platform::Surface> notice = run.app.Qv().LoadBitmap("hallfamepop.bmp");
  std::unique_ptr<platform::Surface> over = run.app.Qv().LoadBitmap("gameover.bmp");
  ASSERT_TRUE(notice && over);
  bool noticeShown = false, overShown = false;
  uint32_t noticeStart = 0, noticeEnd = 0;
  run.onPicture = [&](Picture picture, int pass) {
    if (picture == Picture::kHallOfFame) {
      if (pass == 1) noticeStart = run.now();
      noticeEnd = run.now();
      // A click does not close the notice.
      if (pass == 10) run.backend.mouseDown(400, 300);
      if (pass == 12) run.backend.mouseUp(400, 300);
      if (pass == 50) noticeShown = Shows(*run.backend.lastFrame(), *notice, 200, 245);
    } else if (picture == Picture::kGameOver && pass == 2) {
      overShown = Shows(*run.backend.lastFrame(), *over, 175, 299);
    }
  };
  const size_t events = run.timeline.size();
  run.runOut();
  EXPECT_EQ(run.state(), QuizGame::kNoGame);
  EXPECT_TRUE(noticeShown);
  EXPECT_TRUE(overShown);
  EXPECT_NEAR(noticeEnd - noticeStart, 1000, 10);
  EXPECT_EQ(std::vector<std::string>(run.timeline.begin() + long(events), run.timeline.end()),
            (Names{"picture:hall of fame", "bull06", "picture:game over"}));
  EXPECT_EQ(ReadBytes(dir_.file("hiscore.dat")),
            test_support::ScoreFile({{"Ann:1 Road:ann@example.org:N", 375}}));
  EXPECT_EQ(run.game().HighScores().TopScore(), 375);

  // The next game shows it as the best; a score of 0 enters nothing, nor rewrites the file.
  run.click(kNewGame);
  ASSERT_TRUE(run.waitForState(QuizGame::kWaiting));
  const auto fileBefore = ReadBytes(dir_.file("hiscore.dat"));
  const auto written = fs::last_write_time(dir_.file("hiscore.dat"));
  const size_t noticePasses = size_t(run.picturePasses(Picture::kHallOfFame));
  run.onPicture = nullptr;
  run.runOut();
  EXPECT_EQ(run.state(), QuizGame::kNoGame);
  EXPECT_EQ(size_t(run.picturePasses(Picture::kHallOfFame)), noticePasses);
  EXPECT_EQ(ReadBytes(dir_.file("hiscore.dat")), fileBefore);
  EXPECT_EQ(fs::last_write_time(dir_.file("hiscore.dat")), written);  // not even rewritten
}

TEST_F(QuizFlow, AScoreThatCannotBeSavedIsToldOnceAndNotShownAsTheBest) {
  // A folder where the file should be: no write can replace it, root's neither.
  fs::create_directory(dir_.file("hiscore.dat"));
  QuizRun run(dir_);
  for (int game = 0; game < 2; ++game) {
    if (game == 1) run.click(kNewGame);
    run.answer(Move::kRight);
    run.runOut();
    EXPECT_EQ(run.state(), QuizGame::kNoGame);
    EXPECT_EQ(run.game().HighScores().TopScore(), 0);
  }
  EXPECT_EQ(run.picturePasses(Picture::kHallOfFame), 0);
  ASSERT_EQ(run.backend.messageBoxes().size(), 1u);
  const std::string& told = run.backend.messageBoxes()[0].text;
  EXPECT_NE(told.find("high scores could not be saved"), std::string::npos) << told;
  EXPECT_NE(told.find("Is a directory"), std::string::npos) << told;
}

TEST_F(QuizFlow, AnInstalledGameKeepsItsScoresInThePlayersOwnFolder) {
  test_support::ScratchDir data;
  test_support::ScopedVariable xdg("XDG_DATA_HOME", data.path().c_str());
  WriteText(dir_.launcher() / "pavlora.installed", "");
  {
    QuizRun run(dir_);
    run.answer(Move::kRight);
    run.runOut();
    EXPECT_EQ(run.state(), QuizGame::kNoGame);
  }
  EXPECT_FALSE(fs::exists(dir_.file("hiscore.dat")));
  EXPECT_EQ(ReadBytes(data / "pavlora/Verimoo/hiscore.dat"), test_support::ScoreFile({{"Player1:::Y", 125}}));
  QuizRun next(dir_);
  ASSERT_TRUE(next.waitForState(QuizGame::kWaiting));
  EXPECT_EQ(next.game().HighScores().TopScore(), 125);
}

TEST_F(QuizFlow, AFullGameRunsOutAfterThreeMinutesAndTheNewGameButtonBlinks) {
  QuizRun run(dir_);
  ASSERT_TRUE(run.waitForState(QuizGame::kWaiting));
  const uint32_t start = run.now();
  ASSERT_TRUE(run.runUntil([&] { return run.state() == QuizGame::kNoGame; }, 18200));
  const uint32_t lasted = run.now() - start;
  EXPECT_NEAR(lasted, 179550, 550);
  EXPECT_FALSE(fs::exists(dir_.file("hiscore.dat")));
  EXPECT_EQ(run.picturePasses(Picture::kHallOfFame), 0);

  // The bar is full: the whole gauge shows the time picture.
  const gfx::Sprite& bar = *run.screen().TimerBar();
  EXPECT_TRUE(Shows(*run.target(), *bar.Frame(0), 649, 74));

  // Idle, "newgame" alternates its two looks every 500 ms (and a bit).
  gfx::Button& button = *run.screen().Buttons().Find("newgame");
  const platform::Surface& normal = *button.Image(0);
  const platform::Surface& lit = *button.Image(1);
  std::vector<uint32_t> flips;
  int offset = button.ImageOffset();
  for (int i = 0; i < 320; ++i) {
    run.frame();
    if (button.ImageOffset() != offset) {
      offset = button.ImageOffset();
      flips.push_back(run.now());
    }
    const platform::Surface& look = offset == 1 ? lit : normal;
    ASSERT_TRUE(Shows(*run.backend.lastFrame(), look, 10, 520)) << "frame " << i;
  }
  ASSERT_GE(flips.size(), 5u);
  for (size_t i = 1; i < flips.size(); ++i) EXPECT_EQ(flips[i] - flips[i - 1], 510u);

  // The rules read on the idle board bring back no text (below the bull).
  run.readRules();
  ASSERT_GE(run.picturePasses(Picture::kRules), 5);
  EXPECT_EQ(Pixels(*run.target(), 164, 266, 466, 146), Pixels(*run.clean(), 164, 266, 466, 146));

  // "newgame" starts again with a full clock and its plain look.
  run.click(kNewGame);
  EXPECT_EQ(button.ImageOffset(), 0);
  EXPECT_EQ(run.state(), QuizGame::kNewQuestion);
  EXPECT_EQ(run.clock(), 180);
  EXPECT_TRUE(run.app.Clock().ClockRunning());
  ASSERT_TRUE(run.waitForState(QuizGame::kWaiting));
  run.frames(5);
  EXPECT_FALSE(Shows(*run.backend.lastFrame(), *run.app.Qv().LoadBitmap("gameover.bmp"), 175, 299));
}

TEST_F(QuizFlow, TheTimeBarFillsUpwardAsTheClockRunsDown) {
  QuizRun run(dir_);
  ASSERT_TRUE(run.waitForState(QuizGame::kWaiting));
  const gfx::Sprite& bar = *run.screen().TimerBar();
  const platform::Surface& picture = *bar.Frame(0);
  const int w = bar.Width(), h = bar.Height();
  for (int left : {180, 135, 90, 1}) {
    run.app.Clock().SetGameClock(left);
    run.frame();
    const int filled = int(double(180 - run.clock()) / 180.0 * h);
    int mismatches = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const int source = y - (h - filled);  // row of the picture drawn here
        const bool inked = source >= 0 && picture.pixel16(x, source) != picture.colourKey()->low;
        mismatches += run.target()->pixel16(649 + x, 74 + y) !=
                      (inked ? picture.pixel16(x, source) : run.clean()->pixel16(649 + x, 74 + y));
      }
    EXPECT_EQ(mismatches, 0) << left << " seconds left";
  }
}

TEST_F(QuizFlow, TenDigitScoresShowWholeInsideTheirBoxes) {
  QuizRun run(dir_);
  std::vector<uint16_t> boxes[2];  // the best and the score as last shown
  // Only the first digit differs between the two, so it must show.
  for (const int32_t value : {1147483647, 2147483647}) {
    WriteText(dir_.file("hiscore.dat"), test_support::ScoreFile({{"Max", value}}));
    run.click(kNewGame);
    ASSERT_TRUE(run.waitForState(QuizGame::kWaiting));
    run.game().SetScore(value);
    run.frame();
    for (int i = 0; i < 2; ++i) {
      const auto shown = Pixels(*run.target(), i ? 650 : 10, 10, 136, 34);
      EXPECT_NE(shown, boxes[i]) << value;
      boxes[i] = shown;
    }
    // The band of the two boxes is untouched outside them.
    for (const auto& [x, w] : {std::pair{0, 10}, {146, 18}, {580, 70}, {786, 14}})
      EXPECT_EQ(Pixels(*run.target(), x, 10, w, 34), Pixels(*run.clean(), x, 10, w, 34)) << x;
  }
}

TEST_F(QuizFlow, TheF1ReadOutLeavesNoTraceWhenTurnedOff) {
  QuizRun run(dir_);
  ASSERT_TRUE(run.waitForState(QuizGame::kWaiting));
  for (const bool shown : {true, false}) {
    run.backend.pressKey(59, platform::VK_F1);
    run.frames(3);
    const auto readOut = Pixels(*run.backend.lastFrame(), 580, 0, 60, 10);
    EXPECT_EQ(readOut != Pixels(*run.clean(), 580, 0, 60, 10), shown);
  }
}

TEST_F(QuizFlow, MenuStartsTheLauncherFromItsDirectoryAndQuits) {
  {
    // A launcher that cannot start is reported, and the game goes on.
    QuizRun run(dir_, dir_.launcher().string());
    ASSERT_TRUE(run.waitForState(QuizGame::kWaiting));
    run.launcher.fail = true;
    run.click(kMenu);
    run.frames(10);
    EXPECT_FALSE(run.ended);
    EXPECT_EQ(run.state(), QuizGame::kWaiting);
    ASSERT_EQ(run.backend.messageBoxes().size(), 1u);
    EXPECT_NE(run.backend.messageBoxes()[0].text.find((dir_.launcher() / "Pavlora").string()),
              std::string::npos);
    run.launcher.fail = false;
    run.click(kMenu);
    EXPECT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_EQ(run.launcher.launches.size(), 2u);
    const auto& launch = run.launcher.launches[1];
    EXPECT_EQ(launch.program, (dir_.launcher() / "Pavlora").string());
    EXPECT_EQ(launch.argument, "Verimoo");
    EXPECT_EQ(launch.directory, dir_.launcher().string());
  }
  {
    // Without a launcher directory "menu" does nothing.
    QuizRun run(dir_, "");
    ASSERT_TRUE(run.waitForState(QuizGame::kWaiting));
    run.click(kMenu);
    run.frames(10);
    EXPECT_FALSE(run.ended);
    EXPECT_EQ(run.state(), QuizGame::kWaiting);
    // "exit" ends the program without starting anything.
    run.click(kExit);
    EXPECT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.launcher.launches.empty());
  }
}

TEST_F(QuizFlow, WithoutAnyQuestionTheBoardSaysSoAndWaits) {
  for (const char* content : {static_cast<const char*>(nullptr), "", "\r\n\r\n\r\n",
                              "A statement with no explanation.\r\nTRUE\r\n\r\n"}) {
    SCOPED_TRACE(content ? "file: \"" + std::string(content) + "\"" : "no file");
    content ? dir_.WriteQuestions(content) : void(fs::remove(dir_.file("Verimoo.txt")));
    ::testing::internal::CaptureStderr();
    {
      QuizRun run(dir_, dir_.launcher().string());
      run.frames(300);
      EXPECT_EQ(run.state(), QuizGame::kWaiting);
      EXPECT_EQ(run.game().Store().Current(), nullptr);
      EXPECT_EQ(run.clock(), 180);
      // The question panel says that nothing was found.
      const auto notice = Pixels(*run.target(), 164, 266, 466, 146);
      EXPECT_NE(notice, Pixels(*run.clean(), 164, 266, 466, 146));
      for (Point p : {kTrue, kFalse, kPass, kNext}) run.click(p);
      EXPECT_EQ(run.state(), QuizGame::kWaiting);
      for (const CueEvent& cue : run.cues) EXPECT_EQ(cue.name.rfind("bull", 0), 0u) << cue.name;
      // A new game reads the file again and finds nothing either.
      run.click(kNewGame);
      run.frames(100);
      EXPECT_EQ(run.state(), QuizGame::kWaiting);
      // The rules can still be read.
      run.readRules();
      EXPECT_GE(run.picturePasses(Picture::kRules), 5);
      EXPECT_FALSE(run.ended);
      EXPECT_EQ(Pixels(*run.target(), 164, 266, 466, 146), notice);
      run.click(kMenu);
      EXPECT_TRUE(run.ended);
      EXPECT_EQ(run.launcher.launches.size(), 1u);
    }
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("Verimoo.txt"), std::string::npos) << said;
    EXPECT_EQ(said.find("Verimoo.txt"), said.rfind("Verimoo.txt")) << said;  // told once
  }
}

bool MusicPlaying(QuizRun& run) {
  const sound::SNDStream* stream = run.app.Sound().Engine().GetStreamInfoPtr();
  return stream && (stream->flags.load() & sound::kStreamPlaying) != 0;
}

TEST_F(QuizFlow, OptionsGiveTheTitleAndTheSoundSwitches) {
  dir_.WriteOptions("[setup]\r\nmusic=N\r\nSFX=N\r\nplayerid=2\r\n[Player3]\r\nname=Zed\r\n");
  {
    QuizRun run(dir_);
    EXPECT_EQ(run.backend.title(), "Verimoo - Zed");
    EXPECT_EQ(run.app.Sound().Engine().SFXEnabled(), 0);
    EXPECT_EQ(run.app.Sound().Engine().MusicEnabled(), 0);
    EXPECT_FALSE(MusicPlaying(run));
    // The player chosen in the launcher meanwhile shows from the next game on.
    dir_.WriteOptions("[setup]\r\nmusic=N\r\nSFX=N\r\nplayerid=4\r\n");
    run.frames(3);
    run.click(kNewGame);
    EXPECT_EQ(run.backend.title(), "Verimoo - Player5");
    EXPECT_EQ(run.game().GetPlayerIndex(), 4);
  }
  GameDir withMusic(true);
  withMusic.WriteOptions("[setup]\r\nmusic=Y\r\nSFX=Y\r\n");
  withMusic.WriteQuestions(text_);
  WriteText(withMusic.file("setup.ini"), "[setup]\r\nfullscreen=1\r\nscale=sharp\r\n");
  QuizRun run(withMusic);
  EXPECT_EQ(run.backend.title(), "Verimoo - Player1");
  EXPECT_EQ(run.app.Sound().Engine().MusicEnabled(), 1);
  EXPECT_TRUE(MusicPlaying(run));

  // The screen as the player left it, switched by Alt+Return and F11 (held, once).
  EXPECT_TRUE(run.backend.windowConfig().fullscreen);
  EXPECT_TRUE(run.backend.windowConfig().sharpScale);
  const auto setting = [&] {
    return platform::GetProfileString("setup", "fullscreen", "", withMusic.file("setup.ini"));
  };
  platform::Message altReturn{platform::WM_SYSKEYDOWN, platform::VK_RETURN, 0};
  run.backend.post(altReturn);
  run.frame();
  EXPECT_FALSE(run.backend.windowConfig().fullscreen);
  EXPECT_EQ(setting(), "0");
  run.backend.keyDown(0x57, platform::VK_F11);
  run.backend.keyDown(0x57, platform::VK_F11, true);
  run.frame();
  EXPECT_TRUE(run.backend.windowConfig().fullscreen);
  EXPECT_EQ(setting(), "1");
}

}  // namespace
