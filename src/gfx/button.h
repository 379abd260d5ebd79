// A named, clickable picture with three looks (normal, hover, pressed)
// taken from a list of state images, and a hit rectangle that may be
// narrowed to the opaque pixels of the first image.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/surface.h"

namespace gfx {

struct Context;

class Button {
 public:
  static constexpr size_t kMaxName = 63;
  enum State { kNormal = 0, kHover = 1, kPressed = 2 };

  explicit Button(Context& ctx);
  // Drawing and hit rectangles at (x, y), empty until an image is added.
  Button(Context& ctx, int x, int y);
  Button(Context& ctx, int x, int y, int width, int height);
  virtual ~Button();
  Button(const Button&) = delete;
  Button& operator=(const Button&) = delete;

  // State images may be shared with other owners.
  virtual void AddStateSurface(std::shared_ptr<platform::Surface> surface);
  // 1 when the picture loaded and was added, else 0.
  virtual int AddStateImage(const std::string& path);
  // Cuts a strip of count pictures (side by side, or stacked when vertical
  // is non-zero) into state images; 0 and nothing added when the file is
  // missing or does not give exactly count pictures.
  virtual int LoadStateStrip(const std::string& path, int count, int vertical);
  // Window-message input: the right and bottom edges count as inside.
  virtual int HandleMouseMessage(uint32_t message, uint64_t wParam, int64_t lParam);
  // Polled input once per frame; mask bit 0 is the left button.
  virtual int HandleMouse(int x, int y, int buttonMask);
  virtual void DrawOrBackBuffer(platform::Surface* surface);
  virtual void SetImageOffset(int n);
  virtual void Draw(platform::Surface* surface);
  virtual void Redraw();
  virtual int WasClicked() const;
  virtual void Reset();
  virtual void SetName(const std::string& name);
  virtual void SetOffset(int x, int y);
  virtual void SetEnabled(int flag);
  // Makes the button part of the picture: drawn onto the background and
  // the target of the redraw queue.
  virtual void DrawOnBackground(int flag);
  virtual void SwapFirstTwoImages();
  virtual void SetFirstImageOnly(int flag);
  virtual void SetState(int state);
  virtual int GetState() const;
  virtual void SetHitRect(int x, int y, int width, int height);
  virtual void SetQueueRestore(int flag);
  virtual void SetPixelHit(int flag);

  // A key or controller press standing in for a click: an enabled button
  // reports clicked for this poll, exactly as a completed click would, so a
  // click and a press in the same frame count once.
  void Trigger();

  const std::string& Name() const { return name_; }
  int X() const { return x_; }
  int Y() const { return y_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int OffsetX() const { return offsetX_; }
  int OffsetY() const { return offsetY_; }
  int ClickKind() const { return clickKind_; }
  int Enabled() const { return enabled_; }
  int ImageOffset() const { return imageOffset_; }
  size_t ImageCount() const { return images_.size(); }
  platform::Surface* Image(size_t index) const {
    return index < images_.size() ? images_[index].get() : nullptr;
  }
  // Where Draw puts the button: the drawing rectangle moved by the offset.
  platform::Rect DrawRect() const;

 protected:
  Context& ctx_;

 private:
  bool Inside(int x, int y, bool edgesIncluded) const;
  // The first image's pixel under (x, y): -1 when there is none to read,
  // 1 for an opaque pixel, 0 for a key pixel.
  int OpaqueAt(int x, int y) const;
  void ChangeState(int state);

  int x_ = 0, y_ = 0, width_ = 0, height_ = 0;
  int hitX_ = 0, hitY_ = 0, hitWidth_ = 0, hitHeight_ = 0;
  int offsetX_ = 0, offsetY_ = 0;
  int state_ = kNormal;
  int imageOffset_ = 0;
  std::vector<std::shared_ptr<platform::Surface>> images_;
  int clicked_ = 0;
  int clickKind_ = 0;
  std::string name_;
  int enabled_ = 1;
  int firstImageOnly_ = 0;
  int queueRestore_ = 0;
  int pixelHit_ = 0;
};

}  // namespace gfx
