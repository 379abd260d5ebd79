#include "shell/app/screen_manager.h"

#include "gfx/screen.h"

namespace shell {

gfx::Screen* ScreenManager::Register(gfx::Screen* screen) {
  screens_.push_back(screen);
  return screen;
}

void ScreenManager::SwitchTo(const std::string& name) {
  for (gfx::Screen* screen : screens_) {
    if (screen == current_ || screen->GetName() != name) continue;
    if (current_) current_->Release();
    current_ = screen;
    current_->Activate(display_, drawing_);
    return;
  }
}

int ScreenManager::HandleMessage(uint32_t message, uint64_t wParam, int64_t lParam) {
  return current_ ? current_->HandleMessage(message, wParam, lParam) : 1;
}

int ScreenManager::Update(int active) { return current_ ? current_->Update(active) : 0; }

void ScreenManager::ReleaseAll() {
  for (gfx::Screen* screen : screens_) screen->Release();
}

}  // namespace shell
