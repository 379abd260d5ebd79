#include "sound/sound_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/paths.h"

namespace sound {
namespace {

class HostSoundFile : public SoundFile {
 public:
  HostSoundFile(std::FILE* file, uint64_t size) : file_(file), size_(size) {}
  ~HostSoundFile() override { std::fclose(file_); }
  HostSoundFile(const HostSoundFile&) = delete;
  HostSoundFile& operator=(const HostSoundFile&) = delete;

  size_t Read(void* into, size_t bytes) override { return std::fread(into, 1, bytes, file_); }
  bool Seek(uint64_t pos) override {
    return pos <= size_ && std::fseek(file_, static_cast<long>(pos), SEEK_SET) == 0;
  }
  uint64_t Tell() const override {
    const long pos = std::ftell(file_);
    return pos < 0 ? size_ : static_cast<uint64_t>(pos);
  }
  uint64_t Size() const override { return size_; }

 private:
  std::FILE* file_;
  uint64_t size_;
};

}  // namespace

std::unique_ptr<SoundFile> DefaultOpenFile(const std::string& name) {
  const std::string path = platform::ResolvePath(name);
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return nullptr;
  long size = -1;
  if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
  if (size < 0 || std::fseek(file, 0, SEEK_SET) != 0) {
    std::fclose(file);
    return nullptr;
  }
  return std::make_unique<HostSoundFile>(file, static_cast<uint64_t>(size));
}

}  // namespace sound
