#include "gfx/screen.h"

#include <climits>
#include <cstdio>
#include <cstdlib>

#include "gfx/back_buffer.h"
#include "gfx/context.h"
#include "gfx/focus_ring.h"
#include "gfx/redraw_queue.h"
#include "gfx/surface_utils.h"
#include "platform/profile.h"
#include "platform/qv.h"
#include "shell/services/mouse_cursor.h"

namespace gfx {

namespace {

// Leading decimal digits as an integer, as atoi reads them, kept in range.
int DecimalValue(const std::string& text) {
  const long v = std::strtol(text.c_str(), nullptr, 10);
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return int(v);
}

}  // namespace

Screen::Screen(Context& ctx) : ctx_(ctx), buttons_(std::make_unique<ButtonGroup>()) {}

Screen::Screen(Context& ctx, const std::string& name) : Screen(ctx) { SetName(name); }

// Frees like Release but leaves the services alone: the program may have
// taken them down already.
Screen::~Screen() {
  buttons_.reset();
  images_.clear();
}

void Screen::Create() {
  if (!buttons_) buttons_ = std::make_unique<ButtonGroup>();
}

void Screen::Activate(platform::Display* display, platform::Surface* drawing) {
  display_ = display;
  drawing_ = drawing;
  Create();
}

void Screen::Release() {
  buttons_.reset();
  FreeScreenImages();
}

void Screen::FreeScreenImages() {
  // The queue may still point at the art of this screen; it must not copy
  // from freed pictures.
  for (auto& image : images_) ctx_.redraw.Forget(image->GetSurface());
  images_.clear();
}

int Screen::HandleMessage(uint32_t, uint64_t, int64_t) { return 1; }

int Screen::Update(int) { return 1; }

void Screen::SetName(const std::string& name) { name_ = name.substr(0, kMaxName); }

const std::string& Screen::GetName() const { return name_; }

ScreenImage* Screen::LoadImage(const std::string& path) {
  auto image = std::make_unique<ScreenImage>(ctx_.qv, path);
  if (!image->GetSurface()) return nullptr;
  images_.push_back(std::move(image));
  return images_.back().get();
}

void Screen::SetRedrawTarget(platform::Surface* surface) { ctx_.redraw.SetTarget(surface); }

void Screen::SetRedrawBackground(platform::Surface* surface) {
  ctx_.redraw.SetBackground(surface);
}

int Screen::LoadImageDefinitions(const std::string& iniPath) {
  for (int n = 1;; ++n) {
    char key[32];
    std::snprintf(key, sizeof key, "image%02d", n);
    const std::string section = platform::GetProfileString("images", key, "none", iniPath);
    if (section == "none") return 0;
    const std::string file = platform::GetProfileString(section, "file", "none", iniPath);
    auto image = std::make_unique<ScreenImage>(ctx_.qv, file != "none" ? file : section + ".bmp");
    image->SetName(section);
    const int x = DecimalValue(platform::GetProfileString(section, "x", "", iniPath));
    const int y = DecimalValue(platform::GetProfileString(section, "y", "", iniPath));
    image->SetPosition(x, y);
    images_.push_back(std::move(image));
  }
}

ScreenImage* Screen::FindImage(const std::string& name) {
  for (auto& image : images_)
    if (image->Name() == name) return image.get();
  return nullptr;
}

int Screen::DrawImageAt(platform::Surface* target, const std::string& name, int x, int y) {
  ScreenImage* image = FindImage(name);
  if (!image) return 0;
  SurfaceUtils::DrawKeyed(image->GetSurface(), target, x, y);
  return 1;
}

int Screen::DrawImage(platform::Surface* target, const std::string& name) {
  ScreenImage* image = FindImage(name);
  if (!image) return 0;
  return DrawImageAt(target, name, image->X(), image->Y());
}

int Screen::Present() {
  // A delegate chain that leads back here presents here instead of
  // recursing for ever.
  if (presentDelegate_ && !presenting_) {
    presenting_ = true;
    const int result = presentDelegate_->Present();
    presenting_ = false;
    return result;
  }
  ctx_.mouse.DrawCursor(BackBuffer(ctx_));
  const int result = ctx_.qv.Flip();
  platform::Surface* back = BackBuffer(ctx_);
  ctx_.redraw.NextPage();
  ctx_.redraw.Replay(back, this);
  return result;
}

void Screen::SetPresentDelegate(Screen* screen) { presentDelegate_ = screen; }

Button* Screen::AddButton(std::unique_ptr<Button> button) {
  if (!button) return nullptr;
  ButtonGroup& group = Buttons();
  button->SetOffset(group.OffsetX(), group.OffsetY());
  return group.Add(std::move(button));
}

Screen::MousePoll Screen::FeedMouseToButtons() {
  MousePoll mouse{0, 0, 0};
  ctx_.mouse.GetState(&mouse.x, &mouse.y, &mouse.buttons);
  Buttons().HandleMouse(mouse.x, mouse.y, mouse.buttons);
  Buttons().DrawAll();
  return mouse;
}

int Screen::DrawButtonsAndPresent(FocusRing* focus) {
  Buttons().DrawAll();
  if (focus) focus->Draw({0, 0, ctx_.screenWidth, ctx_.screenHeight}, true);
  return Present();
}

Screen::Backdrop Screen::LoadBackdrop(const std::string& path) {
  Backdrop backdrop{LoadImage(path), nullptr};
  ctx_.redraw.SetTarget(backdrop.board ? backdrop.board->GetSurface() : nullptr);
  backdrop.clean = LoadImage(path);
  ctx_.redraw.SetBackground(backdrop.clean ? backdrop.clean->GetSurface() : nullptr);
  ctx_.redraw.RestoreAll();
  return backdrop;
}

Button* Screen::PlaceButton(const ButtonPlace& place) {
  auto button = place.file ? std::make_unique<Button>(ctx_, place.x, place.y)
                           : std::make_unique<Button>(ctx_, place.x, place.y, place.width, place.height);
  if (place.file) button->LoadStateStrip(place.file, place.states, 0);
  button->SetName(place.name);
  return AddButton(std::move(button));
}

void Screen::AddButtons(std::span<const ButtonPlace> table) {
  for (const ButtonPlace& place : table) PlaceButton(place);
}

ButtonGroup& Screen::Buttons() {
  if (!buttons_) buttons_ = std::make_unique<ButtonGroup>();
  return *buttons_;
}

}  // namespace gfx
