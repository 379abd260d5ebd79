// The quiz's three modal pictures over its board: the hall-of-fame notice
// (one second), the game-over picture (until the clock moves on, or a
// click) and the rules picture (until a click). Each is a fresh pop-up with
// its own modal loop; each reports 0 when the program is closing.
#pragma once
#include <functional>

namespace gfx { struct Context; class Screen; }

namespace quiz {

enum class Picture { kHallOfFame, kGameOver, kRules };

// Told of every pass of a picture's loop (pass counts from 1), before the
// pass is presented.
using PictureObserver = std::function<void(Picture picture, int pass)>;

class QuizPictures {
 public:
  static constexpr int kNoticeMs = 1000;

  // board: the screen presented before the notice; redrawAfter puts the
  // board's texts back once a picture has gone.
  QuizPictures(gfx::Context& ctx, gfx::Screen& board, std::function<void()> redrawAfter)
      : ctx_(ctx), board_(board), redrawAfter_(std::move(redrawAfter)) {}

  int ShowHallOfFameNotice();
  int ShowGameOverPicture();
  // A rules picture that could not be loaded has nothing to click on; it
  // is passed over instead of holding the game for ever.
  int ShowRulesPicture();

  void SetObserver(PictureObserver observer) { observer_ = std::move(observer); }

 private:
  gfx::Context& ctx_;
  gfx::Screen& board_;
  std::function<void()> redrawAfter_;
  PictureObserver observer_;
};

}  // namespace quiz
