// Reading a whole file into memory, as the settings and picture loaders do.
#pragma once
#include <cstddef>
#include <string>

namespace platform {

enum class ReadResult { Ok, Missing, Failed };

// Reads the file at the host path into out. Missing when there is no such
// file; Failed when it cannot be read or holds more than maxBytes (out is
// then of no use).
ReadResult ReadWholeFile(const std::string& path, size_t maxBytes, std::string& out);

}  // namespace platform
