#include "launcher/directory_lister.h"

#include "platform/ascii.h"

namespace launcher {

bool DirectoryLister::Matches(const std::string& wildcard, const std::string& name) {
  // Greedy match with one remembered star: linear in practice, never recursive.
  size_t w = 0, n = 0, starW = std::string::npos, starN = 0;
  while (n < name.size()) {
    if (w < wildcard.size() && (wildcard[w] == '?' || platform::AsciiLower(wildcard[w]) == platform::AsciiLower(name[n]))) {
      ++w;
      ++n;
    } else if (w < wildcard.size() && wildcard[w] == '*') {
      starW = w++;
      starN = n;
    } else if (starW != std::string::npos) {
      w = starW + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (w < wildcard.size() && wildcard[w] == '*') ++w;
  return w == wildcard.size();
}

std::optional<FindRecord> DirectoryLister::Start(const std::string& pattern) {
  Close();
  const size_t cut = pattern.find_last_of("/\\");
  prefix_ = cut == std::string::npos ? std::string() : pattern.substr(0, cut + 1);
  wildcard_ = cut == std::string::npos ? pattern : pattern.substr(cut + 1);
  const std::string directory = prefix_.empty() ? std::string(".") : prefix_;
  if (!platform::FileExists(directory)) return std::nullopt;
  entries_ = platform::ListDirectory(directory);
  open_ = true;
  lookAhead_ = FindFrom(0);
  if (!lookAhead_) {
    Close();
    return std::nullopt;
  }
  return lookAhead_;
}

std::optional<FindRecord> DirectoryLister::FindFrom(size_t index) {
  for (next_ = index; next_ < entries_.size(); ++next_) {
    const platform::DirEntry& e = entries_[next_];
    if (Matches(wildcard_, e.name)) {
      ++next_;
      return FindRecord{e.name, e.attributes};
    }
  }
  return std::nullopt;
}

std::optional<FindRecord> DirectoryLister::Next(std::string* path) {
  if (!open_) return std::nullopt;
  std::optional<FindRecord> record;
  if (lookAhead_) {
    record = std::move(lookAhead_);
    lookAhead_.reset();
  } else {
    record = FindFrom(next_);
  }
  if (!record) {
    Close();
    return std::nullopt;
  }
  if (path) *path = prefix_ + record->name;
  return record;
}

void DirectoryLister::Close() {
  open_ = false;
  entries_.clear();
  next_ = 0;
  lookAhead_.reset();
}

}  // namespace launcher
