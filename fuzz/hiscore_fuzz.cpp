// hiscore.dat of any content: reading never leaves a name past its field,
// a whole file survives a read and a write unchanged in every significant
// byte, and what is written reads back as the same table.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "players/high_score_table.h"

using players::HighScoreTable;

using fuzz_support::Check;

namespace {

int32_t Int32At(const uint8_t* p) {
  return static_cast<int32_t>(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                              uint32_t(p[3]) << 24);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_support::WorkDir().write("hiscore.dat", std::string(reinterpret_cast<const char*>(data), size));
  const std::string in = "hiscore.dat", out = "out.dat";

  HighScoreTable table;
  table.Create(HighScoreTable::kRows);
  const int read = table.Read(in);
  Check(table.RowCount() == HighScoreTable::kRows);
  for (int i = 0; i < table.RowCount(); ++i) {
    Check(table.RowName(i).size() < players::HighScoreEntry::kNameField);
    Check(table.RowName(i).find('\0') == std::string::npos);
  }

  const bool whole = size >= HighScoreTable::FileSize(HighScoreTable::kRows) &&
                     Int32At(data) == HighScoreTable::kRows;
  Check((read == 1) == whole);
  if (whole) {
    const std::vector<uint8_t> bytes = table.Serialize();
    for (int i = 0; i < HighScoreTable::kRows; ++i) {
      const std::size_t at = 4 + HighScoreTable::kRowBytes * std::size_t(i);
      const std::size_t len = table.RowName(i).size();
      Check(std::memcmp(bytes.data() + at, data + at, len) == 0);
      Check(bytes[at + len] == 0);
      Check(std::memcmp(bytes.data() + at + 256, data + at + 256, 4) == 0);
    }
  }

  // A row taken from the input, inserted, keeps the table's shape.
  if (size > 4) {
    const std::string name(reinterpret_cast<const char*>(data) + 4, std::min<size_t>(size - 4, 300));
    table.Insert(name, Int32At(data));
    Check(table.RowCount() == HighScoreTable::kRows);
  }

  Check(table.Write(out) == 1);
  HighScoreTable back;
  back.Create(HighScoreTable::kRows);
  Check(back.Read(out) == 1);
  for (int i = 0; i < HighScoreTable::kRows; ++i) {
    Check(back.RowName(i) == table.RowName(i));
    Check(back.RowScore(i) == table.RowScore(i));
  }
  return 0;
}
