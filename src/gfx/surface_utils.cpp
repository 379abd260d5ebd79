#include "gfx/surface_utils.h"

#include <cstdint>

#include "platform/qv.h"

namespace gfx::SurfaceUtils {

using platform::Rect;
using platform::Surface;

uint16_t KeyValue(const Surface* surface, int red, int green, int blue) {
  if (!surface) return 0;
  const platform::ChannelBits bits = platform::RgbaBits(surface->describe());
  // Channel counts above 8 cannot occur in a 16-bit format; clamping keeps
  // the shifts defined for any description.
  auto channel = [](int value, int count) {
    if (count <= 0) return 0u;
    if (count > 8) count = 8;
    return (unsigned(value) & 0xFFu) >> (8 - count);
  };
  const unsigned value = (channel(red, bits.red) << (bits.green + bits.blue)) +
                         (channel(green, bits.green) << bits.blue) + channel(blue, bits.blue);
  return uint16_t(value & 0xFFFFu);
}

void SetColourKey(Surface* surface, int red, int green, int blue) {
  if (!surface) return;
  const uint16_t key = KeyValue(surface, red, green, blue);
  surface->setColourKey(platform::ColourKey{key, key});
}

int ReadPixel(const Surface* surface, int x, int y) {
  if (!surface || x < 0 || y < 0 || x >= surface->width() || y >= surface->height()) return -1;
  if (surface->format() == platform::PixelFormat::Indexed8) return surface->pixel8(x, y);
  return surface->pixel16(x, y);
}

void Size(const Surface* surface, int& width, int& height) {
  width = surface ? surface->width() : 0;
  height = surface ? surface->height() : 0;
}

std::unique_ptr<Surface> CreateBlank(platform::Qv& qv, int width, int height) {
  platform::Display* display = qv.GetLPDD();
  if (!display || width <= 0 || height <= 0) return nullptr;
  auto surface = display->createSurface(width, height);
  if (surface) surface->setColourKey(platform::ColourKey{0, 0});
  return surface;
}

void FillRaw(Surface* surface, uint16_t value) {
  if (surface) surface->fill(value);
}

Rect CentreRect(const Surface* surface, int left, int top, int width, int height) {
  int w = 0, h = 0;
  Size(surface, w, h);
  Rect r;
  r.left = left + width / 2 - w / 2;
  r.top = top + height / 2 - h / 2;
  r.right = r.left + w;
  r.bottom = r.top + h;
  return r;
}

int SplitSurface(platform::Qv& qv, const Surface* source, SurfaceList& list, int frameWidth,
                 int frameHeight) {
  if (!source || frameWidth <= 0 || frameHeight <= 0) return 0;
  const int cols = source->width() / frameWidth;
  const int rows = source->height() / frameHeight;
  const int count = cols * rows;
  for (int i = 0; i < count; ++i) {
    auto frame = CreateBlank(qv, frameWidth, frameHeight);
    if (!frame) return 0;
    SetColourKey(frame.get(), 0, 0, 255);
    const int left = frameWidth * (i % cols);
    const int top = frameHeight * (i / cols);
    const Rect from{left, top, left + frameWidth, top + frameHeight};
    frame->blt(nullptr, source, &from, 0);
    list.push_back(std::move(frame));
  }
  return 1;
}

std::unique_ptr<Surface> LoadStrip(platform::Qv& qv, const std::string& path, int count,
                                   int vertical, SurfaceList& list) {
  if (count < 1) return nullptr;
  std::unique_ptr<Surface> strip = qv.LoadBitmap(path);
  if (!strip) return nullptr;
  const int w = strip->width(), h = strip->height();
  SplitSurface(qv, strip.get(), list, vertical ? w : w / count, vertical ? h / count : h);
  return strip;
}

int SplitFile(platform::Qv& qv, const std::string& path, SurfaceList& list, int frameWidth,
              int frameHeight) {
  std::unique_ptr<Surface> bitmap = qv.LoadBitmap(path);
  if (!bitmap) return 0;
  return SplitSurface(qv, bitmap.get(), list, frameWidth, frameHeight);
}

namespace {

// One axis of the clip: a destination span [d, d + n) against [0, limit),
// moving the source start s by what is cut on the near side. False when
// nothing of the span is left.
bool ClipAxis(int64_t& d, int64_t& s, int64_t& n, int64_t limit) {
  if (d < 0) {
    s -= d;
    n += d;
    d = 0;
  }
  if (d + n > limit) n = limit - d;
  return n > 0;
}

}  // namespace

void CopyRect(const Surface* source, int x, int y, int width, int height, Surface* destination,
              int dx, int dy) {
  if (!source || !destination) return;
  int64_t sx = x, sy = y, w = width, h = height, ox = dx, oy = dy;
  if (!ClipAxis(ox, sx, w, destination->width())) return;
  if (!ClipAxis(oy, sy, h, destination->height())) return;
  // Whatever is left of a rectangle outside the source is refused by the blit.
  if (sx < INT32_MIN || sy < INT32_MIN || sx + w > INT32_MAX || sy + h > INT32_MAX) return;
  const Rect to{int(ox), int(oy), int(ox + w), int(oy + h)};
  const Rect from{int(sx), int(sy), int(sx + w), int(sy + h)};
  destination->blt(&to, source, &from, platform::kBltKeySrc);
}

void DrawKeyed(const Surface* source, Surface* destination, int x, int y) {
  if (!source) return;
  CopyRect(source, 0, 0, source->width(), source->height(), destination, x, y);
}

}  // namespace gfx::SurfaceUtils
