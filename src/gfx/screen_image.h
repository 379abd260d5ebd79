// One named bitmap with a position: the pictures a screen draws.
#pragma once
#include <memory>
#include <string>

#include "platform/surface.h"

namespace platform { class Qv; }

namespace gfx {

class ScreenImage {
 public:
  static constexpr size_t kMaxName = 255;

  // No bitmap, everything zero.
  ScreenImage() = default;
  // Loads path at 16 bits keyed on pure blue; the name becomes the path and
  // the size the bitmap's. When loading fails the image stays empty and unnamed.
  ScreenImage(platform::Qv& qv, const std::string& path);
  // Loads path when given (none: no bitmap), names the image, places it at
  // (x, y) and overrides the bitmap's size where width or height are non-zero.
  ScreenImage(platform::Qv& qv, const std::string& name, const char* path, int x, int y,
              int width, int height);
  ScreenImage(const ScreenImage&) = delete;
  ScreenImage& operator=(const ScreenImage&) = delete;

  void SetPosition(int x, int y) {
    x_ = x;
    y_ = y;
  }
  void SetColourKey(int red, int green, int blue);
  platform::Surface* GetSurface() const { return surface_.get(); }

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name.substr(0, kMaxName); }
  int X() const { return x_; }
  int Y() const { return y_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetSize(int width, int height) {
    width_ = width;
    height_ = height;
  }

 private:
  // Loads the bitmap and takes its size; false when there is none.
  bool Load(platform::Qv& qv, const std::string& path);

  std::string name_;
  int x_ = 0, y_ = 0;
  int width_ = 0, height_ = 0;
  std::unique_ptr<platform::Surface> surface_;
};

}  // namespace gfx
