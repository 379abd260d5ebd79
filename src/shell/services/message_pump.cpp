#include "shell/services/message_pump.h"

#include "platform/backend.h"
#include "platform/messages.h"
#include "platform/qv.h"
#include "shell/services/key_queue.h"

namespace shell {

int MessagePump::RunOnce() {
  platform::Message m;
  while (queue_.peek(m)) {
    // The keyboard is sampled once per message taken.
    keys_.Feed(qv_.GetKeys());
    if (m.message == platform::WM_QUIT) {
      queue_.postQuit(int(m.wParam));
      return 1;
    }
    queue_.dispatch(m);
  }
  return 0;
}

void WindowTitle::Set(const std::string& text) { backend_.setTitle(title_ + " - " + text); }

}  // namespace shell
