// Files replaced in one step, so that a crash, a full disk or a power cut
// during a write never leaves half a file where a whole one was.
#pragma once
#include <string>
#include <string_view>

namespace platform {

// Writes content to a fresh file beside hostPath, syncs it and renames it
// over hostPath. An existing file keeps its permissions, a link is followed
// (the file it points to is replaced), and a file that is not writable is
// left alone. When the folder takes no new file but the file itself is
// writable, the file is rewritten in place and synced instead. False, with
// the reason in why (when given), when the file could not be written.
bool ReplaceFileContents(const std::string& hostPath, std::string_view content,
                         std::string* why = nullptr);

}  // namespace platform
