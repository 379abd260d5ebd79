#include "launcher/score_upload.h"

#include <charconv>

namespace launcher {

namespace {

bool NeedsEscape(unsigned char c) {
  if (c <= 0x20 || c >= 0x7F) return true;
  switch (c) {
    case '"': case '#': case '%': case ';': case '<': case '>': case '?': case '[':
    case '\\': case ']': case '^': case '{': case '|': case '}': case '~':
    // Inside a value these would end it or start another parameter.
    case '&': case '=': case '+':
      return true;
    default:
      return false;
  }
}

}  // namespace

uint32_t ScoreKeyValue(std::string_view setting) {
  std::string_view digits = setting;
  int base = 10;
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    digits.remove_prefix(2);
    base = 16;
  }
  uint32_t value = 0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (!digits.empty() && error == std::errc() && end == digits.data() + digits.size()) return value;

  uint32_t hash = 2166136261u;
  for (const char c : setting) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619u;
  }
  return hash;
}

std::string EscapeQueryValue(std::string_view value) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(value.size());
  for (const char ch : value) {
    const auto c = static_cast<unsigned char>(ch);
    if (NeedsEscape(c)) {
      out.push_back('%');
      out.push_back(kHex[c >> 4]);
      out.push_back(kHex[c & 0x0F]);
    } else {
      out.push_back(ch);
    }
  }
  return out;
}

std::string ScoreQuery(std::string_view game, std::string_view name, int32_t score, uint32_t key) {
  const auto sent = static_cast<int32_t>(static_cast<uint32_t>(score) ^ key);
  return "game=" + EscapeQueryValue(game) + "&name=" + EscapeQueryValue(name) +
         "&score=" + std::to_string(sent);
}

std::string ScoreUploadUrl(std::string_view pageUrl, std::string_view game, std::string_view name,
                           int32_t score, uint32_t key) {
  return std::string(pageUrl) + "?" + ScoreQuery(game, name, score, key);
}

}  // namespace launcher
