#include "gfx/screen_image.h"

#include "gfx/surface_utils.h"
#include "platform/qv.h"

namespace gfx {

ScreenImage::ScreenImage(platform::Qv& qv, const std::string& path) {
  if (Load(qv, path)) SetName(path);
}

ScreenImage::ScreenImage(platform::Qv& qv, const std::string& name, const char* path, int x,
                         int y, int width, int height) {
  if (path) Load(qv, path);
  SetName(name);
  x_ = x;
  y_ = y;
  if (width != 0) width_ = width;
  if (height != 0) height_ = height;
}

bool ScreenImage::Load(platform::Qv& qv, const std::string& path) {
  surface_ = qv.LoadBitmap(path, 16);
  if (!surface_) return false;
  SurfaceUtils::SetColourKey(surface_.get(), 0, 0, 255);
  SurfaceUtils::Size(surface_.get(), width_, height_);
  return true;
}

void ScreenImage::SetColourKey(int red, int green, int blue) {
  SurfaceUtils::SetColourKey(surface_.get(), red, green, blue);
}

}  // namespace gfx
