// The files the sound engine reads, by default host files opened by their
// Windows-style paths. Reads and seeks report what they did; nothing throws.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace sound {

class SoundFile {
 public:
  virtual ~SoundFile() = default;
  // Bytes actually read (fewer at the end of the file or on an error).
  virtual size_t Read(void* into, size_t bytes) = 0;
  // False when pos lies beyond the end of the file.
  virtual bool Seek(uint64_t pos) = 0;
  virtual uint64_t Tell() const = 0;
  virtual uint64_t Size() const = 0;
};

using FileOpenFunc = std::function<std::unique_ptr<SoundFile>(const std::string& name)>;

// "sounds\bell.wav" resolved on the host; none when it cannot be opened.
std::unique_ptr<SoundFile> DefaultOpenFile(const std::string& name);

}  // namespace sound
