// Window messages with the Windows numbering and wParam/lParam packing that
// screens and buttons branch on, and the one queue of them a program has.
#pragma once
#include <array>
#include <cstdint>
#include <deque>
#include <functional>

namespace platform {

inline constexpr uint32_t WM_NULL = 0x0000;
inline constexpr uint32_t WM_DESTROY = 0x0002;
inline constexpr uint32_t WM_MOVE = 0x0003;
inline constexpr uint32_t WM_SIZE = 0x0005;
inline constexpr uint32_t WM_ACTIVATE = 0x0006;
inline constexpr uint32_t WM_SETFOCUS = 0x0007;
inline constexpr uint32_t WM_KILLFOCUS = 0x0008;
inline constexpr uint32_t WM_PAINT = 0x000F;
inline constexpr uint32_t WM_CLOSE = 0x0010;
inline constexpr uint32_t WM_QUIT = 0x0012;
inline constexpr uint32_t WM_ACTIVATEAPP = 0x001C;
inline constexpr uint32_t WM_KEYDOWN = 0x0100;
inline constexpr uint32_t WM_KEYUP = 0x0101;
inline constexpr uint32_t WM_CHAR = 0x0102;
inline constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
inline constexpr uint32_t WM_SYSKEYUP = 0x0105;
inline constexpr uint32_t WM_SYSCOMMAND = 0x0112;
inline constexpr uint32_t WM_MOUSEMOVE = 0x0200;
inline constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
inline constexpr uint32_t WM_LBUTTONUP = 0x0202;
inline constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
inline constexpr uint32_t WM_RBUTTONUP = 0x0205;
// A game controller's button (or stick direction) went down or up: wParam
// is the PadButton, lParam the controller's id.
inline constexpr uint32_t WM_PADBUTTONDOWN = 0x8001;
inline constexpr uint32_t WM_PADBUTTONUP = 0x8002;

enum PadButton : uint32_t {
  kPadA, kPadB, kPadX, kPadY, kPadBack, kPadStart,
  kPadUp, kPadDown, kPadLeft, kPadRight,
  kPadLeftShoulder, kPadRightShoulder,
  kPadButtonCount
};

// WM_ACTIVATE low word.
inline constexpr uint32_t WA_INACTIVE = 0, WA_ACTIVE = 1, WA_CLICKACTIVE = 2;
// WM_SIZE wParam.
inline constexpr uint32_t SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2;
// WM_SYSCOMMAND wParam (low four bits are the system's own).
inline constexpr uint32_t SC_CLOSE = 0xF060, SC_KEYMENU = 0xF100;
// Mouse message wParam key state.
inline constexpr uint32_t MK_LBUTTON = 0x0001, MK_RBUTTON = 0x0002, MK_SHIFT = 0x0004;

// Virtual-key codes carried by WM_KEYDOWN / WM_KEYUP.
inline constexpr uint32_t VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10,
                          VK_CONTROL = 0x11, VK_MENU = 0x12, VK_ESCAPE = 0x1B, VK_SPACE = 0x20,
                          VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28,
                          VK_F1 = 0x70, VK_F10 = 0x79, VK_F11 = 0x7A;

constexpr int64_t MakeLParam(int low, int high) {
  return int64_t(uint32_t((uint32_t(low) & 0xFFFF) | ((uint32_t(high) & 0xFFFF) << 16)));
}
// A key message's lParam bit 30: the key was already down (a held key repeating).
constexpr bool IsKeyRepeat(int64_t lParam) { return ((lParam >> 30) & 1) != 0; }
constexpr uint32_t LoWord(uint64_t v) { return uint32_t(v & 0xFFFF); }
constexpr uint32_t HiWord(uint64_t v) { return uint32_t((v >> 16) & 0xFFFF); }
// Signed coordinates packed in a mouse message's lParam.
constexpr int XFromLParam(int64_t l) { return int(int16_t(l & 0xFFFF)); }
constexpr int YFromLParam(int64_t l) { return int(int16_t((l >> 16) & 0xFFFF)); }

struct Message {
  uint32_t message = WM_NULL;
  uint64_t wParam = 0;
  int64_t lParam = 0;
  // A key message also carries the DirectInput scan code of its key (-1
  // for none); the keyboard snapshot takes the change when the message is
  // taken from the queue, so the snapshot read for a message reflects every
  // key event up to and including it.
  int scanCode = -1;
  bool keyDown = false;
};

// The 256-byte keyboard state by DirectInput scan code, bit 7 set while down.
class KeyboardSnapshot {
 public:
  void apply(int scanCode, bool down) {
    if (scanCode >= 0 && scanCode < 256) keys_[scanCode] = down ? 0x80 : 0;
  }
  void releaseAll() { keys_.fill(0); }
  const uint8_t* data() const { return keys_.data(); }

 private:
  std::array<uint8_t, 256> keys_{};
};

// Translates whatever native events are pending into messages.
class NativeEventSource {
 public:
  virtual ~NativeEventSource() = default;
  virtual void translatePending(class MessageQueue& queue) = 0;
};

using WindowProc = std::function<int64_t(uint32_t message, uint64_t wParam, int64_t lParam)>;

// The program's message queue and its one window procedure.
class MessageQueue {
 public:
  explicit MessageQueue(KeyboardSnapshot& keyboard) : keyboard_(keyboard) {}

  void setSource(NativeEventSource* source) { source_ = source; }
  void setWindowProc(WindowProc proc) { proc_ = std::move(proc); }

  void post(const Message& m) { queue_.push_back(m); }
  void postQuit(int exitCode) { post({WM_QUIT, uint64_t(exitCode), 0}); }

  // Takes the next message (translating pending native events first when
  // the queue is empty); false when there is none. The keyboard snapshot
  // follows the key message taken.
  bool peek(Message& out);
  bool empty() const { return queue_.empty(); }

  // Hands a message to the window procedure; 0 when none is set.
  int64_t dispatch(const Message& m) { return proc_ ? proc_(m.message, m.wParam, m.lParam) : 0; }
  // Sends a message straight to the window procedure, as SendMessage does.
  int64_t send(uint32_t message, uint64_t wParam = 0, int64_t lParam = 0) {
    return dispatch({message, wParam, lParam});
  }

 private:
  KeyboardSnapshot& keyboard_;
  NativeEventSource* source_ = nullptr;
  WindowProc proc_;
  std::deque<Message> queue_;
};

}  // namespace platform
