// The program's named screens and the one that is current: start-up
// registers them, screens switch by name, the window procedure and the
// frame loop reach the current one through here.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace platform { class Display; class Surface; }
namespace gfx { class Screen; }

namespace shell {

class ScreenManager {
 public:
  void SetDisplay(platform::Display* display, platform::Surface* drawing) {
    display_ = display;
    drawing_ = drawing;
  }
  // The screens are not owned: each program keeps its own.
  gfx::Screen* Register(gfx::Screen* screen);
  // Switches to the first other screen of that name; the current screen's
  // own name, or a name nobody has, changes nothing.
  void SwitchTo(const std::string& name);
  int HandleMessage(uint32_t message, uint64_t wParam, int64_t lParam);
  int Update(int active);
  // Release on every screen in registration order; the current stays recorded.
  void ReleaseAll();
  gfx::Screen* Current() const { return current_; }

 private:
  std::vector<gfx::Screen*> screens_;
  gfx::Screen* current_ = nullptr;
  platform::Display* display_ = nullptr;
  platform::Surface* drawing_ = nullptr;
};

}  // namespace shell
