// Small 24-bit BMP files written by the tests themselves, in a temporary
// directory that disappears with the test.
#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace gfx_test {

struct Rgb {
  int r = 0, g = 0, b = 0;
};

inline constexpr Rgb kBlue{0, 0, 255};

// Writes a bottom-up 24-bit picture whose pixel (x, y) is colour(x, y).
void WriteBmp24(const std::string& path, int width, int height,
                const std::function<Rgb(int x, int y)>& colour);

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  const std::filesystem::path& dir() const { return dir_; }

 private:
  std::filesystem::path dir_;
};

}  // namespace gfx_test
