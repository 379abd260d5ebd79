// A game's best results and their file "hiscore.dat": a little-endian
// 32-bit row count, then per row a 256-byte NUL-terminated name and a
// 32-bit score (5204 bytes for the 20 rows both programs use).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace players {

struct HighScoreEntry {
  static constexpr std::size_t kNameField = 256;  // bytes, terminator included

  std::string name;  // at most 255 characters; empty for an empty row
  int32_t score = 0;
};

class HighScoreTable {
 public:
  static constexpr int kRows = 20;  // what both programs create
  static constexpr std::size_t kRowBytes = HighScoreEntry::kNameField + 4;
  static constexpr std::size_t FileSize(int rows) { return 4 + kRowBytes * std::size_t(rows); }

  // Drops every row and makes n empty ones (none for n <= 0).
  void Create(int rows);
  void Destroy() { rows_.clear(); }

  // Reads the table from path (Windows style; in an installed tree the
  // user's copy, else the tree's, see platform::LocateSave). 1 when every
  // row was read.
  // A missing file or one whose count differs from the table's leaves the
  // rows as they are and gives 0. A file too short for its rows gives 0;
  // the rows it holds whole are taken, every other row is emptied.
  int Read(const std::string& path);
  // Writes the table to path (in an installed tree the user's copy): first
  // to a temporary file beside it, which then replaces the old file, so a
  // failed write leaves the old one whole. 1 on success, 0 otherwise, with
  // the reason in why when given.
  int Write(const std::string& path, std::string* why = nullptr) const;

  // Places the entry above the first row whose score is strictly lower, so
  // it goes below equal scores; the last row drops out. A name longer than
  // 255 characters is cut. 1 when placed, 0 when the score beats no row.
  int Insert(std::string_view name, int32_t score);

  int RowCount() const { return static_cast<int>(rows_.size()); }
  // Row accessors; an index outside the table gives an empty row.
  const std::string& RowName(int index) const { return Row(index).name; }
  int32_t RowScore(int index) const { return Row(index).score; }
  const std::string& TopName() const { return RowName(0); }
  int32_t TopScore() const { return RowScore(0); }

  // The file's bytes for the table as it stands.
  std::vector<uint8_t> Serialize() const;

 private:
  int ReadFrom(const std::string& hostPath);
  const HighScoreEntry& Row(int index) const;

  std::vector<HighScoreEntry> rows_;
};

}  // namespace players
