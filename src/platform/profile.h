// Profile strings: INI files with the reading and writing rules that the
// options and setup files rely on.
#pragma once
#include <string>
#include <vector>

namespace platform {

// Reads key from section of the INI file at path (a Windows-style path,
// resolved by ResolvePath). Section and key names compare without regard to
// case; a missing file, section or key gives the default less its trailing
// blanks. The result is cut to bufferSize - 1 characters (bufferSize 0 gives
// an empty string, as nothing could be written).
std::string GetProfileString(const std::string& section, const std::string& key,
                             const std::string& defaultValue, const std::string& path,
                             size_t bufferSize = 256);

// The file at path is looked for where LocateSave says: in an installed
// tree the user's copy first, then the tree's. A copy that cannot be read
// counts as missing.

// Writes key=value into section: a missing file or section is created, an
// existing key is rewritten in place, every other line is kept. The file is
// replaced atomically (temporary file, then rename), in an installed tree
// as the user's copy. False, with the reason in why (when given), when the
// file could not be written.
bool WriteProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path,
                        std::string* why = nullptr);

struct ProfileEntry {
  std::string section, key, value;
};
// Writes every entry, in order, in one replacement of the file: either all
// of them land or none does. False when a name is invalid (nothing is
// written) or the file could not be written.
bool WriteProfileStrings(const std::vector<ProfileEntry>& entries, const std::string& path,
                         std::string* why = nullptr);

}  // namespace platform
