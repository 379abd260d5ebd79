// The graphics and input library: display pages and flipping, the mouse and
// keyboard, bitmap loading and a small text printer. One per program.
#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/backend.h"
#include "platform/surface.h"

namespace platform {

// The display object screens are activated with: it owns the two pages and
// makes off-screen surfaces.
class Display {
 public:
  Display(int width, int height) : front_(width, height), back_(width, height) {}
  std::unique_ptr<Surface> createSurface(int width, int height) const {
    return std::make_unique<Surface>(width, height, PixelFormat::Rgb565);
  }
  // What the display shows; brought up to date by each flip.
  Surface& front() { return front_; }
  Surface& back() { return back_; }

 private:
  Surface front_, back_;
};

class Qv {
 public:
  Qv(Backend& backend, MessageQueue& queue, KeyboardSnapshot& keyboard);
  ~Qv();

  void DebugEnable(int on) { debug_ = on; }
  // Full-screen and windowed forms; non-zero when the display is ready.
  int InitDirectX(int width, int height, int bitsPerPixel);
  int InitDirectX(int width, int height);
  // Reports the last start-up error on standard error and in a message box.
  void PrintError();
  void SetViewport(int x, int y, int width, int height);
  Display* GetLPDD() { return display_.get(); }
  void GetDDInfo(Surface** front, Surface** back);
  // Shows the back buffer and exchanges the pages; 1 on success.
  int Flip();
  std::unique_ptr<Surface> LoadBitmap(const std::string& path, int depth = 16);

  void InitMouse() { mouseReady_ = true; }
  void InitKeyboard() { keyboardReady_ = true; }
  void InitFont() { fontReady_ = true; }
  // Letting the mouse go drops what its buttons did until then: a press
  // made just before the focus left is not held when it comes back.
  void AcquireMouse(int acquire);
  void SetWindowXY(int x, int y) { windowX_ = x; windowY_ = y; }
  // Safe to call from the timer thread. x and y are not used by callers.
  void GetMouseData(int* x, int* y, int* buttons);
  // The keyboard snapshot, or null before InitKeyboard.
  const uint8_t* GetKeys() const { return keyboardReady_ ? keyboard_.data() : nullptr; }
  // Draws text with the built-in font onto the back buffer; the rectangle
  // it may have touched (empty when nothing was drawn).
  Rect PrintString(const char* text, int x, int y);
  float GetFPS() const { return fps_; }
  void FreeFont() { fontReady_ = false; }
  void FreeDirectInput() {
    mouseReady_ = false;
    keyboardReady_ = false;
  }
  void FreeDirectX();

  Backend& backend() { return backend_; }
  MessageQueue& queue() { return queue_; }

 private:
  Backend& backend_;
  MessageQueue& queue_;
  KeyboardSnapshot& keyboard_;
  std::unique_ptr<Display> display_;
  bool showWhole_ = false;  // the next flip hands on the whole frame
  std::string lastError_;
  int debug_ = 0;
  std::atomic<bool> mouseReady_{false};
  bool keyboardReady_ = false, fontReady_ = false;
  std::atomic<bool> mouseAcquired_{false};
  int windowX_ = 0, windowY_ = 0;
  float fps_ = 0;
  uint32_t fpsWindowStart_ = 0;
  int fpsFrames_ = 0;
};

}  // namespace platform
