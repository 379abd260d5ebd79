// The quiz's one screen, "Verimoo": the board, the eight buttons, the seven
// sprites, the three text areas and the seventeen sound cues. Activate
// builds all of it and loads the game; Update runs one frame of the game and
// presents it.
#pragma once
#include <memory>

#include "gfx/screen.h"
#include "gfx/screen_image.h"
#include "gfx/sprite.h"

namespace sound { class SoundBank; }

namespace quiz {

class QuizGame;

class QuizScreen : public gfx::Screen {
 public:
  QuizScreen(gfx::Context& ctx, sound::SoundBank& bank, QuizGame& game);
  ~QuizScreen() override;

  void Activate(platform::Display* display, platform::Surface* drawing) override;
  // Frees every sound and the music, the buttons and pictures, and the
  // sprites.
  void Release() override;
  // The quiz reads the mouse by polling.
  int HandleMessage(uint32_t message, uint64_t wParam, int64_t lParam) override;
  int Update(int active) override;

  gfx::ScreenImage* Board() const { return board_; }
  gfx::ScreenImage* CleanBoard() const { return cleanBoard_; }
  const gfx::ScreenImage& PanelArea() const { return panel_; }
  const gfx::ScreenImage& QuestionArea() const { return question_; }
  const gfx::ScreenImage& AnswerArea() const { return answer_; }
  gfx::Sprite* Flower() const { return flower_.get(); }
  gfx::Sprite* TruthStamp() const { return stamp_.get(); }
  gfx::Sprite* Bull() const { return bull_.get(); }
  gfx::Sprite* TimerBar() const { return timer_.get(); }
  gfx::Sprite* ScoreDigits() const { return digits_.get(); }
  gfx::Sprite* LadderTiles() const { return ladder_.get(); }
  gfx::Sprite* LitLadderTiles() const { return litLadder_.get(); }

 private:
  void CreateSprites();
  void LoadSounds();

  sound::SoundBank& bank_;
  QuizGame& game_;
  gfx::ScreenImage* board_ = nullptr;
  gfx::ScreenImage* cleanBoard_ = nullptr;
  gfx::ScreenImage panel_;
  gfx::ScreenImage question_;
  gfx::ScreenImage answer_;
  std::unique_ptr<gfx::Sprite> flower_;
  std::unique_ptr<gfx::Sprite> stamp_;
  std::unique_ptr<gfx::Sprite> bull_;
  std::unique_ptr<gfx::Sprite> timer_;
  std::unique_ptr<gfx::Sprite> digits_;
  std::unique_ptr<gfx::Sprite> ladder_;
  std::unique_ptr<gfx::Sprite> litLadder_;
};

}  // namespace quiz
