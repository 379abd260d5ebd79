// Profile strings on disk: whole-file reads, and writes that replace the
// file in one step so that a crash never leaves half of it behind.
#include "platform/profile.h"

#include <cstdlib>
#include <optional>

#include "platform/profile_parse.h"
#include "platform/save_location.h"
#include "platform/whole_file.h"

namespace platform {

namespace {

// Settings files are small; anything bigger than this is not one of ours.
constexpr size_t kMaxProfileBytes = size_t(16) << 20;

// A value is one line: anything from a line end or NUL on would turn into
// lines of its own.
std::string_view OneLine(std::string_view value) {
  return value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3)));
}

}  // namespace

std::string GetProfileString(const std::string& section, const std::string& key,
                             const std::string& defaultValue, const std::string& path,
                             size_t bufferSize) {
  std::string content;
  std::optional<std::string> value;
  for (const std::string& file : LocateSave(path).ReadOrder()) {
    if (ReadWholeFile(file, kMaxProfileBytes, content) != ReadResult::Ok) continue;
    value = FindProfileValue(content, section, key);
    break;
  }
  if (!value) {
    std::string_view d = defaultValue;
    while (!d.empty() && (d.back() == ' ' || d.back() == '\t')) d.remove_suffix(1);
    value = std::string(d);
  }
  if (bufferSize == 0) return {};
  if (value->size() > bufferSize - 1) value->resize(bufferSize - 1);
  return *value;
}

bool WriteProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path, std::string* why) {
  return WriteProfileStrings({{section, key, value}}, path, why);
}

bool WriteProfileStrings(const std::vector<ProfileEntry>& entries, const std::string& path,
                         std::string* why) {
  for (const ProfileEntry& e : entries) {
    if (!IsValidProfileName(e.section) || !IsValidProfileName(e.key)) {
      if (why) *why = "invalid name in the settings";
      return false;
    }
  }
  const SaveLocation where = LocateSave(path);
  // The edit starts from what a read would see. A portable file that
  // cannot be read is kept rather than replaced by a file holding only the
  // new keys; a user's copy that cannot be read counts as missing.
  std::string content;
  for (const std::string& file : where.ReadOrder()) {
    const ReadResult read = ReadWholeFile(file, kMaxProfileBytes, content);
    if (read == ReadResult::Ok) break;
    content.clear();
    if (read == ReadResult::Failed && !where.installed) {
      if (why) *why = file + " cannot be read";
      return false;
    }
  }
  for (const ProfileEntry& e : entries)
    content = SetProfileValue(content, e.section, e.key, OneLine(e.value));
  return SaveFile(where, content, why);
}

}  // namespace platform
