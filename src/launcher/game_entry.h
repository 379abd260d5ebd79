// The games the catalogue found: one entry per game directory, in the order
// the directory listing gave them.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "gfx/sprite.h"

namespace launcher {

// Where a game lives and what starts it.
struct GameFiles {
  std::string gameDirectory;  // absolute: the launcher's directory, the separator, the name
  std::string programFile;    // the directory name with the host's program suffix
  std::string directoryName;  // as the file system spells it
};

struct GameEntry {
  GameFiles files;
  std::unique_ptr<gfx::Sprite> picture;  // the game's tile
};

class GameList {
 public:
  void Append(std::unique_ptr<GameEntry> entry) {
    if (entry) entries_.push_back(std::move(entry));
  }
  int Count() const { return int(entries_.size()); }
  // None for an index outside the list.
  GameEntry* At(int index) const {
    return index >= 0 && index < Count() ? entries_[size_t(index)].get() : nullptr;
  }
  void Clear() { entries_.clear(); }

 private:
  std::vector<std::unique_ptr<GameEntry>> entries_;
};

}  // namespace launcher
