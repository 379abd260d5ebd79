// The keys and controller buttons pressed since a screen last looked: each
// screen or pop-up takes them once per frame and acts on those it knows,
// as it acts on a click. Whether the keyboard focus mark shows is kept here
// too, so that it follows the player from screen to screen.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform { struct Message; }

namespace shell {

struct Press {
  enum class Source { kKey, kPad };
  Source source = Source::kKey;
  // The key's DirectInput scan code, or the controller's PadButton.
  int code = 0;
  bool repeat = false;     // a held key repeating
  bool shift = false;      // Shift was held
  bool markShown = false;  // the focus mark showed before this press

  bool Key(int scanCode) const { return source == Source::kKey && code == scanCode; }
  bool Pad(int button) const { return source == Source::kPad && code == button; }
};

// DirectInput scan codes the screens answer to.
namespace scan {
inline constexpr int kTab = 15, kReturn = 28, kSpace = 57, kPadEnter = 0x9C;
inline constexpr int kT = 20, kI = 23, kR = 19, kP = 25, kF = 33, kH = 35, kN = 49, kM = 50;
inline constexpr int kUp = 0xC8, kPageUp = 0xC9, kLeft = 0xCB, kRight = 0xCD, kDown = 0xD0,
                     kPageDown = 0xD1;
}  // namespace scan

class Presses {
 public:
  static constexpr size_t kLimit = 32;  // presses nobody takes are dropped beyond this

  // Every message the pump takes: key and controller presses are kept
  // (keys pressed with Alt are the window's, not the screens'), a mouse
  // move hides the focus mark. keys is the keyboard snapshot or null.
  void Observe(const platform::Message& m, const uint8_t* keys);
  // The presses since the last call, oldest first.
  std::vector<Press> Take();
  void Clear() { pending_.clear(); }
  bool MarkShown() const { return markShown_; }

 private:
  std::vector<Press> pending_;
  bool markShown_ = false;
};

}  // namespace shell
