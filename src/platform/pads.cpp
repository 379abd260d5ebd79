#include "platform/pads.h"

namespace platform {

void PadTracker::change(int pad, Held& held, PadButton button, bool buttonDown, bool stickDown,
                        const Post& post) {
  const bool wasDown = held.buttons[button] || held.stick[button];
  held.buttons[button] = buttonDown;
  held.stick[button] = stickDown;
  const bool isDown = buttonDown || stickDown;
  if (isDown != wasDown)
    post({isDown ? WM_PADBUTTONDOWN : WM_PADBUTTONUP, uint64_t(button), int64_t(pad)});
}

void PadTracker::button(int pad, PadButton button, bool down, const Post& post) {
  if (button >= kPadButtonCount) return;
  Held& held = pads_[pad];
  change(pad, held, button, down, held.stick[button], post);
}

void PadTracker::axis(int pad, Axis axis, int value, const Post& post) {
  Held& held = pads_[pad];
  const PadButton low = axis == kStickX ? kPadLeft : kPadUp;
  const PadButton high = axis == kStickX ? kPadRight : kPadDown;
  for (const PadButton direction : {low, high}) {
    const int reach = direction == low ? -value : value;
    bool pushed = held.stick[direction];
    if (reach > kPush) pushed = true;
    else if (reach < kRelease) pushed = false;
    change(pad, held, direction, held.buttons[direction], pushed, post);
  }
}

void PadTracker::removed(int pad, const Post& post) {
  const auto it = pads_.find(pad);
  if (it == pads_.end()) return;
  for (uint32_t b = 0; b < kPadButtonCount; ++b) change(pad, it->second, PadButton(b), false, false, post);
  pads_.erase(it);
}

}  // namespace platform
