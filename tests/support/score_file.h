// A high-score file's bytes laid out by hand (a row count of 20, then rows of
// a 256-byte name and a little-endian score), these rows first, the rest empty.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace test_support {

inline std::string ScoreFile(const std::vector<std::pair<std::string, int32_t>>& rows) {
  std::string bytes(4 + 20 * 260, '\0');
  bytes[0] = 20;
  for (size_t i = 0; i < rows.size(); ++i) {
    bytes.replace(4 + 260 * i, rows[i].first.size(), rows[i].first);
    for (size_t b = 0; b < 4; ++b) bytes[4 + 260 * i + 256 + b] = char(uint32_t(rows[i].second) >> (8 * b));
  }
  return bytes;
}

}  // namespace test_support
