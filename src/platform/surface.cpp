// Off-screen surfaces and the software blitter.
#include "platform/surface.h"

#include <algorithm>
#include <bit>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform {

namespace {

// Rows are padded past width * bytes per pixel so that code which assumes a
// packed pitch shows up at once instead of on some other machine.
int PaddedPitch(int width, int bytesPerPixel) {
  const int packed = width * bytesPerPixel;
  return ((packed + 7) & ~7) + 8;
}

int MaskBits(uint32_t mask) { return std::popcount(mask); }

bool ValidRect(const Rect& r, int width, int height) {
  return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom &&
         r.right <= width && r.bottom <= height;
}

bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// One source of pixels for a blit: the first pixel of the source rectangle
// and the distance between its rows.
struct SourceView {
  const uint8_t* origin;
  size_t pitch;
};

// One row of a keyed copy. A pixel is in the key when value - low, as an
// unsigned number, is at most high - low: one compare and no branch, so
// eight 16-bit pixels go at once where SSE2 is there.
// The key must not be inverted (low <= high).
template <typename Pixel>
void KeyedRow(Pixel* drow, const Pixel* srow, int width, ColourKey key) {
  const uint32_t low = key.low;
  const uint32_t range = uint32_t(key.high - key.low);
  int x = 0;
#if defined(__SSE2__)
  if constexpr (sizeof(Pixel) == 2) {
    const __m128i vlow = _mm_set1_epi16(short(low));
    const __m128i vrange = _mm_set1_epi16(short(range));
    const __m128i zero = _mm_setzero_si128();
    for (; x + 8 <= width; x += 8) {
      const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(srow + x));
      const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(drow + x));
      // Saturating (s - low) - range is zero exactly for keyed pixels.
      const __m128i keyed = _mm_cmpeq_epi16(_mm_subs_epu16(_mm_sub_epi16(s, vlow), vrange), zero);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(drow + x),
                       _mm_or_si128(_mm_and_si128(keyed, d), _mm_andnot_si128(keyed, s)));
    }
  }
#endif
  for (; x < width; ++x) {
    const Pixel v = srow[x];
    drow[x] = uint32_t(v) - low <= range ? drow[x] : v;
  }
}

template <typename Pixel>
void CopyPixels(uint8_t* dstOrigin, size_t dstPitch, int dstW, int dstH, SourceView src, int srcW,
                int srcH, bool keyed, ColourKey key) {
  const bool stretch = srcW != dstW || srcH != dstH;
  if (!stretch && !keyed) {
    const size_t rowBytes = size_t(dstW) * sizeof(Pixel);
    for (int y = 0; y < dstH; ++y)
      std::memcpy(dstOrigin + size_t(y) * dstPitch, src.origin + size_t(y) * src.pitch, rowBytes);
    return;
  }
  if (!stretch) {
    for (int y = 0; y < dstH; ++y)
      KeyedRow<Pixel>(reinterpret_cast<Pixel*>(dstOrigin + size_t(y) * dstPitch),
                      reinterpret_cast<const Pixel*>(src.origin + size_t(y) * src.pitch), dstW, key);
    return;
  }
  // Nearest neighbour in 16.16 fixed point: source = (dest * (srcSize << 16) / destSize) >> 16.
  std::vector<int> columns(static_cast<size_t>(dstW));
  for (int x = 0; x < dstW; ++x)
    columns[size_t(x)] = int((int64_t(x) * (int64_t(srcW) << 16) / dstW) >> 16);
  for (int y = 0; y < dstH; ++y) {
    const int sy = int((int64_t(y) * (int64_t(srcH) << 16) / dstH) >> 16);
    const auto* srow = reinterpret_cast<const Pixel*>(src.origin + size_t(sy) * src.pitch);
    auto* drow = reinterpret_cast<Pixel*>(dstOrigin + size_t(y) * dstPitch);
    for (int x = 0; x < dstW; ++x) {
      const Pixel v = srow[columns[size_t(x)]];
      if (keyed && v >= key.low && v <= key.high) continue;
      drow[x] = v;
    }
  }
}

// The first row is filled pixel by pixel, the others are copies of it.
template <typename Pixel>
void FillPixels(uint8_t* dstOrigin, size_t dstPitch, int dstW, int dstH, Pixel value) {
  auto* first = reinterpret_cast<Pixel*>(dstOrigin);
  std::fill(first, first + dstW, value);
  const size_t rowBytes = size_t(dstW) * sizeof(Pixel);
  for (int y = 1; y < dstH; ++y) std::memcpy(dstOrigin + size_t(y) * dstPitch, first, rowBytes);
}

}  // namespace

ChannelBits RgbaBits(const SurfaceDesc& desc) {
  return {MaskBits(desc.redMask), MaskBits(desc.greenMask), MaskBits(desc.blueMask), 0};
}

Surface::Surface(int width, int height, PixelFormat format)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      format_(format),
      pitch_(PaddedPitch(width_, bytesPerPixel())),
      pixels_(size_t(pitch_) * size_t(height_)) {}

SurfaceDesc Surface::describe() const {
  SurfaceDesc d;
  d.width = width_;
  d.height = height_;
  d.pitch = pitch_;
  switch (format_) {
    case PixelFormat::Rgb565:
      d.bitsPerPixel = 16;
      d.redMask = 0xF800;
      d.greenMask = 0x07E0;
      d.blueMask = 0x001F;
      break;
    case PixelFormat::Rgb555:
      d.bitsPerPixel = 16;
      d.redMask = 0x7C00;
      d.greenMask = 0x03E0;
      d.blueMask = 0x001F;
      break;
    case PixelFormat::Indexed8:
      d.bitsPerPixel = 8;
      break;
  }
  return d;
}

bool Surface::blt(const Rect* dst, const Surface* src, const Rect* srcRect, unsigned flags,
                  uint16_t fillValue) {
  const Rect d = dst ? *dst : Rect{0, 0, width_, height_};
  if (!ValidRect(d, width_, height_)) return false;
  uint8_t* dstOrigin = pixels_.data() + size_t(d.top) * pitch_ + size_t(d.left) * bytesPerPixel();

  if (flags & kBltColourFill) {
    noteChange(d);
    if (format_ == PixelFormat::Indexed8)
      FillPixels<uint8_t>(dstOrigin, size_t(pitch_), d.width(), d.height(), uint8_t(fillValue));
    else
      FillPixels<uint16_t>(dstOrigin, size_t(pitch_), d.width(), d.height(), fillValue);
    return true;
  }

  if (!src || src->format_ != format_) return false;
  const Rect s = srcRect ? *srcRect : Rect{0, 0, src->width_, src->height_};
  if (!ValidRect(s, src->width_, src->height_)) return false;

  const int bpp = bytesPerPixel();
  SourceView view{src->pixels_.data() + size_t(s.top) * src->pitch_ + size_t(s.left) * bpp,
                  size_t(src->pitch_)};
  // A copy within one surface reads from a snapshot of the source area, so
  // overlapping rectangles give the same picture as two separate surfaces.
  std::vector<uint8_t> snapshot;
  if (src == this && Overlap(s, d)) {
    const size_t rowBytes = size_t(s.width()) * bpp;
    snapshot.resize(rowBytes * size_t(s.height()));
    for (int y = 0; y < s.height(); ++y)
      std::memcpy(snapshot.data() + size_t(y) * rowBytes, view.origin + size_t(y) * view.pitch,
                  rowBytes);
    view = {snapshot.data(), rowBytes};
  }

  noteChange(d);
  // An inverted key holds no value, so nothing is transparent.
  const bool keyed = (flags & kBltKeySrc) && src->key_ && src->key_->low <= src->key_->high;
  const ColourKey key = src->key_.value_or(ColourKey{});
  if (format_ == PixelFormat::Indexed8)
    CopyPixels<uint8_t>(dstOrigin, size_t(pitch_), d.width(), d.height(), view, s.width(),
                        s.height(), keyed, key);
  else
    CopyPixels<uint16_t>(dstOrigin, size_t(pitch_), d.width(), d.height(), view, s.width(),
                         s.height(), keyed, key);
  return true;
}

uint16_t Surface::pixel16(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  const uint8_t* p = pixels_.data() + size_t(y) * pitch_;
  if (format_ == PixelFormat::Indexed8) return p[x];
  uint16_t v;
  std::memcpy(&v, p + size_t(x) * 2, 2);
  return v;
}

void Surface::setPixel16(int x, int y, uint16_t v) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  noteChange({x, y, x + 1, y + 1});
  uint8_t* p = pixels_.data() + size_t(y) * pitch_;
  if (format_ == PixelFormat::Indexed8) {
    p[x] = uint8_t(v);
    return;
  }
  std::memcpy(p + size_t(x) * 2, &v, 2);
}

void Surface::swapPixels(Surface& other) {
  if (&other == this || other.width_ != width_ || other.height_ != height_ ||
      other.format_ != format_)
    return;
  pixels_.swap(other.pixels_);
  noteChange({0, 0, width_, height_});
  other.noteChange({0, 0, width_, height_});
}

void Surface::trackChanges(bool on) {
  tracking_ = on;
  changes_.clear();
}

std::vector<Rect> Surface::takeChanges() {
  std::vector<Rect> taken;
  taken.swap(changes_);
  return taken;
}

void Surface::keepWriteLog() {
  constexpr size_t kLogged = 128;
  if (writeLog_.empty()) writeLog_.resize(kLogged);
}

bool Surface::writtenSince(uint64_t count, const Rect& r) const {
  if (count > writes_ || writes_ - count > writeLog_.size()) return true;
  for (uint64_t n = count + 1; n <= writes_; ++n)
    if (Overlap(writeLog_[n % writeLog_.size()], r)) return true;
  return false;
}

void Surface::recordChange(const Rect& r) {
  if (!writeLog_.empty()) writeLog_[writes_ % writeLog_.size()] = r;
  if (!tracking_) return;
  // A frame's drawing repeats itself (a sprite over its own wipe, the cursor
  // over its restore): a rectangle already covered adds nothing.
  for (const Rect& c : changes_)
    if (c.left <= r.left && c.top <= r.top && r.right <= c.right && r.bottom <= c.bottom) return;
  // Many small pieces (text drawn pixel by pixel) become their bounding box.
  constexpr size_t kMaxPieces = 48;
  if (changes_.size() < kMaxPieces) {
    changes_.push_back(r);
    return;
  }
  Rect box = r;
  for (const Rect& c : changes_)
    box = {std::min(box.left, c.left), std::min(box.top, c.top), std::max(box.right, c.right),
           std::max(box.bottom, c.bottom)};
  changes_.assign(1, box);
}

}  // namespace platform
