#include "players/save_notice.h"

#include <cstdio>

#include "platform/backend.h"

namespace players {

SaveNotice::SaveNotice(platform::Backend& backend, std::string caption)
    : backend_(backend), caption_(std::move(caption)) {}

void SaveNotice::Report(const std::string& what, const std::string& why) {
  const std::string text = what + " could not be saved: " + why + ".";
  if (shown_.insert(what).second)
    backend_.messageBox(text, caption_);  // which says it on standard error too
  else
    std::fprintf(stderr, "%s: %s\n", caption_.c_str(), text.c_str());
}

}  // namespace players
