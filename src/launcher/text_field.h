// A short text shown in a rectangle with a bitmap font: the title screen's
// name labels and the players screen's entry fields. A field can be
// selected (drawn with its second font) and edited (typed keys go into it,
// a block cursor blinks at the end of the text).
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "gfx/bitmap_font.h"
#include "gfx/sprite.h"

namespace gfx { struct Context; }
namespace platform { class Surface; }

namespace launcher {

class TextField {
 public:
  static constexpr int kTab = 15;
  static constexpr int kEnter = 28;
  static constexpr int kBackspace = 14;
  static constexpr int kBlinkMs = 500;

  explicit TextField(gfx::Context& ctx);
  ~TextField();
  TextField(const TextField&) = delete;
  TextField& operator=(const TextField&) = delete;

  // Room for capacity - 1 characters; empties the text and shows the cursor.
  void SetCapacity(int capacity);
  // Taken only when it fits the capacity; otherwise nothing changes.
  void SetText(const std::string& text);
  // A font that stays the caller's; appended to the list, height follows it.
  void SetFont(const gfx::BitmapFont* font);
  // A font the field loads and keeps.
  void SetCursorImage(const std::string& path);
  void SetOffset(int dx, int dy);
  void SetRect(int x, int y, int width, int height);
  // Starting to edit drops whatever was typed before.
  void SetEditing(int flag);
  void SetSelected(int flag) { selected_ = flag; }
  void SetClickSelects(int flag) { clickSelects_ = flag; }
  void SetKeyboardInput(int flag) { keyboardInput_ = flag; }

  // A left click at (mx, my); the editing state afterwards.
  int Click(int mx, int my);
  // Types the queued keys; Tab or Enter stop and are returned, else 0.
  int ProcessKeys();
  void Draw(platform::Surface* target);

  const std::string& Text() const { return text_; }
  int Editing() const { return editing_; }
  int Selected() const { return selected_; }
  int X() const { return x_; }
  int Y() const { return y_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int OffsetX() const { return offsetX_; }
  int OffsetY() const { return offsetY_; }
  int Capacity() const { return capacity_; }

 private:
  bool Inside(int mx, int my) const;
  void Append(char ch);
  const gfx::BitmapFont* DrawingFont() const;

  gfx::Context& ctx_;
  int x_ = 0, y_ = 0;
  int offsetX_ = 0, offsetY_ = 0;
  int width_ = 0, height_ = 0;
  std::string text_;
  std::vector<const gfx::BitmapFont*> fonts_;
  int capacity_ = 0;
  std::unique_ptr<gfx::Sprite> cursor_;
  int cursorOn_ = 0;
  int editing_ = 0;
  int selected_ = 0;
  int clickSelects_ = 1;
  int keyboardInput_ = 1;
};

}  // namespace launcher
