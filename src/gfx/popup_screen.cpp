#include "gfx/popup_screen.h"

#include <cstdint>

#include "gfx/back_buffer.h"
#include "gfx/context.h"
#include "gfx/redraw_queue.h"
#include "gfx/surface_utils.h"
#include "platform/qv.h"
#include "shell/services/message_pump.h"
#include "shell/services/mouse_cursor.h"
#include "platform/messages.h"
#include "shell/services/presses.h"
#include "shell/services/timers.h"

namespace gfx {

PopupScreen::PopupScreen(Context& ctx) : Screen(ctx) {}

PopupScreen::PopupScreen(Context& ctx, const std::string& name) : Screen(ctx, name) {}

// Frees without reaching the services, which may be gone by now.
PopupScreen::~PopupScreen() {
  current_ = nullptr;
  popupImages_.clear();
}

void PopupScreen::Create() {
  // The picture list lives as long as the pop-up; nothing to make.
}

void PopupScreen::Release() {
  Screen::Release();
  current_ = nullptr;
  for (auto& image : popupImages_) ctx_.redraw.Forget(image->GetSurface());
  popupImages_.clear();
}

void PopupScreen::Place(int left, int top) {
  if (left != -1 || top != -1) {
    left_ = left;
    top_ = top;
  } else if (left_ == -1 && top_ == -1) {
    int w = 0, h = 0;
    if (current_) {
      w = current_->Width();
      h = current_->Height();
    }
    left_ = ctx_.screenWidth / 2 - w / 2;
    top_ = ctx_.screenHeight / 2 - h / 2;
  }
  Buttons().SetOffset(left_, top_);
  lastLeft_ = left_;
  lastTop_ = top_;
}

void PopupScreen::Finish(const char* text) {
  if (text) SetName(text);
  done_ = 1;
}

int PopupScreen::Run(std::string& result, const char* imageName) {
  done_ = 0;
  if (imageName)
    SelectImage(imageName);
  else
    current_ = popupImages_.empty() ? nullptr : popupImages_.front().get();

  const bool redirected = redirect_ == 1;
  if (redirected) ctx_.redraw.SaveTarget(current_ ? current_->GetSurface() : nullptr);
  SetName("");

  // Presses made before the picture opened are not meant for it.
  ctx_.pump.Presses().Clear();
  if (!focus_) MakeFocus();

  for (;;) {
    if (done_) {
      if (redirected) ctx_.redraw.RestoreTarget();
      result = GetName();
      return 1;
    }
    int x = 0, y = 0, buttons = 0;
    ctx_.mouse.GetState(&x, &y, &buttons);
    if (ctx_.pump.RunOnce()) break;
    if (current_) SurfaceUtils::DrawKeyed(current_->GetSurface(), BackBuffer(ctx_), left_, top_);
    Buttons().HandleMouse(x, y, buttons);
    Buttons().DrawAll();
    HandlePresses();
    if (!FrameHook(x, y, buttons)) break;
    Present();
    // A modal loop keeps the display's pace instead of spinning a core.
    ctx_.qv.backend().waitForNextRefresh();
  }
  if (redirected) ctx_.redraw.RestoreTarget();
  return 0;
}

bool PopupScreen::RunThenRedrawAll() {
  std::string result;
  if (!Run(result, nullptr)) return false;
  ctx_.redraw.RestoreAll();
  return true;
}

FocusRing& PopupScreen::MakeFocus() {
  std::vector<FocusRing::Target> targets;
  int start = 0;
  for (size_t i = 0; i < Buttons().Count(); ++i) {
    const Button* button = Buttons().At(i);
    if (button->ImageCount() == 0 || button->Name() == "default") continue;
    // Going back is the safe place to start.
    if (button->Name() == "back") start = int(i);
    targets.push_back({int(i), button->DrawRect()});
  }
  focus_ = std::make_unique<FocusRing>(ctx_, focusFrame_);
  focus_->SetTargets(std::move(targets));
  focus_->Focus(start);
  return *focus_;
}

void PopupScreen::HandlePresses() {
  using namespace shell::scan;
  for (const shell::Press& press : ctx_.pump.Presses().Take()) {
    if (focus_ && focus_->Focused() >= 0) {
      const FocusRing::Action action = focus_->Handle(press);
      if (action == FocusRing::Action::kActivate) {
        if (Button* button = Buttons().At(size_t(focus_->Focused()))) button->Trigger();
        continue;
      }
      if (action == FocusRing::Action::kMoved) continue;
    }
    if (press.repeat) continue;
    if (press.Pad(platform::kPadB)) {
      if (!Buttons().Trigger("back")) Buttons().Trigger("default");
    } else if (press.Key(kReturn) || press.Key(kPadEnter) || press.Key(kSpace) ||
               press.Pad(platform::kPadA) || press.Pad(platform::kPadStart)) {
      Buttons().Trigger("default");
    }
  }
  if (focus_ && current_) {
    const platform::Rect picture{left_, top_, left_ + current_->Width(), top_ + current_->Height()};
    focus_->Draw(picture, false);
  }
}

int PopupScreen::FrameHook(int, int, int) { return CheckDone(); }

int PopupScreen::CheckDone() {
  if (const Button* clicked = Buttons().FindClicked()) {
    SetName(clicked->Name());
    done_ = 1;
  }
  // A distance, so that the clock's wrap cannot hold the pop-up open.
  if (timeout_ != 0 && int32_t(uint32_t(timeout_) - ctx_.timers.Ticks()) < 0) done_ = 1;
  return 1;
}

ScreenImage* PopupScreen::SetCurrentImage(ScreenImage* image) {
  if (image) {
    current_ = image;
    Place(-1, -1);
  }
  return image;
}

void PopupScreen::SelectImage(const std::string& name) {
  current_ = FindPopupImage(name);
  if (!current_ && !popupImages_.empty()) current_ = popupImages_.front().get();
  Place(-1, -1);
}

ScreenImage* PopupScreen::FindPopupImage(const std::string& name) {
  for (auto& image : popupImages_)
    if (image->Name() == name) return image.get();
  return nullptr;
}

void PopupScreen::AddImage(const std::string& path, const char* name) {
  auto image = std::make_unique<ScreenImage>(ctx_.qv, path);
  image->SetName(name ? name : "");
  popupImages_.push_back(std::move(image));
  SetCurrentImage(popupImages_.back().get());
}

bool PopupScreen::HasPicture() const { return current_ && current_->GetSurface(); }

void PopupScreen::SetRedirect(int flag) { redirect_ = flag; }

void PopupScreen::AddDefaultButton() {
  const int w = current_ ? current_->Width() : 0;
  const int h = current_ ? current_->Height() : 0;
  auto button = std::make_unique<Button>(ctx_, 0, 0, w, h);
  button->SetName("default");
  AddButton(std::move(button));
}

void PopupScreen::SetDeadline(int clockTime) { timeout_ = clockTime; }

}  // namespace gfx
