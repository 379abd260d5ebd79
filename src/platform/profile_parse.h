// The INI text rules behind the profile strings, free of any file access so
// that they can be tested and fuzzed on their own.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The value of key in the first section named section (both compared without
// regard to case, both trimmed), trimmed and without one pair of matching
// quotes; nothing when the section or the key is missing.
std::optional<std::string> FindProfileValue(std::string_view content, std::string_view section,
                                            std::string_view key);

// content with key=value set in section: an existing key's line is rewritten
// in place, a missing key is added after the last non-blank line of its
// section, a missing section is appended at the end. Every other byte stays
// as it was; new lines end in CR LF. Names must already be valid (see
// IsValidProfileName) and the value free of line ends.
std::string SetProfileValue(std::string_view content, std::string_view section,
                            std::string_view key, std::string_view value);

// A section or key name that can be written and read back: not blank, no
// line end or NUL, no '=' or ']', not starting with ';' or '['.
bool IsValidProfileName(std::string_view name);

}  // namespace platform
