// Where the pointer is in the 800 x 600 logical screen and which buttons
// are down: the window procedure writes the position, the timer thread
// the buttons, screens and buttons read both.
#pragma once
#include <atomic>
#include <cstdint>

namespace platform { class Qv; class Surface; }

namespace shell {

class MouseCursor {
 public:
  explicit MouseCursor(platform::Qv& qv) : qv_(qv) {}

  void SetPosition(int x, int y) { x_ = x; y_ = y; }
  // Copies each value whose pointer is given. A button pressed since the
  // last read shows as down once, even if it was let go again before this
  // read, so a quick click is never lost between polls and frames.
  void GetState(int* x, int* y, int* buttons) const;
  // Every 10 ms from the timer thread: reads the library's button bits
  // while polling is on.
  void Poll();
  void SetPolling(int on) { polling_.store(on); }
  // The window lost the focus: buttons seen down until then are forgotten.
  void DropButtons() {
    buttons_.store(0);
    pressed_.store(0);
  }
  // Neither program shows a cursor image of its own: the system pointer is used.
  void DrawCursor(platform::Surface*) {}
  void Release() {}

 private:
  platform::Qv& qv_;
  int x_ = 0, y_ = 0;
  std::atomic<uint32_t> buttons_{0};
  mutable std::atomic<uint32_t> pressed_{0};  // down at some poll since the last read
  std::atomic<int> polling_{1};
};

}  // namespace shell
