// Walks the entries of one directory that match a pattern such as
// "/home/me/Pavlora/*": the directory part says where to look, the last
// part is a wildcard ('*' any run, '?' one character, letters compared
// without regard to case).
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/paths.h"

namespace launcher {

struct FindRecord {
  std::string name;
  uint32_t attributes = 0;  // platform::FileAttributes bits
};

class DirectoryLister {
 public:
  // Closes any listing still open and starts a new one; the first matching
  // entry, or none when the directory cannot be read or nothing matches.
  std::optional<FindRecord> Start(const std::string& pattern);
  // The next entry (the first one again right after Start), or none at the
  // end, which closes the listing. With path, writes the pattern's
  // directory prefix followed by the entry's name.
  std::optional<FindRecord> Next(std::string* path = nullptr);
  void Close();
  bool Open() const { return open_; }

  // The wildcard rule on its own.
  static bool Matches(const std::string& wildcard, const std::string& name);

 private:
  std::optional<FindRecord> FindFrom(size_t index);

  bool open_ = false;
  std::string prefix_;
  std::string wildcard_;
  std::vector<platform::DirEntry> entries_;
  size_t next_ = 0;
  std::optional<FindRecord> lookAhead_;
};

}  // namespace launcher
