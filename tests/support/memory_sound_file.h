// A sound file held in memory, for the tests, fuzz targets and benchmarks
// that hand the engine bytes they made.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "sound/sound_file.h"

namespace sound {

class MemorySoundFile : public SoundFile {
 public:
  explicit MemorySoundFile(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
  size_t Read(void* into, size_t bytes) override {
    const size_t n = static_cast<size_t>(std::min<uint64_t>(bytes, bytes_.size() - pos_));
    if (n) std::memcpy(into, bytes_.data() + pos_, n);
    pos_ += n;
    return n;
  }
  bool Seek(uint64_t pos) override {
    if (pos > bytes_.size()) return false;
    pos_ = pos;
    return true;
  }
  uint64_t Tell() const override { return pos_; }
  uint64_t Size() const override { return bytes_.size(); }

 private:
  std::vector<uint8_t> bytes_;
  uint64_t pos_ = 0;
};

}  // namespace sound
