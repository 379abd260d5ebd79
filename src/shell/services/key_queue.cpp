#include "shell/services/key_queue.h"

namespace shell {
namespace {

constexpr int kLeftShift = 42;
constexpr int kRightShift = 54;

// Characters by scan code, without and with Shift; 0 types nothing.
struct KeyChars {
  char plain, shifted;
};

constexpr KeyChars CharsFor(int scan) {
  constexpr char kDigits[] = "1234567890";
  constexpr char kDigitsShifted[] = "!@#$%^&*()";
  constexpr char kTopRow[] = "qwertyuiop";
  constexpr char kMiddleRow[] = "asdfghjkl";
  constexpr char kBottomRow[] = "zxcvbnm";
  auto upper = [](char c) { return char(c - 'a' + 'A'); };
  if (scan >= 2 && scan <= 11) return {kDigits[scan - 2], kDigitsShifted[scan - 2]};
  if (scan >= 16 && scan <= 25) return {kTopRow[scan - 16], upper(kTopRow[scan - 16])};
  if (scan >= 30 && scan <= 38) return {kMiddleRow[scan - 30], upper(kMiddleRow[scan - 30])};
  if (scan >= 44 && scan <= 50) return {kBottomRow[scan - 44], upper(kBottomRow[scan - 44])};
  switch (scan) {
    // Minus is typed too: e-mail addresses need "-" and "_".
    case 12: return {'-', '_'};
    case 13: return {'=', '+'};
    case 26: return {'[', '{'};
    case 27: return {']', '}'};
    case 39: return {';', ':'};
    case 40: return {'\'', '"'};
    case 41: return {'`', '~'};
    case 43: return {'\\', '|'};
    case 51: return {',', '<'};
    case 52: return {'.', '>'};
    case 53: return {'/', '?'};
    case 57: return {' ', ' '};
    default: return {0, 0};
  }
}

}  // namespace

void KeyQueue::Feed(const uint8_t* state) {
  if (!state) return;
  // Right Shift counts from the snapshot after the one it went down in.
  const bool shift = state[kLeftShift] != 0 || down_[kRightShift];
  for (int code = 0; code < 256; ++code) {
    if (state[code] & 0x80) {
      if (!down_[code]) {
        Push(code + (shift ? kShift : 0));
        down_[code] = true;
      }
    } else {
      down_[code] = false;
    }
  }
}

void KeyQueue::Push(int code) {
  ring_[write_] = code;
  write_ = (write_ + 1) % 256;
}

int KeyQueue::Pop() {
  if (read_ == write_) return 0;
  const int code = ring_[read_];
  read_ = (read_ + 1) % 256;
  return code;
}

std::optional<char> KeyQueue::Translate(int code) {
  if (code < 0 || code > 0x1FF) return std::nullopt;
  const KeyChars chars = CharsFor(code & 0xFF);
  const char c = (code & kShift) ? chars.shifted : chars.plain;
  if (c == 0) return std::nullopt;
  return c;
}

}  // namespace shell
