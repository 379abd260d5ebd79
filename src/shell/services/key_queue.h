// Typed keys: key-down edges of the keyboard snapshot become codes in a
// ring of 256 (DirectInput scan code, 0x100 added when Shift was held).
#pragma once
#include <array>
#include <cstdint>
#include <optional>

namespace shell {

class KeyQueue {
 public:
  static constexpr int kShift = 0x100;

  // Takes the snapshot for one window message; null does nothing.
  void Feed(const uint8_t* state);
  void Push(int code);
  // 0 when empty.
  int Pop();
  void Clear() { read_ = write_ = 0; }
  // The character a code types, none for keys that type nothing.
  static std::optional<char> Translate(int code);

 private:
  std::array<int, 256> ring_{};
  int read_ = 0, write_ = 0;
  std::array<bool, 256> down_{};
};

}  // namespace shell
