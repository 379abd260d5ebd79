#include "shell/services/window_title.h"

#include "platform/backend.h"

namespace shell {

void WindowTitle::Set(const std::string& text) { backend_.setTitle(title_ + " - " + text); }

}  // namespace shell
