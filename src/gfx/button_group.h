// A screen's buttons in the order they were added: they are fed the mouse
// together, drawn together, and asked which one was clicked.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "gfx/button.h"

namespace gfx {

class ButtonGroup {
 public:
  // Takes the button over and returns it.
  Button* Add(std::unique_ptr<Button> button);
  void HandleMouse(int x, int y, int buttonMask);
  void DrawAll();
  // The first button, in list order, whose click completed this poll.
  Button* FindClicked() const;
  // 1 only when the first clicked button has exactly this name.
  int IsClicked(const std::string& name) const;
  Button* Find(const std::string& name) const;
  // Triggers the first button of that name; false when there is none.
  bool Trigger(const std::string& name) const;
  // Moves every button by (x, y); a screen hands the offset on to the
  // buttons it adds later.
  void SetOffset(int x, int y);

  int OffsetX() const { return offsetX_; }
  int OffsetY() const { return offsetY_; }
  size_t Count() const { return buttons_.size(); }
  Button* At(size_t index) const { return index < buttons_.size() ? buttons_[index].get() : nullptr; }

 private:
  std::vector<std::unique_ptr<Button>> buttons_;
  int offsetX_ = 0, offsetY_ = 0;
};

}  // namespace gfx
