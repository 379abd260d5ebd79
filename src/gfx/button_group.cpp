#include "gfx/button_group.h"

namespace gfx {

Button* ButtonGroup::Add(std::unique_ptr<Button> button) {
  if (!button) return nullptr;
  buttons_.push_back(std::move(button));
  return buttons_.back().get();
}

void ButtonGroup::HandleMouse(int x, int y, int buttonMask) {
  for (auto& b : buttons_) b->HandleMouse(x, y, buttonMask);
}

void ButtonGroup::DrawAll() {
  for (auto& b : buttons_) b->Redraw();
}

Button* ButtonGroup::FindClicked() const {
  for (auto& b : buttons_)
    if (b->WasClicked()) return b.get();
  return nullptr;
}

int ButtonGroup::IsClicked(const std::string& name) const {
  const Button* clicked = FindClicked();
  return clicked && clicked->Name() == name ? clicked->WasClicked() : 0;
}

Button* ButtonGroup::Find(const std::string& name) const {
  for (auto& b : buttons_)
    if (b->Name() == name) return b.get();
  return nullptr;
}

void ButtonGroup::SetOffset(int x, int y) {
  offsetX_ = x;
  offsetY_ = y;
  for (auto& b : buttons_) b->SetOffset(x, y);
}

}  // namespace gfx

namespace gfx {

bool ButtonGroup::Trigger(const std::string& name) const {
  Button* button = Find(name);
  if (button) button->Trigger();
  return button != nullptr;
}

}  // namespace gfx
