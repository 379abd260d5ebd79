// The INI rules on arbitrary text: reading never fails, and a value that is
// set can always be read back while every other key keeps its value.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/profile_parse.h"

namespace {

// Takes a length-prefixed piece off the front of the input.
std::string_view Take(std::string_view& in, size_t limit) {
  if (in.empty()) return {};
  const size_t n = std::min<size_t>(static_cast<unsigned char>(in[0]) % (limit + 1), in.size() - 1);
  const std::string_view piece = in.substr(1, n);
  in.remove_prefix(1 + n);
  return piece;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view in(reinterpret_cast<const char*>(data), size);
  const std::string_view section = Take(in, 16);
  const std::string_view key = Take(in, 16);
  const std::string_view other = Take(in, 16);
  const std::string_view value = Take(in, 32);
  const std::string_view content = in;

  (void)platform::FindProfileValue(content, section, key);
  if (!platform::IsValidProfileName(section) || !platform::IsValidProfileName(key)) return 0;
  if (value.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) return 0;

  const auto otherBefore = platform::FindProfileValue(content, section, other);
  const std::string written = platform::SetProfileValue(content, section, key, value);
  const auto readBack = platform::FindProfileValue(written, section, key);
  if (!readBack) std::abort();
  // Reading trims blanks and one pair of quotes, as it does for any file.
  std::string_view expected = value;
  while (!expected.empty() && (expected.front() == ' ' || expected.front() == '\t'))
    expected.remove_prefix(1);
  while (!expected.empty() && (expected.back() == ' ' || expected.back() == '\t'))
    expected.remove_suffix(1);
  if (expected.size() >= 2 && (expected.front() == '"' || expected.front() == '\'') &&
      expected.back() == expected.front())
    expected = expected.substr(1, expected.size() - 2);
  if (*readBack != expected) std::abort();

  // A different key of the same section is untouched.
  const bool sameKey = [&] {
    auto trim = [](std::string_view s) {
      while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
      while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
      return s;
    };
    const std::string_view a = trim(key), b = trim(other);
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
      if (std::tolower(static_cast<unsigned char>(a[i])) !=
          std::tolower(static_cast<unsigned char>(b[i])))
        return false;
    return true;
  }();
  if (!sameKey && platform::FindProfileValue(written, section, other) != otherBefore) std::abort();
  return 0;
}
