// The in-memory back end: no window, a display whose presented frames a
// test can read, input scripted by the test, a manual clock that drives the
// multimedia timer, and audio mixed only when the test pulls it.
#pragma once
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/pads.h"

namespace platform {

class PulledAudioOutput;

class HeadlessBackend : public Backend {
 public:
  HeadlessBackend();
  ~HeadlessBackend() override;

  bool startVideo(std::string& error) override;
  bool openWindow(const WindowConfig& config, std::string& error) override;
  void closeWindow() override { open_ = false; }
  void setTitle(const std::string& title) override { title_ = title; }
  void setFullscreen(bool on) override { config_.fullscreen = on; }
  void present(const Surface& frame, const std::vector<Rect>& changed) override;
  void waitForEvents(int timeoutMs) override;
  // A refresh here is one 10 ms step of the manual clock.
  void waitForNextRefresh() override { timer_.advance(10); }
  bool pointerPosition(int& x, int& y) const override;
  void messageBox(const std::string& text, const std::string& caption) override;
  MultimediaTimer& timer() override { return timer_; }
  std::unique_ptr<AudioOutput> openAudio(AudioSource& source, const AudioFormat& wanted) override;
  void translatePending(MessageQueue& queue) override;

  // --- what tests script -------------------------------------------------
  void mouseMove(int x, int y);
  void mouseDown(int x, int y, bool right = false);
  void mouseUp(int x, int y, bool right = false);
  // Down and up at once, as a touchpad tap arrives.
  void tap(int x, int y);
  // A key by DirectInput scan code, with the virtual-key code it carries.
  // repeat: a held key's repeated down, as the system sends while it is held.
  void keyDown(int scanCode, uint32_t virtualKey = 0, bool repeat = false);
  void keyUp(int scanCode, uint32_t virtualKey = 0);
  void pressKey(int scanCode, uint32_t virtualKey = 0) {
    keyDown(scanCode, virtualKey);
    keyUp(scanCode, virtualKey);
  }
  // Game controllers, through the same tracking as real ones.
  void padButton(int pad, PadButton button, bool down);
  void pressPad(int pad, PadButton button) {
    padButton(pad, button, true);
    padButton(pad, button, false);
  }
  void padStick(int pad, PadTracker::Axis axis, int value);
  void unplugPad(int pad);
  void close();                  // the close box
  void activate(bool active);    // focus gained or lost
  void failNextWindow(std::string why) { failWindow_ = std::move(why); }
  void failVideo(std::string why) { failVideo_ = std::move(why); }
  // Messages are handed over only when the program asks for them.
  void post(const Message& m) { pending_.push_back(m); }

  // --- what tests read ---------------------------------------------------
  ManualTimer& manualTimer() { return timer_; }
  bool windowOpen() const { return open_; }
  const WindowConfig& windowConfig() const { return config_; }
  const std::string& title() const { return title_; }
  int presentedCount() const { return presented_; }
  // The last presented frame, 800 x 600 RGB565 (empty before the first),
  // kept as a window keeps it: only the changed rectangles are taken in.
  const Surface* lastFrame() const { return frame_.get(); }
  struct Box { std::string text, caption; };
  const std::vector<Box>& messageBoxes() const { return boxes_; }
  // The open audio device, none before it is opened and after it is closed.
  PulledAudioOutput* audio() const { return audio_; }

 private:
  ManualTimer timer_;
  PadTracker pads_;
  bool open_ = false;
  WindowConfig config_;
  std::string title_;
  std::string failWindow_, failVideo_;
  std::vector<Message> pending_;
  std::unique_ptr<Surface> frame_;
  int presented_ = 0;
  std::atomic<int> pointerX_{0}, pointerY_{0};
  std::vector<Box> boxes_;
  PulledAudioOutput* audio_ = nullptr;
};

}  // namespace platform
