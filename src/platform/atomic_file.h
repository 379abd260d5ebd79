// Files replaced in one step, so that a crash, a full disk or a power cut
// during a write never leaves half a file where a whole one was.
#pragma once
#include <string>
#include <string_view>

namespace platform {

// Writes content to a fresh file beside hostPath, syncs it and renames it
// over hostPath. An existing file keeps its permissions, a link is followed
// (the file it points to is replaced), and a file that is not writable is
// left alone. False, with the old file untouched, when any step fails.
bool ReplaceFileContents(const std::string& hostPath, std::string_view content);

}  // namespace platform
