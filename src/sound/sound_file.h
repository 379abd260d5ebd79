// The files the sound engine reads: a host file opened by its Windows-style
// path, or bytes in memory (tests, fuzzing). Reads and seeks report what
// they did; nothing throws.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

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

class MemorySoundFile : public SoundFile {
 public:
  explicit MemorySoundFile(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
  size_t Read(void* into, size_t bytes) override;
  bool Seek(uint64_t pos) override;
  uint64_t Tell() const override { return pos_; }
  uint64_t Size() const override { return bytes_.size(); }

 private:
  std::vector<uint8_t> bytes_;
  uint64_t pos_ = 0;
};

}  // namespace sound
