// A positioned picture with an ordered list of frames: a single image, a
// strip cut from one bitmap, or a timed animation. It draws its current
// frame keyed on blue, optionally centred, steps frames on the millisecond
// clock and leaves restore marks in the redraw queue.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/surface.h"

namespace gfx {

struct Context;

class Sprite {
 public:
  static constexpr size_t kMaxName = 63;
  enum LoopMode { kStop = 0, kLoop = 1, kRewind = 2, kOnce = 3 };

  explicit Sprite(Context& ctx);
  // A copy shares the frames of the sprite it was made from (it is marked
  // shared); shared ownership keeps the frames alive for every copy.
  Sprite(const Sprite& other);
  Sprite& operator=(const Sprite&) = delete;
  virtual ~Sprite();

  virtual void SetPosition(int x, int y);
  // Draw onto the redraw queue's current target.
  virtual void DrawOnTarget();
  virtual void Draw(platform::Surface* target);
  virtual void Move();
  virtual void SetBounds(int left, int top, int right, int bottom);
  // Ignored unless 0 <= index < frame count.
  virtual void SetFrame(int index);
  virtual void SetVisible(int flag);
  virtual void SetFrameDelay(int milliseconds);
  virtual void SetColourKey(int red, int green, int blue);
  // One clock step that ignores the range and the loop mode; 1 when due.
  virtual int Tick();
  // Any index is stored; Draw shows nothing for one outside the frames.
  virtual void SetFrameUnchecked(int index);
  // Cuts count frames from a strip (stacked when vertical is non-zero); the
  // size becomes the whole bitmap's. 0 when the bitmap is missing.
  virtual int LoadStrip(const std::string& path, int count, int vertical);
  // Cuts the bitmap into frames of the given size, row by row.
  virtual void LoadFrames(const std::string& path, int frameWidth, int frameHeight);
  virtual void SetRange(int start, int end);
  virtual void SetName(const std::string& name);
  virtual void SetPlaying(int flag);
  virtual void SetLoopMode(int mode);
  virtual void SetRestoreAfter(int flag);
  // One step of the range animation when the frame delay has passed.
  virtual void Animate();
  virtual void DivideWidthByFrames();

  // Appends a frame keyed on blue; the range becomes every frame.
  void AddFrame(std::shared_ptr<platform::Surface> surface);
  // A missing file is reported in a message box and skipped; always 1.
  int AddFrameFromFile(const std::string& path);

  void SetCentred(int flag) { centred_ = flag; }
  void SetVelocity(float vx, float vy) {
    vx_ = vx;
    vy_ = vy;
  }
  void SetRestoreFirst(int flag) { restoreFirst_ = flag; }
  void SetWrap(int flag) { wrap_ = flag; }
  void SetFrameTime(int milliseconds) { frameTime_ = milliseconds; }
  void SetSize(int width, int height) {
    width_ = width;
    height_ = height;
  }

  const std::string& Name() const { return name_; }
  float X() const { return x_; }
  float Y() const { return y_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int LoopModeValue() const { return loopMode_; }
  int Playing() const { return playing_; }
  int CurrentFrame() const { return currentFrame_; }
  int FrameCount() const { return int(frames_.size()); }
  platform::Surface* Frame(int index) const {
    return index >= 0 && index < FrameCount() ? frames_[size_t(index)].get() : nullptr;
  }
  int Centred() const { return centred_; }
  platform::Rect Bounds() const { return bounds_; }
  int FrameDelay() const { return frameDelay_; }
  int FrameTime() const { return frameTime_; }
  int Shared() const { return shared_; }
  int RangeStart() const { return rangeStart_; }
  int RangeEnd() const { return rangeEnd_; }

 // The millisecond clock the animation runs on.
  int Now() const;

 protected:
  Context& ctx_;

 private:
  // Appends cut frames without touching the bounds.
  void AppendFrames(std::vector<std::unique_ptr<platform::Surface>>& frames);

  std::string name_;
  float x_ = 0, y_ = 0;
  float vx_ = 0, vy_ = 0;
  int width_ = 0, height_ = 0;
  int loopMode_ = kStop;
  int playing_ = 0;
  std::vector<std::shared_ptr<platform::Surface>> frames_;
  int currentFrame_ = 0;
  int centred_ = 0;
  platform::Rect bounds_{};
  int frameDelay_ = 0;
  int frameTime_ = 0;
  int shared_ = 0;
  int rangeStart_ = -1;
  int rangeEnd_ = -1;
  int restoreFirst_ = 0;
  int restoreAfter_ = 1;
  int wrap_ = 0;
  int visible_ = 1;
};

}  // namespace gfx
