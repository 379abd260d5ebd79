// Proportional bitmap fonts: the 94 printable ASCII glyphs (33..126) side by
// side in one picture, separated by columns of the blue key, measured when
// the picture is loaded.
#pragma once
#include <array>
#include <memory>
#include <string>

namespace platform { class Qv; class Surface; }

namespace gfx {

class BitmapFont {
 public:
  struct Glyph {
    int start = -1, end = -1, width = 0;
  };

  explicit BitmapFont(platform::Qv& qv);
  ~BitmapFont();
  // A font loaded from path (without glyphs when it could not be) with that spacing.
  static std::unique_ptr<BitmapFont> FromFile(platform::Qv& qv, const std::string& path,
                                              int letterSpacing = 0);

  // 1 when all 94 glyphs were found, else 0.
  int Load(const std::string& path);
  int DrawChar(platform::Surface* target, char ch, int x, int y) const;
  int CharWidth(char ch) const;
  int TextWidth(const char* text) const;
  // alignment 0: x is the left edge, limit -1 or the x no glyph may reach;
  // alignment 1: x is the right edge. At most 255 characters are drawn.
  int DrawText(platform::Surface* target, const char* text, int x, int y, int alignment,
               int limit = -1) const;

  int Height() const { return height_; }
  int SpaceWidth() const { return spaceWidth_; }
  int LetterSpacing() const { return letterSpacing_; }
  // Callers may override the spacing measured from the widest glyph.
  void SetLetterSpacing(int spacing) { letterSpacing_ = spacing; }
  // Index 0 is '!'; an index outside the table gives a glyph not found.
  const Glyph& GlyphAt(int index) const {
    static const Glyph kNotFound{};
    return index >= 0 && index < int(glyphs_.size()) ? glyphs_[size_t(index)] : kNotFound;
  }
  platform::Surface* Surface() const { return surface_.get(); }

 private:
  platform::Qv& qv_;
  std::unique_ptr<platform::Surface> surface_;
  int height_ = 0;
  int spaceWidth_ = 0;
  int letterSpacing_ = 0;
  std::array<Glyph, 94> glyphs_{};
};

}  // namespace gfx
