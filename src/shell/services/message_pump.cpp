#include "shell/services/message_pump.h"

#include "platform/messages.h"
#include "platform/qv.h"
#include "platform/termination.h"
#include "shell/services/key_queue.h"

namespace shell {

int MessagePump::RunOnce() {
  // A request to end from outside (logout, Ctrl+C) closes the window the
  // normal way, whichever loop is pumping: the frame loop or a pop-up's.
  if (platform::TerminationRequested()) {
    platform::ClearTerminationRequest();
    queue_.post({platform::WM_CLOSE, 0, 0});
  }
  platform::Message m;
  while (queue_.peek(m)) {
    // The keyboard is sampled once per message taken.
    keys_.Feed(qv_.GetKeys());
    presses_.Observe(m, qv_.GetKeys());
    if (m.message == platform::WM_QUIT) {
      queue_.postQuit(int(m.wParam));
      return 1;
    }
    queue_.dispatch(m);
  }
  return 0;
}

}  // namespace shell
