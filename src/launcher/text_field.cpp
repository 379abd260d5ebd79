#include "launcher/text_field.h"

#include <algorithm>
#include <cstdint>

#include "gfx/context.h"
#include "shell/services/key_queue.h"
#include "shell/services/message_pump.h"
#include "shell/services/timers.h"

namespace launcher {

TextField::TextField(gfx::Context& ctx) : ctx_(ctx) {}

TextField::~TextField() = default;

void TextField::SetCapacity(int capacity) {
  capacity_ = std::max(capacity, 0);
  text_.clear();
  cursorOn_ = 1;
}

void TextField::SetText(const std::string& text) {
  // The terminator of the stored text needs one place of the capacity.
  if (text.size() < size_t(capacity_)) text_ = text;
}

void TextField::SetFont(const gfx::BitmapFont* font) {
  if (!font) return;
  height_ = font->Height();
  fonts_.push_back(font);
}

void TextField::SetCursorImage(const std::string& path) {
  cursor_ = std::make_unique<gfx::Sprite>(ctx_);
  cursor_->AddFrameFromFile(path);
  cursor_->SetPosition(int(cursor_->X()), y_ + offsetY_);
  cursor_->SetFrameTime(0);
}

void TextField::SetOffset(int dx, int dy) {
  offsetX_ = dx;
  offsetY_ = dy;
}

void TextField::SetRect(int x, int y, int width, int height) {
  x_ = x;
  y_ = y;
  width_ = width;
  height_ = height;
}

void TextField::SetEditing(int flag) {
  if (editing_ == 0) ctx_.pump.Keys().Clear();
  editing_ = flag;
}

bool TextField::Inside(int mx, int my) const {
  const int64_t px = int64_t(mx) - offsetX_, py = int64_t(my) - offsetY_;
  return x_ <= px && px <= int64_t(x_) + width_ && y_ <= py && py <= int64_t(y_) + height_;
}

int TextField::Click(int mx, int my) {
  const bool inside = Inside(mx, my);
  if (clickSelects_) {
    if (!inside) {
      SetEditing(0);
      selected_ = 0;
    } else if (!selected_ || editing_) {
      // First click selects, a click while editing stops editing.
      selected_ = 1;
      SetEditing(0);
    } else {
      SetEditing(1);
    }
  } else {
    SetEditing(inside ? 1 : 0);
  }
  return editing_;
}

int TextField::ProcessKeys() {
  if (!editing_ || !keyboardInput_) return 0;
  for (int code = ctx_.pump.Keys().Pop(); code != 0; code = ctx_.pump.Keys().Pop()) {
    if (const auto ch = shell::KeyQueue::Translate(code)) {
      Append(*ch);
    } else if (code == kBackspace) {
      if (!text_.empty()) text_.pop_back();
    } else if (code == kEnter) {
      SetEditing(0);
      return kEnter;
    } else if (code == kTab) {
      return kTab;
    }
  }
  return 0;
}

void TextField::Append(char ch) {
  if (fonts_.empty()) return;
  const gfx::BitmapFont* font = fonts_.front();
  if (int(text_.size()) + 1 >= capacity_ - 1) return;
  if (font->TextWidth(text_.c_str()) + font->CharWidth(ch) >= width_) return;
  text_.push_back(ch);
}

const gfx::BitmapFont* TextField::DrawingFont() const {
  if (fonts_.empty()) return nullptr;
  return (selected_ == 1 && fonts_.size() > 1) ? fonts_[1] : fonts_[0];
}

void TextField::Draw(platform::Surface* target) {
  const gfx::BitmapFont* font = DrawingFont();
  if (!font) return;
  // The right limit moves with the text, so a field shown at an offset
  // keeps its whole width.
  font->DrawText(target, text_.c_str(), x_ + offsetX_, y_ + offsetY_, 0, x_ + offsetX_ + width_);
  if (!cursor_) return;
  const uint32_t now = ctx_.timers.Ticks();
  // Compared as a distance so that the clock's wrap does not stop the blink.
  if (int32_t(now - uint32_t(cursor_->FrameTime())) > 0) {
    cursor_->SetFrameTime(int(now + kBlinkMs));
    cursorOn_ = 1 - cursorOn_;
  }
  if (keyboardInput_ == 1 && editing_ == 1 && cursorOn_ == 1) {
    cursor_->SetPosition(x_ + font->TextWidth(text_.c_str()) + offsetX_, y_ + offsetY_);
    cursor_->Draw(target);
  }
}

}  // namespace launcher
