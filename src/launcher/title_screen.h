// One game's page in the launcher: the game's title picture with the
// common buttons (play, how to play, credits, high scores, players, menu,
// exit), the sound-effects and music switches for the games, and the eight
// players' names, of which the highlighted one is the current player.
// The screen works inside the game's directory; "..\" names the
// launcher's directory with the shared art and options file.
#pragma once
#include <array>
#include <memory>
#include <string>

#include "gfx/bitmap_font.h"
#include "gfx/focus_ring.h"
#include "gfx/screen.h"
#include "launcher/game_entry.h"
#include "launcher/text_field.h"
#include "players/save_notice.h"

namespace platform { class ProgramLauncher; }
namespace players { class PlayerRoster; }
namespace shell { class ScreenManager; }

namespace launcher {

class TitleScreen : public gfx::Screen {
 public:
  static constexpr int kPlayerFields = 8;
  static constexpr const char* kOptionsFile = "..\\options.ini";

  // launcher starts the games and the browser.
  TitleScreen(gfx::Context& ctx, platform::ProgramLauncher& launcher, shell::ScreenManager& screens,
              players::PlayerRoster& roster);
  ~TitleScreen() override;

  // Keeps the game's directory and program; the catalogue's list may be
  // rebuilt meanwhile.
  void SetSelectedGame(const GameEntry& game) { game_ = game.files; }
  const GameFiles& SelectedGame() const { return game_; }

  void Activate(platform::Display* display, platform::Surface* drawing) override;
  void Release() override;
  int Update(int active) override;
  // Draws the buttons and presents the frame; the present result.

  int CurrentPlayer() const { return current_; }
  // The focused button's name, or "player<n>" for a name plate (n from 1).
  std::string FocusedTarget() const;
  int SoundEffectsOn() const { return sfxOn_; }
  int MusicOn() const { return musicOn_; }
  TextField* PlayerField(int index) const {
    return index >= 0 && index < kPlayerFields ? fields_[size_t(index)].get() : nullptr;
  }

 private:
  void ReadSwitch(const char* key, int& on);
  void ToggleSwitch(const char* key, int& on);
  void ShowPlayerName(int index);
  // Keys and controller buttons: the focus moves over the buttons and the
  // name plates; a plate it lands on becomes the current player.
  void HandlePresses();
  void PickPlayer(int index);
  // Shows a picture of the game's title folder until it is clicked (none
  // when it is missing); false
  // when the program is quitting meanwhile.
  bool ShowPicture(const std::string& path);
  bool ShowHallOfFame();
  bool ShowPlayers();
  // Starts the game; false, after telling the player, when it could not.
  bool Play();
  // Tells the player (once) that the options file could not be written.
  void SaveFailed(const std::string& why);

  platform::ProgramLauncher& launcher_;
  shell::ScreenManager& screens_;
  players::PlayerRoster& roster_;
  GameFiles game_;
  std::unique_ptr<gfx::BitmapFont> normalFont_;
  std::unique_ptr<gfx::BitmapFont> highlightFont_;
  std::array<std::unique_ptr<TextField>, kPlayerFields> fields_;
  int current_ = 0;
  int sfxOn_ = 1;
  int musicOn_ = 1;
  int lastMask_ = -1;
  players::SaveNotice saveNotice_;
  std::unique_ptr<gfx::FocusRing> focus_;
};

}  // namespace launcher
