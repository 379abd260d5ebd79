// A scratch directory for one fuzz run, removed when the run ends.
#pragma once
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace fuzz_support {

class ScratchDir {
 public:
  explicit ScratchDir(const std::string& prefix) {
    std::random_device seed;
    path_ = std::filesystem::temp_directory_path() /
            (prefix + "_" + std::to_string(seed()) + std::to_string(seed()));
    std::filesystem::create_directories(path_);
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace fuzz_support
