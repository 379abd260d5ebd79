#include "platform/messages.h"

namespace platform {

bool MessageQueue::peek(Message& out) {
  if (queue_.empty() && source_) source_->translatePending(*this);
  if (queue_.empty()) return false;
  out = queue_.front();
  queue_.pop_front();
  if (out.scanCode >= 0) keyboard_.apply(out.scanCode, out.keyDown);
  return true;
}

}  // namespace platform
