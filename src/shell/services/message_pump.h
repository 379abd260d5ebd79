// One pass of the message pump: every message taken feeds the key queue,
// then goes to the window procedure. Pop-ups run it from their own loops.
#pragma once
#include "shell/services/presses.h"

namespace platform { class MessageQueue; class Qv; }

namespace shell {

class KeyQueue;

class MessagePump {
 public:
  MessagePump(platform::MessageQueue& queue, platform::Qv& qv, KeyQueue& keys)
      : queue_(queue), qv_(qv), keys_(keys) {}
  // Empties the queue; 1 when a WM_QUIT was taken (it is posted again so
  // that outer loops see it too), else 0.
  int RunOnce();
  // The key and controller presses the pump has seen.
  shell::Presses& Presses() { return presses_; }
  // The typed characters the pump has fed.
  KeyQueue& Keys() { return keys_; }

 private:
  platform::MessageQueue& queue_;
  platform::Qv& qv_;
  KeyQueue& keys_;
  shell::Presses presses_;
};

}  // namespace shell
