// Off-screen pixel surfaces: the blitter every picture on screen goes through.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace platform {

// Edges, right and bottom exclusive (a 10 x 5 rectangle at the origin is {0, 0, 10, 5}).
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

enum class PixelFormat { Rgb565, Rgb555, Indexed8 };

struct ColourKey {
  uint16_t low = 0, high = 0;  // a pixel is transparent when low <= value <= high
  bool operator==(const ColourKey&) const = default;
};

// What a surface description reports.
struct SurfaceDesc {
  int width = 0, height = 0;
  int pitch = 0;  // bytes from one row to the next; may exceed width * bytes per pixel
  int bitsPerPixel = 16;
  uint32_t redMask = 0, greenMask = 0, blueMask = 0;
};

// Bit counts of a pixel format's red, green, blue and alpha channels.
struct ChannelBits { int red = 0, green = 0, blue = 0, alpha = 0; };
ChannelBits RgbaBits(const SurfaceDesc& desc);

enum BltFlags : unsigned {
  kBltKeySrc = 1u << 0,      // skip source pixels inside the source's colour key
  kBltColourFill = 1u << 1,  // fill the destination with the given raw value
};

class Surface {
 public:
  Surface(int width, int height, PixelFormat format = PixelFormat::Rgb565);
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  int width() const { return width_; }
  int height() const { return height_; }
  PixelFormat format() const { return format_; }
  int bytesPerPixel() const { return format_ == PixelFormat::Indexed8 ? 1 : 2; }
  SurfaceDesc describe() const;

  void setColourKey(std::optional<ColourKey> key) { key_ = key; }
  std::optional<ColourKey> colourKey() const { return key_; }

  // Copies src (whole surface when srcRect is null) to dst (whole surface when
  // null), stretching nearest-neighbour when the sizes differ. With
  // kBltColourFill the source is ignored and fillValue is written. A destination
  // rectangle not wholly inside this surface, an inverted rectangle, a source
  // rectangle outside the source or mismatched formats refuse the blit: false,
  // nothing drawn.
  bool blt(const Rect* dst, const Surface* src, const Rect* srcRect, unsigned flags,
           uint16_t fillValue = 0);
  bool fill(uint16_t value) { return blt(nullptr, nullptr, nullptr, kBltColourFill, value); }

  // Direct pixel access. The pitch is in bytes and is not width * bytes per pixel.
  // Writable access counts the whole surface as changed (see trackChanges).
  uint8_t* bits() {
    noteChange({0, 0, width_, height_});
    return pixels_.data();
  }
  const uint8_t* bits() const { return pixels_.data(); }
  int pitch() const { return pitch_; }
  uint16_t pixel16(int x, int y) const;
  void setPixel16(int x, int y, uint16_t v);
  uint8_t pixel8(int x, int y) const { return pixels_[size_t(y) * pitch_ + x]; }

  // 0x00RRGGBB entries of an 8-bit surface's palette.
  std::array<uint32_t, 256>& palette() { return palette_; }
  const std::array<uint32_t, 256>& palette() const { return palette_; }

  // Exchanges the pixel memory of two surfaces of the same size and format:
  // how a page flip swaps front and back buffer behind a fixed surface object.
  void swapPixels(Surface& other);

  // A tracked surface (the back buffer) remembers the rectangles drawn on it
  // since the last takeChanges(), so that a display updates only those.
  // The list is a superset of what changed; it may also be coarser.
  void trackChanges(bool on);
  std::vector<Rect> takeChanges();

  // Every write is counted. A surface that keeps a log of its latest writes
  // (a page or a screen's picture, where drawings are left in place) can
  // tell whether a rectangle was written after a given count; when the log
  // no longer reaches that far back it says yes.
  void keepWriteLog();
  uint64_t writeCount() const { return writes_; }
  bool writtenSince(uint64_t count, const Rect& r) const;

 private:
  // Counts every write; logs and tracks it where asked (inline: a bitmap
  // decoder writes pixel by pixel).
  void noteChange(const Rect& r) {
    ++writes_;
    if (tracking_ || !writeLog_.empty()) recordChange(r);
  }
  void recordChange(const Rect& r);

  int width_, height_;
  PixelFormat format_;
  int pitch_;
  std::vector<uint8_t> pixels_;
  std::optional<ColourKey> key_;
  std::array<uint32_t, 256> palette_{};
  bool tracking_ = false;
  std::vector<Rect> changes_;
  uint64_t writes_ = 0;
  std::vector<Rect> writeLog_;  // a ring: write n went to writeLog_[n % size]
};

// 8-bit colour channels to a 565 pixel and back (the back-ends and tests use these).
constexpr uint16_t Rgb565(int r, int g, int b) {
  return uint16_t(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}
constexpr uint16_t Rgb555(int r, int g, int b) {
  return uint16_t(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
}

}  // namespace platform
