#include "gfx/bitmap_font.h"

#include <algorithm>

#include "gfx/surface_utils.h"
#include "platform/qv.h"
#include "platform/surface.h"

namespace gfx {

namespace {

constexpr int kFirst = 33;  // '!'
constexpr int kLast = 126;  // '~'
constexpr int kSpace = 32;
constexpr size_t kMaxDrawn = 255;

// Characters are signed bytes whatever the compiler's char is: codes above
// 127 come out negative and fall below the glyph table.
int Code(char ch) { return static_cast<signed char>(ch); }

bool EmptyColumn(const platform::Surface* s, int column, int height, int key) {
  for (int y = 0; y < height; ++y)
    if (SurfaceUtils::ReadPixel(s, column, y) != key) return false;
  return true;
}

}  // namespace

BitmapFont::BitmapFont(platform::Qv& qv) : qv_(qv) {}

BitmapFont::~BitmapFont() = default;

std::unique_ptr<BitmapFont> BitmapFont::FromFile(platform::Qv& qv, const std::string& path,
                                                 int letterSpacing) {
  auto font = std::make_unique<BitmapFont>(qv);
  font->Load(path);
  font->SetLetterSpacing(letterSpacing);
  return font;
}

int BitmapFont::Load(const std::string& path) {
  surface_.reset();
  glyphs_.fill(Glyph{});
  height_ = spaceWidth_ = letterSpacing_ = 0;

  std::unique_ptr<platform::Surface> bitmap = qv_.LoadBitmap(path);
  if (!bitmap) return 0;
  const int height = bitmap->height();
  const int width = bitmap->width();
  SurfaceUtils::SetColourKey(bitmap.get(), 0, 0, 255);
  const int key = SurfaceUtils::KeyValue(bitmap.get(), 0, 0, 255);

  std::array<Glyph, 94> found{};
  int c = 0;
  for (Glyph& g : found) {
    if (c > width) return 0;
    while (c < width) {
      const bool empty = EmptyColumn(bitmap.get(), c, height, key);
      ++c;
      if (!empty) {
        g.start = c - 1;
        break;
      }
    }
    if (g.start < 0) return 0;
    g.end = width;  // a glyph that runs to the right edge ends there
    while (c < width) {
      const bool empty = EmptyColumn(bitmap.get(), c, height, key);
      ++c;
      if (empty) {
        g.end = c - 1;
        break;
      }
    }
    g.width = g.end - g.start;
  }

  int widest = 0;
  for (const Glyph& g : found) widest = std::max(widest, g.width);
  glyphs_ = found;
  height_ = height;
  spaceWidth_ = widest / 2;
  letterSpacing_ = widest / 10;
  surface_ = std::move(bitmap);
  return 1;
}

int BitmapFont::DrawChar(platform::Surface* target, char ch, int x, int y) const {
  const int code = Code(ch);
  if (code == kSpace) return spaceWidth_;
  if (code < kFirst || code > kLast) return 0;
  const Glyph& g = glyphs_[size_t(code - kFirst)];
  if (g.start == -1 || g.end == -1) return 0;
  if (target && surface_) {
    const platform::Rect from{g.start, 0, g.end, height_};
    const platform::Rect to{x, y, x + g.width, y + height_};
    target->blt(&to, surface_.get(), &from, platform::kBltKeySrc);
  }
  return g.width + letterSpacing_;
}

int BitmapFont::CharWidth(char ch) const {
  const int code = Code(ch);
  // Control characters, DEL and codes above 127 measure as a space.
  if (code < kFirst || code > kLast) return spaceWidth_;
  return glyphs_[size_t(code - kFirst)].width + letterSpacing_;
}

int BitmapFont::TextWidth(const char* text) const {
  if (!text) return 0;
  int total = 0;
  for (const char* p = text; *p; ++p) total += CharWidth(*p);
  return total;
}

int BitmapFont::DrawText(platform::Surface* target, const char* text, int x, int y,
                         int alignment, int limit) const {
  if (!text) return 1;
  // At most 255 characters, however long the text.
  size_t length = 0;
  while (length < kMaxDrawn && text[length] != '\0') ++length;
  if (alignment == 0) {
    for (size_t i = 0; i < length; ++i) {
      if (limit != -1 && x + CharWidth(text[i]) >= limit) break;
      x += DrawChar(target, text[i], x, y);
    }
  } else if (alignment == 1) {
    for (size_t i = length; i-- > 0;) {
      x -= CharWidth(text[i]);
      DrawChar(target, text[i], x, y);
    }
  }
  return 1;
}

}  // namespace gfx
