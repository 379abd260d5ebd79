// The launcher's first screen: the games installed in the sub-directories
// of the working directory, twelve tiles to a page, page arrows and the
// page number, an information pop-up, exit, and the collect slot after the
// last game that opens the maker's web site.
#pragma once
#include <memory>
#include <string>

#include "gfx/focus_ring.h"
#include "gfx/screen.h"
#include "gfx/sprite.h"
#include "launcher/game_entry.h"

namespace platform { class ProgramLauncher; }
namespace shell { class ScreenManager; }

namespace launcher {

class TitleScreen;

class CatalogueScreen : public gfx::Screen {
 public:
  static constexpr int kSlotsPerPage = 12;
  static constexpr const char* kGamePicture = "PavloraButton.bmp";

  // launcher opens the maker's web site.
  CatalogueScreen(gfx::Context& ctx, platform::ProgramLauncher& launcher, shell::ScreenManager& screens,
                  TitleScreen& title);
  ~CatalogueScreen() override;

  void Activate(platform::Display* display, platform::Surface* drawing) override;
  void Release() override;
  int HandleMessage(uint32_t message, uint64_t wParam, int64_t lParam) override;
  int Update(int active) override;
  int DrawAndPresent();

  // Opens the title screen of the first game whose program name begins
  // with text (exact case). False when no game matches.
  bool SelectGameByProgramName(const std::string& text);

  int CurrentPage() const { return page_; }
  int GameCount() const { return gameCount_; }
  const GameList& Games() const { return games_; }
  // The slot button for slot k (1 ... 12) of the page: "button<k>".
  static std::string SlotName(int slot);
  // The button the keyboard focus is on.
  std::string FocusedButton() const;

 private:
  void Scan();
  // Enables exactly the slots of the current page that hold a game or the
  // collect slot.
  void EnableSlots();
  void DrawPageNumber();
  // Keys and controller buttons: the focus moves over the page, Page Up
  // and Page Down (or the shoulder buttons) turn pages.
  void HandlePresses();
  void UpdateFocusTargets();
  bool ShowInformation();

  platform::ProgramLauncher& launcher_;
  shell::ScreenManager& screens_;
  TitleScreen& title_;
  std::unique_ptr<gfx::Sprite> pageNumbers_;
  std::unique_ptr<gfx::Sprite> collect_;
  std::unique_ptr<gfx::FocusRing> focus_;
  int page_ = 0;
  int gameCount_ = 0;
  GameList games_;
};

}  // namespace launcher
