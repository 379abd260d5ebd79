// Game controllers as the programs see them: button and stick-direction
// presses and releases, one message each. The stick counts as the four
// directions of the D-pad; a controller that goes away lets go of all it held.
#pragma once
#include <bitset>
#include <functional>
#include <map>

#include "platform/messages.h"

namespace platform {

class PadTracker {
 public:
  using Post = std::function<void(const Message&)>;
  enum Axis { kStickX, kStickY };
  // A stick counts as pushed beyond this and as let go again below kRelease,
  // so that a stick resting near the threshold does not chatter.
  static constexpr int kPush = 16000;
  static constexpr int kRelease = 8000;

  void button(int pad, PadButton button, bool down, const Post& post);
  // value: -32768 (left, up) ... 32767 (right, down).
  void axis(int pad, Axis axis, int value, const Post& post);
  // The controller was unplugged: everything it held goes up.
  void removed(int pad, const Post& post);

 private:
  struct Held {
    std::bitset<kPadButtonCount> buttons, stick;
  };
  void change(int pad, Held& held, PadButton button, bool buttonDown, bool stickDown, const Post& post);

  std::map<int, Held> pads_;
};

}  // namespace platform
