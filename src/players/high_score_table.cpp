#include "players/high_score_table.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/little_endian.h"
#include "platform/save_location.h"

namespace players {
namespace {

const HighScoreEntry kEmptyRow{};

void PutInt32(std::vector<uint8_t>& out, int32_t value) {
  const auto v = static_cast<uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

int32_t GetInt32(const uint8_t* p) { return static_cast<int32_t>(platform::ReadLe32(p)); }

std::string CutName(std::string_view name) {
  name = name.substr(0, name.find('\0'));
  return std::string(name.substr(0, HighScoreEntry::kNameField - 1));
}

// Reads at most limit bytes of the file; false when it cannot be opened.
bool ReadPrefix(const std::string& hostPath, std::size_t limit, std::vector<uint8_t>& bytes) {
  std::ifstream in(hostPath, std::ios::binary);
  if (!in) return false;
  bytes.resize(limit);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(limit));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return true;
}

}  // namespace

void HighScoreTable::Create(int rows) {
  rows_.assign(static_cast<std::size_t>(std::max(rows, 0)), HighScoreEntry{});
}

const HighScoreEntry& HighScoreTable::Row(int index) const {
  if (index < 0 || index >= RowCount()) return kEmptyRow;
  return rows_[static_cast<std::size_t>(index)];
}

int HighScoreTable::Read(const std::string& path) {
  // A user's copy that cannot be read whole counts as missing: the tree's
  // copy is read next.
  int result = 0;
  for (const std::string& file : platform::LocateSave(path).ReadOrder()) {
    result = ReadFrom(file);
    if (result) break;
  }
  return result;
}

int HighScoreTable::ReadFrom(const std::string& hostPath) {
  std::vector<uint8_t> bytes;
  if (!ReadPrefix(hostPath, FileSize(RowCount()), bytes)) return 0;
  if (bytes.size() < 4 || GetInt32(bytes.data()) != RowCount()) return 0;

  const std::size_t whole = (bytes.size() - 4) / kRowBytes;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (i >= whole) {
      rows_[i] = HighScoreEntry{};
      continue;
    }
    const uint8_t* row = bytes.data() + 4 + i * kRowBytes;
    const char* name = reinterpret_cast<const char*>(row);
    rows_[i].name = CutName(std::string_view(name, HighScoreEntry::kNameField));
    rows_[i].score = GetInt32(row + HighScoreEntry::kNameField);
  }
  return whole >= rows_.size() ? 1 : 0;
}

std::vector<uint8_t> HighScoreTable::Serialize() const {
  std::vector<uint8_t> out;
  out.reserve(FileSize(RowCount()));
  PutInt32(out, RowCount());
  for (const HighScoreEntry& row : rows_) {
    const std::size_t start = out.size();
    out.insert(out.end(), row.name.begin(), row.name.end());
    out.resize(start + HighScoreEntry::kNameField, 0);  // terminator and zero fill
    PutInt32(out, row.score);
  }
  return out;
}

int HighScoreTable::Write(const std::string& path, std::string* why) const {
  const std::vector<uint8_t> bytes = Serialize();
  const std::string_view content(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return platform::SaveFile(platform::LocateSave(path), content, why) ? 1 : 0;
}

int HighScoreTable::Insert(std::string_view name, int32_t score) {
  const auto at = std::find_if(rows_.begin(), rows_.end(),
                               [score](const HighScoreEntry& row) { return row.score < score; });
  if (at == rows_.end()) return 0;
  std::move_backward(at, rows_.end() - 1, rows_.end());
  at->name = CutName(name);
  at->score = score;
  return 1;
}

}  // namespace players
