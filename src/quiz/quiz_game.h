// The quiz's rules: a game lasts as long as its clock runs; the player
// judges statements true or false or passes, climbs a ten-rung ladder of
// points, earns seconds for three right answers in a row, and the bull
// reacts to every answer. At the end the score may enter the high-score
// table.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "players/high_score_table.h"
#include "players/player_roster.h"
#include "players/save_notice.h"
#include "quiz/bull_animation.h"
#include "quiz/game.h"
#include "quiz/question_store.h"
#include "quiz/quiz_pictures.h"
#include "quiz/quiz_random.h"

namespace gfx { struct Context; class Sprite; }
namespace platform { class ProgramLauncher; }
namespace shell { struct Press; class WindowTitle; }

namespace quiz {

class CuePlayer;
class QuizScreen;

class QuizGame : public Game {
 public:
  enum State {
    kNoGame = 0,
    kLoaded = 1,
    kNewQuestion = 20,
    kWaiting = 21,
    kReveal = 22,
    kExplanation = 23,
    kRightPause = 24,
  };
  static constexpr int kTopLevel = 9;
  static constexpr int kTimeLimit = 180;
  static constexpr int kBonusSeconds = 20;
  static constexpr int kTimeCap = 180;
  static constexpr std::array<int32_t, 10> kRungValues = {125,  250,   500,   1000,  2000,
                                                          5000, 10000, 25000, 50000, 100000};
  static constexpr const char* kOptionsFile = "..\\options.ini";
  static constexpr const char* kQuestionFile = "Verimoo.txt";
  static constexpr const char* kHighScoreFile = "hiscore.dat";
  static constexpr const char* kLauncherProgram = "Pavlora";

  // launcherDirectory: where "menu" finds the launcher (empty: "menu" does
  // nothing).
  // title shows the current player; launcher starts the launcher from "menu".
  QuizGame(gfx::Context& ctx, shell::WindowTitle& title, platform::ProgramLauncher& launcher,
           CuePlayer& cues, QuizRandom& random, std::string launcherDirectory);
  ~QuizGame() override;

  // The screen whose art the game draws with; set before the screen opens.
  void AttachScreen(QuizScreen& screen);

  // The launcher's program in launcherDirectory, which is not empty.
  static std::string LauncherProgram(const std::string& launcherDirectory);

  // Reads the questions, the player and the high scores and starts a game.
  void Load() override;
  // Frees the questions, their fonts and the running sprite copies.
  void Unload() override;
  // One frame: gfx::kKeepRunning or gfx::kEndProgram.
  int Update() override;

  int LadderLevel() const { return ladderLevel_; }
  int Streak() const { return streak_; }
  int AnimationNumber() const { return bull_.Number(); }
  const BullAnimation& Animation() const { return bull_; }
  const players::HighScoreTable& HighScores() const { return table_; }
  QuestionStore& Store() { return store_; }
  const QuestionStore& Store() const { return store_; }
  void SetPictureObserver(PictureObserver observer);

 private:
  // Shared steps of the rules.
  void StartAnimation(int number);
  void DrawLadder();
  void DrawFlowers();
  void ClearBoard();
  void ShowStatement();
  void ShowExplanation();
  void RedrawAfterPopup();
  // Reads the current player, shows the name in the window title, and
  // gives the high-score entry text when asked for it.
  std::string ReadCurrentPlayer(bool entryText);

  // Parts of the frame.
  void DrawScores();
  // Right-aligned to rightEdge, kept inside the score box from boxLeft.
  void DrawTimeBar();
  void StepBull();
  // False, after telling the player, when the launcher could not start.
  bool StartLauncher();
  int GameOver();
  void StateStep();
  void BlinkNewGame();
  void NewQuestion();
  void Waiting();
  void RightAnswer();
  void WrongAnswer();
  void RightPause();
  void Reveal();
  void Explanation();

  // Keys and controller buttons click the board's buttons.
  void HandlePresses();
  const char* ButtonFor(const shell::Press& press) const;
  bool Clicked(const char* name) const;
  uint32_t Now() const;
  uint32_t Since(uint32_t t) const { return Now() - t; }
  void Play(const char* cue);

  gfx::Context& ctx_;
  shell::WindowTitle& title_;
  platform::ProgramLauncher& launcher_;
  CuePlayer& cues_;
  QuizRandom& random_;
  std::string launcherDirectory_;
  QuizScreen* screen_ = nullptr;
  std::unique_ptr<QuizPictures> pictures_;
  PictureObserver pictureObserver_;

  QuestionStore store_;
  players::PlayerRoster roster_;
  players::HighScoreTable table_;
  players::SaveNotice saveNotice_;
  int ladderLevel_ = 0;
  int streak_ = 0;
  BullAnimation bull_;
  int bullFrame_ = BullAnimation::kNoFrame;  // the frame last drawn

  uint32_t lastAnswer_ = 0;
  uint32_t lastBullStep_ = 0;
  uint32_t lastNewGameBlink_ = 0;
  int newGameBlinkPhase_ = 0;
  uint32_t lastLadderBlink_ = 0;
  int ladderBlinkPhase_ = 0;
  bool noQuestionReported_ = false;
};

}  // namespace quiz
