// What a back end (SDL, or the in-memory one for tests) provides: the
// window and its events, presenting a logical 800 x 600 frame, message
// boxes, the clock and timer, and the audio device.
#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio_output.h"
#include "platform/messages.h"
#include "platform/surface.h"
#include "platform/timer.h"

namespace platform {

struct WindowConfig {
  std::string title;
  bool fullscreen = false;
  bool topmostOnSmallDesktop = false;  // windowed on an 800 x 600 desktop: stay on top
  int width = 800, height = 600;        // the logical client area
  // Scaling of the logical picture to the window: whole multiples with
  // nearest pixels (sharp) or any size, smoothed (the default).
  bool sharpScale = false;
};

// Mouse buttons as the 10 ms poll sees them. A press that is released again
// before the next poll is still reported once, so a quick tap is never lost.
class MouseButtons {
 public:
  void press(uint32_t bit) {
    current_.fetch_or(bit);
    latched_.fetch_or(bit);
  }
  void release(uint32_t bit) { current_.fetch_and(~bit); }
  // Forgets every button, also a press the poll has not seen yet.
  void releaseAll() {
    current_.store(0);
    latched_.store(0);
  }
  uint32_t poll() { return current_.load() | latched_.exchange(0); }
  uint32_t current() const { return current_.load(); }

 private:
  std::atomic<uint32_t> current_{0}, latched_{0};
};

class Backend : public NativeEventSource {
 public:
  ~Backend() override = default;

  // The logical display's colour depth (16: the frame is RGB565 whatever
  // the desktop uses).
  virtual int displayBitsPerPixel() const { return 16; }
  // Brings up the video system; false (with the back end's own words in
  // error) when there is none to be had.
  virtual bool startVideo(std::string& error) = 0;
  // Opens the window; on failure error says why (the back end's own words).
  virtual bool openWindow(const WindowConfig& config, std::string& error) = 0;
  virtual void closeWindow() = 0;
  virtual void setTitle(const std::string& title) = 0;
  // Switches between the window and the desktop-sized full screen.
  virtual void setFullscreen(bool on) = 0;
  // Shows an 800 x 600 RGB565 frame of which only the changed rectangles
  // differ from the frame presented before (none: nothing new to show).
  // The first frame, and any frame after the back end lost what it showed,
  // is taken whole.
  virtual void present(const Surface& frame, const std::vector<Rect>& changed) = 0;
  // Sleeps until a native event arrives or timeoutMs pass (used while the
  // window is inactive or minimised, so that no core is burnt).
  virtual void waitForEvents(int timeoutMs) = 0;
  // Returns at the display's next refresh at the latest, sooner when input
  // arrives: how a loop that does not pace itself keeps from burning a core.
  virtual void waitForNextRefresh() = 0;
  // The pointer in logical coordinates, when it is known.
  virtual bool pointerPosition(int& x, int& y) const = 0;
  virtual void messageBox(const std::string& text, const std::string& caption) = 0;

  virtual MultimediaTimer& timer() = 0;
  // Opens the audio device pulling from source; none when there is no device.
  virtual std::unique_ptr<AudioOutput> openAudio(AudioSource& source, const AudioFormat& wanted) = 0;

  // The button state polled by the timer thread; the back end writes it.
  MouseButtons& mouseButtons() { return buttons_; }

 protected:
  MouseButtons buttons_;
};

}  // namespace platform
