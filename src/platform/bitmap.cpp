// A BMP reader of our own: every header field is checked against the file
// before it is used, so a damaged file gives no surface rather than a crash
// or a huge allocation.
#include "platform/bitmap.h"

#include <array>
#include <bit>
#include <optional>
#include <vector>

#include "platform/little_endian.h"
#include "platform/paths.h"
#include "platform/whole_file.h"

namespace platform {

namespace {

constexpr int kMaxSide = 16384;
constexpr uint64_t kMaxPixels = uint64_t(64) << 20;
constexpr size_t kMaxFileBytes = uint64_t(256) << 20;
constexpr size_t kFileHeaderSize = 14;

enum Compression : uint32_t {
  kRgb = 0,
  kRle8 = 1,
  kRle4 = 2,
  kBitfields = 3,
  kAlphaBitfields = 6,
};

// Little-endian reads that fail instead of running past the end.
class Reader {
 public:
  explicit Reader(std::span<const uint8_t> data) : data_(data) {}
  bool has(uint64_t offset, uint64_t count) const {
    return offset <= data_.size() && count <= data_.size() - offset;
  }
  uint16_t u16(size_t at) const { return ReadLe16(&data_[at]); }
  uint32_t u32(size_t at) const { return ReadLe32(&data_[at]); }
  uint8_t u8(size_t at) const { return data_[at]; }
  size_t size() const { return data_.size(); }

 private:
  std::span<const uint8_t> data_;
};

struct Header {
  int width = 0, height = 0;
  bool topDown = false;
  int bitCount = 0;
  uint32_t compression = kRgb;
  uint32_t masks[3] = {0, 0, 0};
  std::vector<uint32_t> palette;  // 0x00RRGGBB
  size_t pixelOffset = 0;
};

// One colour channel of a bit-field pixel, scaled to 8 bits.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;

  explicit Channel(uint32_t m) : mask(m) {
    if (!m) return;
    shift = std::countr_zero(m);
    max = m >> shift;
  }
  int value8(uint32_t pixel) const {
    if (!max) return 0;
    const uint64_t v = (pixel & mask) >> shift;
    return int((v * 255 + max / 2) / max);
  }
};

std::optional<Header> ParseHeader(const Reader& in) {
  if (!in.has(0, kFileHeaderSize + 4)) return std::nullopt;
  if (in.u8(0) != 'B' || in.u8(1) != 'M') return std::nullopt;
  Header h;
  h.pixelOffset = in.u32(10);
  const uint32_t infoSize = in.u32(kFileHeaderSize);
  const size_t info = kFileHeaderSize;
  if (!in.has(info, infoSize)) return std::nullopt;

  int64_t width = 0, height = 0;
  size_t paletteEntrySize = 4;
  uint32_t coloursUsed = 0;
  size_t paletteStart = info + infoSize;
  if (infoSize == 12) {
    // The old core header: 16-bit sizes, three-byte palette entries.
    width = in.u16(info + 4);
    height = in.u16(info + 6);
    h.bitCount = in.u16(info + 10);
    paletteEntrySize = 3;
  } else if (infoSize == 40 || infoSize == 52 || infoSize == 56 || infoSize == 108 ||
             infoSize == 124) {
    width = int32_t(in.u32(info + 4));
    height = int32_t(in.u32(info + 8));
    h.bitCount = in.u16(info + 14);
    h.compression = in.u32(info + 16);
    coloursUsed = in.u32(info + 32);
    if (h.compression == kBitfields || h.compression == kAlphaBitfields) {
      // A plain info header is followed by the masks; later headers hold them.
      if (infoSize == 40) {
        const size_t maskBytes = h.compression == kAlphaBitfields ? 16 : 12;
        if (!in.has(paletteStart, maskBytes)) return std::nullopt;
        for (int i = 0; i < 3; ++i) h.masks[i] = in.u32(paletteStart + 4 * i);
        paletteStart += maskBytes;
      } else {
        for (int i = 0; i < 3; ++i) h.masks[i] = in.u32(info + 40 + 4 * i);
      }
    }
  } else {
    return std::nullopt;
  }

  if (height < 0) {
    h.topDown = true;
    height = -height;
  }
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide ||
      uint64_t(width) * uint64_t(height) > kMaxPixels)
    return std::nullopt;
  h.width = int(width);
  h.height = int(height);

  switch (h.compression) {
    case kRgb:
      if (h.bitCount != 1 && h.bitCount != 4 && h.bitCount != 8 && h.bitCount != 16 &&
          h.bitCount != 24 && h.bitCount != 32)
        return std::nullopt;
      if (h.bitCount == 16) {
        h.masks[0] = 0x7C00;
        h.masks[1] = 0x03E0;
        h.masks[2] = 0x001F;
      }
      break;
    case kBitfields:
    case kAlphaBitfields:
      if (h.bitCount != 16 && h.bitCount != 32) return std::nullopt;
      break;
    case kRle8:
      if (h.bitCount != 8) return std::nullopt;
      break;
    case kRle4:
      if (h.bitCount != 4) return std::nullopt;
      break;
    default:
      return std::nullopt;
  }

  if (h.pixelOffset < paletteStart || h.pixelOffset > in.size()) return std::nullopt;
  if (h.bitCount <= 8) {
    const uint32_t full = 1u << h.bitCount;
    uint32_t count = (coloursUsed == 0 || coloursUsed > full) ? full : coloursUsed;
    // Some writers leave out part of the palette: use what lies before the pixels.
    const size_t room = (h.pixelOffset - paletteStart) / paletteEntrySize;
    if (count > room) count = uint32_t(room);
    h.palette.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
      const size_t at = paletteStart + i * paletteEntrySize;
      h.palette[i] = uint32_t(in.u8(at + 2)) << 16 | uint32_t(in.u8(at + 1)) << 8 | in.u8(at);
    }
  }
  return h;
}

// Where decoded pixels go: palette indices into an 8-bit surface for
// pictures of 8 bits or fewer, otherwise 5-6-5 pixels straight into the result.
struct Target {
  Surface& surface;
  void put(int x, int y, uint32_t v) {
    if (surface.format() == PixelFormat::Indexed8)
      surface.bits()[size_t(y) * surface.pitch() + x] = uint8_t(v);
    else
      surface.setPixel16(x, y, Rgb565(int(v >> 16 & 0xFF), int(v >> 8 & 0xFF), int(v & 0xFF)));
  }
};

bool DecodeUncompressed(const Reader& in, const Header& h, Target pic) {
  const uint64_t stride = ((uint64_t(h.width) * h.bitCount + 31) / 32) * 4;
  if (!in.has(h.pixelOffset, stride * uint64_t(h.height))) return false;
  const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
  for (int row = 0; row < h.height; ++row) {
    const size_t base = h.pixelOffset + size_t(stride) * row;
    const int y = h.topDown ? row : h.height - 1 - row;
    for (int x = 0; x < h.width; ++x) {
      uint32_t v = 0;
      switch (h.bitCount) {
        case 1:
          v = (in.u8(base + x / 8) >> (7 - x % 8)) & 1;
          break;
        case 4:
          v = (in.u8(base + x / 2) >> (x % 2 ? 0 : 4)) & 0xF;
          break;
        case 8:
          v = in.u8(base + x);
          break;
        case 16: {
          const uint32_t p = in.u16(base + size_t(x) * 2);
          v = uint32_t(red.value8(p)) << 16 | uint32_t(green.value8(p)) << 8 | blue.value8(p);
          break;
        }
        case 24: {
          const size_t at = base + size_t(x) * 3;
          v = uint32_t(in.u8(at + 2)) << 16 | uint32_t(in.u8(at + 1)) << 8 | in.u8(at);
          break;
        }
        case 32: {
          const uint32_t p = in.u32(base + size_t(x) * 4);
          if (h.compression == kRgb)
            v = p & 0xFFFFFF;
          else
            v = uint32_t(red.value8(p)) << 16 | uint32_t(green.value8(p)) << 8 | blue.value8(p);
          break;
        }
      }
      pic.put(x, y, v);
    }
  }
  return true;
}

// Run-length encoded 8- and 4-bit pictures. Pixels the runs skip keep index
// 0; runs past the right edge are cut. Running out of data before the
// end-of-picture mark refuses the file unless every row has been reached.
bool DecodeRle(const Reader& in, const Header& h, Target pic) {
  const bool four = h.compression == kRle4;
  size_t pos = h.pixelOffset;
  int x = 0, row = 0;  // row counts in file order
  auto put = [&](uint32_t index) {
    if (x < h.width && row < h.height) {
      const int y = h.topDown ? row : h.height - 1 - row;
      pic.put(x, y, index);
    }
    ++x;
  };
  while (row < h.height) {
    if (!in.has(pos, 2)) return false;
    const uint8_t count = in.u8(pos);
    const uint8_t value = in.u8(pos + 1);
    pos += 2;
    if (count > 0) {
      for (int i = 0; i < count && x < h.width; ++i)
        put(four ? (i % 2 ? value & 0xF : value >> 4) : value);
      continue;
    }
    switch (value) {
      case 0:  // end of line
        x = 0;
        ++row;
        break;
      case 1:  // end of picture
        return true;
      case 2:  // move right and up
        if (!in.has(pos, 2)) return false;
        x += in.u8(pos);
        row += in.u8(pos + 1);
        pos += 2;
        break;
      default: {  // literal pixels, padded to an even number of bytes
        const size_t bytes = four ? (size_t(value) + 1) / 2 : value;
        if (!in.has(pos, bytes)) return false;
        for (int i = 0; i < value; ++i) {
          const uint8_t b = in.u8(pos + (four ? size_t(i) / 2 : size_t(i)));
          put(four ? (i % 2 ? b & 0xF : b >> 4) : b);
        }
        pos += bytes + (bytes & 1);
        break;
      }
    }
  }
  return true;
}

}  // namespace

std::unique_ptr<Surface> DecodeBitmap(std::span<const uint8_t> file, int depth) {
  const Reader in(file);
  const std::optional<Header> header = ParseHeader(in);
  if (!header) return nullptr;
  const Header& h = *header;

  const bool indexed = h.bitCount <= 8;
  auto decoded = std::make_unique<Surface>(h.width, h.height,
                                           indexed ? PixelFormat::Indexed8 : PixelFormat::Rgb565);
  const bool ok = (h.compression == kRle8 || h.compression == kRle4)
                      ? DecodeRle(in, h, Target{*decoded})
                      : DecodeUncompressed(in, h, Target{*decoded});
  if (!ok) return nullptr;
  if (!indexed) return decoded;

  for (size_t i = 0; i < h.palette.size(); ++i) decoded->palette()[i] = h.palette[i];
  if (depth == 8) return decoded;

  // Indices past a short palette show black.
  auto surface = std::make_unique<Surface>(h.width, h.height, PixelFormat::Rgb565);
  for (int y = 0; y < h.height; ++y) {
    for (int x = 0; x < h.width; ++x) {
      const uint8_t index = decoded->pixel8(x, y);
      const uint32_t rgb = index < h.palette.size() ? h.palette[index] : 0;
      surface->setPixel16(x, y,
                          Rgb565(int(rgb >> 16 & 0xFF), int(rgb >> 8 & 0xFF), int(rgb & 0xFF)));
    }
  }
  return surface;
}

std::unique_ptr<Surface> LoadBitmapFile(const std::string& path, int depth) {
  std::string data;
  if (ReadWholeFile(ResolvePath(path), kMaxFileBytes, data) != ReadResult::Ok) return nullptr;
  return DecodeBitmap(std::span(reinterpret_cast<const uint8_t*>(data.data()), data.size()), depth);
}

}  // namespace platform
