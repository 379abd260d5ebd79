// Tells the player when something could not be saved. The first failure of
// each kind shows a message box saying what was lost and why, and the game
// goes on; repeats go to standard error only, so that a full disk does not
// stop the player at every click.
#pragma once
#include <set>
#include <string>

namespace platform { class Backend; }

namespace players {

class SaveNotice {
 public:
  // caption: the program's name, shown on the message box.
  SaveNotice(platform::Backend& backend, std::string caption);

  // what: the subject of the sentence ("The high scores"); why: the reason.
  void Report(const std::string& what, const std::string& why);

 private:
  platform::Backend& backend_;
  std::string caption_;
  std::set<std::string> shown_;
};

}  // namespace players
