// The quiz as a program of the shared run: its window title, its one
// screen "Verimoo", the game behind it and the random source of its draws.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "quiz/cue_player.h"
#include "quiz/quiz_game.h"
#include "quiz/quiz_pictures.h"
#include "quiz/quiz_random.h"
#include "quiz/quiz_screen.h"
#include "shell/app/application.h"

namespace quiz {

class VerimooProgram : public shell::Program {
 public:
  // Without a seed the draws are seeded from the clock at start-up.
  explicit VerimooProgram(std::optional<uint32_t> seed = std::nullopt);
  ~VerimooProgram() override;

  shell::ProgramTraits Traits() const override;
  // Makes the game and its screen, registers the screen and opens it,
  // which starts the first game.
  void Start(shell::Application& app, const std::string& commandLine) override;
  void ReleaseGameState() override;

  // Watchers of the cues played and of the pictures shown; they may be set
  // before or after start-up.
  void SetCueObserver(CuePlayer::Observer observer);
  void SetPictureObserver(PictureObserver observer);

  QuizGame* Game() const { return game_.get(); }
  QuizScreen* Screen() const { return screen_.get(); }

 private:
  std::optional<uint32_t> seed_;
  QuizRandom random_;
  CuePlayer::Observer cueObserver_;
  PictureObserver pictureObserver_;
  std::unique_ptr<CuePlayer> cues_;
  std::unique_ptr<QuizGame> game_;
  std::unique_ptr<QuizScreen> screen_;
};

}  // namespace quiz
