#include "launcher/catalogue_screen.h"

#include <cstdio>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "gfx/context.h"
#include "gfx/draw_number.h"
#include "gfx/popup_screen.h"
#include "gfx/redraw_queue.h"
#include "gfx/surface_utils.h"
#include "launcher/directory_lister.h"
#include "launcher/title_screen.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/qv.h"
#include "platform/system.h"
#include "shell/app/screen_manager.h"
#include "shell/services/message_pump.h"
#include "shell/services/presses.h"
#include "shell/services/timers.h"
#include "web_settings.h"

namespace launcher {

namespace {

constexpr const char* kBackground = "background.bmp";
constexpr int kDigitCount = 10;
constexpr int kPageNumberRight = 716;
constexpr int kPageNumberTop = 30;

constexpr gfx::ButtonPlace kControls[] = {
    {"left", "PageArrowsLeft.bmp", 638, 19},
    {"right", "PageArrowsRight.bmp", 739, 19},
    {"help", "Info.bmp", 637, 89},
    {"exit", "SmallExit.bmp", 718, 89},
};

constexpr const char* kFocusFrame = "FocusFrame.bmp";

// The focus's Tab order: the tiles, then the controls.
std::vector<std::string> FocusOrder() {
  std::vector<std::string> names;
  for (int slot = 1; slot <= CatalogueScreen::kSlotsPerPage; ++slot)
    names.push_back(CatalogueScreen::SlotName(slot));
  for (const char* control : {"left", "right", "help", "exit"}) names.push_back(control);
  return names;
}

constexpr size_t kSlotStates = 3;  // normal, under the mouse, pressed
constexpr int kSlotColumns[] = {14, 271, 528};
constexpr int kSlotRows[] = {140, 247, 355, 461};

}  // namespace

CatalogueScreen::CatalogueScreen(gfx::Context& ctx, platform::ProgramLauncher& launcher,
                                 shell::ScreenManager& screens, TitleScreen& title)
    : gfx::Screen(ctx, "Pavlora"), launcher_(launcher), screens_(screens), title_(title) {}

CatalogueScreen::~CatalogueScreen() = default;

std::string CatalogueScreen::SlotName(int slot) { return "button" + std::to_string(slot); }

void CatalogueScreen::Activate(platform::Display* display, platform::Surface* drawing) {
  gfx::Screen::Activate(display, drawing);
  LoadBackdrop(kBackground);

  AddButtons(kControls);
  // The twelve slots wear one picture, read and cut once and shared.
  gfx::SurfaceUtils::SurfaceList cut;
  gfx::SurfaceUtils::LoadStrip(ctx_.qv, "GameButton.bmp", kSlotStates, 0, cut);
  const std::vector<std::shared_ptr<platform::Surface>> states(std::make_move_iterator(cut.begin()),
                                                               std::make_move_iterator(cut.end()));
  for (int slot = 0; slot < kSlotsPerPage; ++slot) {
    auto button = std::make_unique<gfx::Button>(ctx_, kSlotColumns[slot % 3], kSlotRows[slot / 3]);
    if (states.size() == kSlotStates)
      for (const auto& state : states) button->AddStateSurface(state);
    button->SetName(SlotName(slot + 1));
    AddButton(std::move(button))->SetEnabled(0);
  }

  ctx_.timers.StopClock();
  pageNumbers_ = std::make_unique<gfx::Sprite>(ctx_);
  pageNumbers_->LoadStrip("PageNumbers.bmp", kDigitCount, 0);

  page_ = 0;
  Scan();
  EnableSlots();

  collect_ = std::make_unique<gfx::Sprite>(ctx_);
  collect_->AddFrameFromFile("CollectButton.bmp");

  // The focus starts on the first game.
  focus_ = std::make_unique<gfx::FocusRing>(ctx_, kFocusFrame);
  UpdateFocusTargets();
  focus_->Focus(0);
}

void CatalogueScreen::UpdateFocusTargets() {
  if (focus_) focus_->SetTargets(gfx::FocusRing::ButtonTargets(Buttons(), FocusOrder()));
}

std::string CatalogueScreen::FocusedButton() const {
  const int id = focus_ ? focus_->Focused() : -1;
  const std::vector<std::string> order = FocusOrder();
  return id >= 0 && size_t(id) < order.size() ? order[size_t(id)] : std::string();
}

void CatalogueScreen::HandlePresses() {
  using namespace shell::scan;
  for (const shell::Press& press : ctx_.pump.Presses().Take()) {
    if (focus_ && focus_->Handle(press) == gfx::FocusRing::Action::kActivate)
      Buttons().Trigger(FocusedButton());
    // A held key turns one page, not one page per repeat.
    if (press.repeat) continue;
    if (press.Key(kPageUp) || press.Pad(platform::kPadLeftShoulder)) Buttons().Trigger("left");
    if (press.Key(kPageDown) || press.Pad(platform::kPadRightShoulder)) Buttons().Trigger("right");
    if (press.Key(kI)) Buttons().Trigger("help");
  }
}

void CatalogueScreen::Release() {
  gfx::Screen::Release();
  pageNumbers_.reset();
  collect_.reset();
  focus_.reset();
  games_.Clear();
}

int CatalogueScreen::HandleMessage(uint32_t, uint64_t, int64_t) { return 1; }

void CatalogueScreen::Scan() {
  games_.Clear();
  const std::string here = platform::CurrentDirectory();
  DirectoryLister lister;
  if (!here.empty() && lister.Start(here + platform::kPathSeparator + "*")) {
    while (const auto record = lister.Next()) {
      // Only plain directories: read-only, hidden, system or archive ones are left out.
      if (record->attributes != platform::kAttrDirectory) continue;
      if (record->name.empty() || record->name[0] == '.') continue;
      const std::string directory = here + platform::kPathSeparator + record->name;
      // The picture, spelled as on disk, is what makes a directory a game;
      // it must be readable.
      const std::string picture =
          platform::ResolvePath(directory + platform::kPathSeparator + kGamePicture);
      std::FILE* file = std::fopen(picture.c_str(), "rb");
      if (!file) continue;
      auto entry = std::make_unique<GameEntry>();
      entry->files.gameDirectory = directory;
      entry->files.programFile = record->name + platform::kProgramSuffix;
      entry->files.directoryName = record->name;
      entry->picture = std::make_unique<gfx::Sprite>(ctx_);
      entry->picture->AddFrameFromFile(picture);
      games_.Append(std::move(entry));
      std::fclose(file);
    }
  }
  gameCount_ = games_.Count();
}

void CatalogueScreen::EnableSlots() {
  for (int slot = 0; slot < kSlotsPerPage; ++slot) {
    // Overall indexes up to the game count: the games, then the collect slot.
    const int index = page_ * kSlotsPerPage + slot;
    if (gfx::Button* button = Buttons().Find(SlotName(slot + 1))) {
      const int enabled = index <= gameCount_ ? 1 : 0;
      // A slot that goes away must not come back later still lit.
      if (!enabled) button->SetState(gfx::Button::kNormal);
      button->SetEnabled(enabled);
    }
  }
  UpdateFocusTargets();
}

int CatalogueScreen::Update(int) {
  FeedMouseToButtons();
  HandlePresses();
  const gfx::ButtonGroup& buttons = Buttons();

  if (buttons.IsClicked("exit")) return gfx::kEndProgram;
  if (buttons.IsClicked("help") && !ShowInformation()) return gfx::kEndProgram;
  if (buttons.IsClicked("left")) {
    if (page_ > 0) --page_;
    EnableSlots();
    ctx_.redraw.RestoreAll();
  }
  if (buttons.IsClicked("right")) {
    // The next page holds at least one game or the collect slot.
    if ((page_ + 1) * kSlotsPerPage <= gameCount_) ++page_;
    EnableSlots();
    ctx_.redraw.RestoreAll();
  }
  for (int slot = 1; slot <= kSlotsPerPage; ++slot) {
    if (!buttons.IsClicked(SlotName(slot))) continue;
    const int index = page_ * kSlotsPerPage + slot - 1;
    if (const GameEntry* game = games_.At(index)) {
      title_.SetSelectedGame(*game);
      // Releases this screen: nothing of it may be touched afterwards.
      screens_.SwitchTo("title");
      return 1;
    }
    // The collect slot: the browser opens while the launcher ends; without
    // a browser the player is told and stays here.
    if (launcher_.openUrl(web::kHomeUrl)) return gfx::kEndProgram;
    ctx_.qv.backend().messageBox(std::string("Could not open the web site ") + web::kHomeUrl +
                                     " in a browser.",
                                 "Pavlora");
    break;
  }
  return DrawAndPresent() ? 1 : 0;
}

void CatalogueScreen::DrawPageNumber() {
  if (pageNumbers_ && ctx_.redraw.GetTarget())
    gfx::DrawNumberRightAligned(*pageNumbers_, page_ + 1, kPageNumberRight, kPageNumberTop);
}

int CatalogueScreen::DrawAndPresent() {
  DrawPageNumber();
  platform::Surface* target = ctx_.redraw.GetTarget();
  const int first = page_ * kSlotsPerPage;
  for (int slot = 0; slot < kSlotsPerPage; ++slot) {
    const int index = first + slot;
    gfx::Button* button = Buttons().Find(SlotName(slot + 1));
    if (!button) continue;
    if (const GameEntry* game = games_.At(index)) {
      game->picture->SetPosition(button->X(), button->Y());
      game->picture->Draw(target);
    } else if (index == gameCount_ && collect_) {
      collect_->SetPosition(button->X(), button->Y());
      collect_->Draw(target);
    }
  }
  // The slot frames lie over the pictures, the focus mark over them.
  return DrawButtonsAndPresent(focus_.get());
}

bool CatalogueScreen::ShowInformation() {
  gfx::PopupScreen popup(ctx_);
  popup.AddImage("infoscreen.bmp", nullptr);
  popup.SetFocusFrame(kFocusFrame);
  popup.PlaceButton({"back", "backbutton.bmp", 689, 370});
  return popup.RunThenRedrawAll();
}

bool CatalogueScreen::SelectGameByProgramName(const std::string& text) {
  for (int i = 0; i < games_.Count(); ++i) {
    const GameEntry* game = games_.At(i);
    if (game->files.programFile.compare(0, text.size(), text) != 0) continue;
    // The first match wins.
    title_.SetSelectedGame(*game);
    screens_.SwitchTo("title");
    return true;
  }
  return false;
}

}  // namespace launcher
