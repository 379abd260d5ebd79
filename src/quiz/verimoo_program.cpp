#include "quiz/verimoo_program.h"

#include <ctime>

namespace quiz {

VerimooProgram::VerimooProgram(std::optional<uint32_t> seed) : seed_(seed) {}

VerimooProgram::~VerimooProgram() = default;

shell::ProgramTraits VerimooProgram::Traits() const { return {"Verimoo", true, false}; }

void VerimooProgram::Start(shell::Application& app, const std::string&) {
  random_.Seed(seed_ ? *seed_ : uint32_t(std::time(nullptr)));
  cues_ = std::make_unique<CuePlayer>(app.Sound().Bank());
  cues_->SetObserver(cueObserver_);
  game_ = std::make_unique<QuizGame>(app.Context(), app.Title(), app.Launcher(), *cues_, random_, app.LauncherDirectory());
  game_->SetPictureObserver(pictureObserver_);
  screen_ = std::make_unique<QuizScreen>(app.Context(), app.Sound().Bank(), *game_);
  game_->AttachScreen(*screen_);
  app.Screens().Register(screen_.get());
  app.Screens().SwitchTo("Verimoo");
}

void VerimooProgram::ReleaseGameState() {
  if (game_) game_->Unload();
}

void VerimooProgram::SetCueObserver(CuePlayer::Observer observer) {
  cueObserver_ = std::move(observer);
  if (cues_) cues_->SetObserver(cueObserver_);
}

void VerimooProgram::SetPictureObserver(PictureObserver observer) {
  pictureObserver_ = std::move(observer);
  if (game_) game_->SetPictureObserver(pictureObserver_);
}

}  // namespace quiz
