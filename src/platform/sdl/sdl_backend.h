// The desktop back end: an SDL window showing the logical 800 x 600 frame
// scaled to fit, SDL input turned into window messages, SDL audio.
#pragma once
#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/pads.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct _SDL_GameController;
union SDL_Event;

namespace platform {

class SdlBackend : public Backend {
 public:
  SdlBackend();
  ~SdlBackend() override;

  bool startVideo(std::string& error) override;
  bool openWindow(const WindowConfig& config, std::string& error) override;
  void closeWindow() override;
  void setTitle(const std::string& title) override;
  void setFullscreen(bool on) override;
  void present(const Surface& frame, const std::vector<Rect>& changed) override;
  void waitForEvents(int timeoutMs) override;
  void waitForNextRefresh() override;
  bool pointerPosition(int& x, int& y) const override;
  void messageBox(const std::string& text, const std::string& caption) override;
  MultimediaTimer& timer() override { return *timer_; }
  std::unique_ptr<AudioOutput> openAudio(AudioSource& source, const AudioFormat& wanted) override;
  void translatePending(MessageQueue& queue) override;

 private:
  void translate(const SDL_Event& e, MessageQueue& queue);
  void postActivation(MessageQueue& queue, bool active);
  void setPointer(int x, int y);
  // Sharp scaling keeps to whole multiples only where the window holds one.
  void fitScale();
  bool createRenderer(std::string& error);
  void destroyRenderer();
  // A window that shows the frame 1:1 gets it straight on its own surface;
  // any other size or full screen goes through the renderer, which scales.
  void choosePath();
  void presentOnSurface(const Surface& frame);
  void presentThroughRenderer(const Surface& frame);
  void translatePad(const SDL_Event& e, MessageQueue& queue);

  std::unique_ptr<MultimediaTimer> timer_;
  bool videoStarted_ = false;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  bool direct_ = false;  // presenting on the window's surface, without the renderer
  int logicalWidth_ = 800, logicalHeight_ = 600;
  bool sharpScale_ = false;
  bool padsStarted_ = false;
  // Open controllers by their instance id.
  std::map<int, _SDL_GameController*> pads_;
  PadTracker padTracker_;
  uint32_t refreshMs_ = 16;
  uint32_t lastPresent_ = 0;
  bool active_ = false;
  // Rectangles of the frame not yet uploaded to the texture; a still
  // screen owes nothing and is not shown again. mustShow_ uploads and shows
  // the whole frame (the first one, after an expose or a lost texture).
  static constexpr size_t kMaxOwed = 256;
  std::vector<Rect> owed_;
  bool mustShow_ = true;
  std::atomic<int> pointerX_{0}, pointerY_{0};
};

}  // namespace platform
