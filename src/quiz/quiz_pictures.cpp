#include "quiz/quiz_pictures.h"

#include <string>

#include "gfx/context.h"
#include "gfx/popup_screen.h"
#include "gfx/redraw_queue.h"
#include "shell/services/timers.h"

namespace quiz {
namespace {

// A pop-up that tells the game's observer of each pass of its loop.
class ObservedPopup : public gfx::PopupScreen {
 public:
  ObservedPopup(gfx::Context& ctx, Picture picture, const PictureObserver& observer)
      : gfx::PopupScreen(ctx), picture_(picture), observer_(observer) {}

  int FrameHook(int, int, int) override {
    const int result = CheckDone();
    if (observer_) observer_(picture_, ++pass_);
    return result;
  }

 private:
  Picture picture_;
  const PictureObserver& observer_;
  int pass_ = 0;
};

int Now(gfx::Context& ctx) { return int(ctx.timers.Ticks()); }

// A deadline of 0 means none; a moment that falls on 0 is taken one
// millisecond later.
int Deadline(int clockTime) { return clockTime != 0 ? clockTime : 1; }

}  // namespace

int QuizPictures::ShowHallOfFameNotice() {
  board_.Present();
  ObservedPopup popup(ctx_, Picture::kHallOfFame, observer_);
  popup.AddImage("hallfamepop.bmp", nullptr);
  popup.SetDeadline(Deadline(Now(ctx_) + kNoticeMs));
  std::string result;
  if (!popup.Run(result, nullptr)) return 0;
  redrawAfter_();
  return 1;
}

int QuizPictures::ShowGameOverPicture() {
  ObservedPopup popup(ctx_, Picture::kGameOver, observer_);
  popup.AddImage("gameover.bmp", nullptr);
  popup.Place(175, 299);
  popup.AddDefaultButton();
  popup.SetDeadline(Deadline(Now(ctx_)));
  std::string result;
  return popup.Run(result, nullptr) ? 1 : 0;
}

int QuizPictures::ShowRulesPicture() {
  ObservedPopup popup(ctx_, Picture::kRules, observer_);
  popup.AddImage("title\\HowToPlay.bmp", nullptr);
  popup.AddDefaultButton();
  if (popup.HasPicture()) {
    const gfx::ScreenImage* picture = popup.CurrentImage();
    std::string result;
    if (!popup.Run(result, "rules")) return 0;
    ctx_.redraw.RestoreRect(popup.LastLeft(), popup.LastTop(), picture->Width(),
                            picture->Height());
  }
  redrawAfter_();
  return 1;
}

}  // namespace quiz
