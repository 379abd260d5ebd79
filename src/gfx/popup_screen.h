// A screen run modally by the code that needs it: it shows one of its own
// pictures over the current one, runs its own frame loop until a button is
// clicked, Finish is called or a deadline passes, and hands back the
// closing button's name.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "gfx/focus_ring.h"
#include "gfx/screen.h"

namespace gfx {

class PopupScreen : public Screen {
 public:
  explicit PopupScreen(Context& ctx);
  PopupScreen(Context& ctx, const std::string& name);
  ~PopupScreen() override;

  void Create() override;
  void Release() override;

  // (-1, -1) centres the current image on the screen unless a position
  // was already given; the buttons move with the image.
  virtual void Place(int left, int top);
  // Ends the loop; text (when given) becomes the result.
  virtual void Finish(const char* text);
  // The modal loop. 1 with the result written to result; 0 when the
  // program is quitting or FrameHook gave up, result untouched.
  virtual int Run(std::string& result, const char* imageName);
  // Run over the first picture, then the whole screen is drawn again so
  // that nothing of the pop-up stays. false when the program is quitting.
  bool RunThenRedrawAll();
  // Once per pass; 0 abandons the loop.
  virtual int FrameHook(int x, int y, int buttons);
  // Takes a clicked button's name as the result, and ends the loop then
  // or once the deadline has passed. Always 1.
  virtual int CheckDone();
  virtual ScreenImage* SetCurrentImage(ScreenImage* image);
  virtual void SelectImage(const std::string& name);
  virtual ScreenImage* FindPopupImage(const std::string& name);
  // Loads path (kept even when the bitmap is missing), names it (none: an
  // empty name) and makes it current.
  virtual void AddImage(const std::string& path, const char* name);
  virtual void SetRedirect(int flag);
  // A picture-sized button named "default" without images.
  virtual void AddDefaultButton();
  // An absolute clock time; callers pass now + duration. 0: none.
  virtual void SetDeadline(int clockTime);

  // The picture that marks the keyboard focus among the pop-up's buttons.
  void SetFocusFrame(const std::string& path) { focusFrame_ = path; }

  ScreenImage* CurrentImage() const { return current_; }
  // Whether the current image loaded, so there is something to see and
  // to click away.
  bool HasPicture() const;
  size_t PopupImageCount() const { return popupImages_.size(); }
  int Done() const { return done_; }
  int Left() const { return left_; }
  int Top() const { return top_; }
  int LastLeft() const { return lastLeft_; }
  int LastTop() const { return lastTop_; }
  int Redirect() const { return redirect_; }
  int Deadline() const { return timeout_; }

 protected:
  // Targets with ids from kFirstOwnTarget on are the subclass's own; the
  // others are the buttons at those places of the group.
  static constexpr int kFirstOwnTarget = 100;
  // The focus among the buttons that show a picture; none before Run.
  FocusRing* Focus() { return focus_.get(); }
  // Makes the focus over the buttons as they are placed now; Run does it
  // unless the subclass did.
  FocusRing& MakeFocus();

 private:
  // Keys and controller buttons: Return, Space, A or Start close a
  // picture like a click on it, B goes back; with buttons of their own the
  // focus moves between them and activates them.
  void HandlePresses();

  std::vector<std::unique_ptr<ScreenImage>> popupImages_;
  std::string focusFrame_;
  std::unique_ptr<FocusRing> focus_;
  ScreenImage* current_ = nullptr;
  int done_ = 0;
  int left_ = -1, top_ = -1;
  int lastLeft_ = 0, lastTop_ = 0;
  int redirect_ = 1;
  int timeout_ = 0;
};

}  // namespace gfx
