// What every screen of both programs is: a name the screen manager
// switches by, a list of named pictures, a group of buttons, and the
// present step that ends each frame.
#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "gfx/button_group.h"
#include "gfx/button_place.h"
#include "gfx/screen_image.h"

namespace platform { class Display; class Surface; }

namespace gfx {

struct Context;
class FocusRing;

// What a screen's Update tells the program's frame loop: go on, or end the
// program. The pictures' pop-ups and the game's own steps answer the same.
inline constexpr int kKeepRunning = 5;
inline constexpr int kEndProgram = 7;

class Screen {
 public:
  static constexpr size_t kMaxName = 255;

  explicit Screen(Context& ctx);
  Screen(Context& ctx, const std::string& name);
  // Frees the buttons and images without reaching the services.
  virtual ~Screen();
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  // Makes the image list and the button group where they are missing.
  virtual void Create();
  // Keeps the display and the drawing surface, then Create.
  virtual void Activate(platform::Display* display, platform::Surface* drawing);
  // Frees every button and every image; harmless when repeated. A freed
  // picture that was the redraw target or background stops being it.
  virtual void Release();
  virtual int HandleMessage(uint32_t message, uint64_t wParam, int64_t lParam);
  // kEndProgram ends the program.
  virtual int Update(int active);
  virtual void SetName(const std::string& name);
  virtual const std::string& GetName() const;
  // The loaded image, appended to the list; none (and nothing kept) when
  // the bitmap cannot be loaded.
  virtual ScreenImage* LoadImage(const std::string& path);
  virtual void SetRedrawTarget(platform::Surface* surface);
  virtual void SetRedrawBackground(platform::Surface* surface);
  // The screen's picture loaded twice: the copy drawn on becomes the redraw
  // target, the untouched one the background the queue restores from; then
  // the whole screen is drawn afresh. Either is none when it is missing.
  struct Backdrop {
    ScreenImage* board;
    ScreenImage* clean;
  };
  Backdrop LoadBackdrop(const std::string& path);
  // Reads the images named in section "images" (keys image01, image02, ...)
  // of an INI file, each from its own section's "file" (or "<section>.bmp")
  // at its "x" and "y". Images whose bitmap is missing are kept empty.
  virtual int LoadImageDefinitions(const std::string& iniPath);
  virtual ScreenImage* FindImage(const std::string& name);
  virtual int DrawImageAt(platform::Surface* target, const std::string& name, int x, int y);
  virtual int DrawImage(platform::Surface* target, const std::string& name);
  // Flips and replays the redraw queue; the flip's result.
  virtual int Present();
  // The mouse polled for this frame, fed to the buttons, which are then
  // drawn; where it is and its button mask.
  struct MousePoll {
    int x, y, buttons;
  };
  MousePoll FeedMouseToButtons();
  // Draws the buttons and over them the keyboard focus mark (when there is
  // a focus), then Present.
  int DrawButtonsAndPresent(FocusRing* focus);
  virtual void SetPresentDelegate(Screen* screen);
  // Gives the button the group's offset and takes it over; returns it.
  virtual Button* AddButton(std::unique_ptr<Button> button);
  // Makes the button the row describes and adds it; returns it.
  Button* PlaceButton(const ButtonPlace& place);
  // PlaceButton for each row, in order.
  void AddButtons(std::span<const ButtonPlace> table);

  ButtonGroup& Buttons();
  size_t ImageCount() const { return images_.size(); }
  platform::Display* GetDisplay() const { return display_; }
  platform::Surface* GetDrawingSurface() const { return drawing_; }

 protected:
  Context& ctx_;

 private:
  void FreeScreenImages();

  std::string name_;
  platform::Display* display_ = nullptr;
  platform::Surface* drawing_ = nullptr;
  std::unique_ptr<ButtonGroup> buttons_;
  std::vector<std::unique_ptr<ScreenImage>> images_;
  Screen* presentDelegate_ = nullptr;
  bool presenting_ = false;
};

}  // namespace gfx
