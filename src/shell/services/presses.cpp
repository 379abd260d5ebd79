#include "shell/services/presses.h"

#include "platform/messages.h"

namespace shell {

namespace {
constexpr int kLeftShift = 42, kRightShift = 54;
}

void Presses::Observe(const platform::Message& m, const uint8_t* keys) {
  Press press;
  switch (m.message) {
    case platform::WM_MOUSEMOVE:
      markShown_ = false;
      return;
    case platform::WM_KEYDOWN:
      if (m.scanCode <= 0) return;
      press.code = m.scanCode;
      press.repeat = platform::IsKeyRepeat(m.lParam);
      press.shift = keys && ((keys[kLeftShift] | keys[kRightShift]) & 0x80) != 0;
      break;
    case platform::WM_PADBUTTONDOWN:
      press.source = Press::Source::kPad;
      press.code = int(m.wParam);
      break;
    default:
      return;
  }
  press.markShown = markShown_;
  markShown_ = true;
  if (pending_.size() >= kLimit) pending_.erase(pending_.begin());
  pending_.push_back(press);
}

std::vector<Press> Presses::Take() {
  std::vector<Press> taken;
  taken.swap(pending_);
  return taken;
}

}  // namespace shell
