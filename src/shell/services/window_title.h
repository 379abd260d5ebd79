// The window caption: "<program title> - <text>".
#pragma once
#include <string>
#include <utility>

namespace platform { class Backend; }

namespace shell {

class WindowTitle {
 public:
  WindowTitle(platform::Backend& backend, std::string programTitle)
      : backend_(backend), title_(std::move(programTitle)) {}
  void Set(const std::string& text);

 private:
  platform::Backend& backend_;
  std::string title_;
};

}  // namespace shell
