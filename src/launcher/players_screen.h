// The pop-up that edits the current player: name, postal address and
// e-mail address fields, the send-my-scores switch, and "enter" (store the
// edits), "remove" (reset the player) and "back" (leave them).
#pragma once
#include <array>
#include <memory>

#include "gfx/bitmap_font.h"
#include "gfx/popup_screen.h"
#include "launcher/text_field.h"
#include "players/player_record.h"

namespace players { class PlayerRoster; }

namespace launcher {

class PlayersScreen : public gfx::PopupScreen {
 public:
  enum Field { kName = 0, kAddress = 1, kEmail = 2, kFieldCount = 3 };

  PlayersScreen(gfx::Context& ctx, players::PlayerRoster& roster);
  ~PlayersScreen() override;

  void Create() override;
  void Release() override;
  // The fields move with the picture, as the buttons do.
  void Place(int left, int top) override;
  // The record edited; it must outlive the pop-up's run.
  void SetPlayer(players::PlayerRecord& record);
  // Adds the three fields to the keyboard focus, then runs the pop-up.
  int Run(std::string& result, const char* imageName) override;
  int FrameHook(int x, int y, int buttons) override;

 private:
  players::PlayerRoster& roster_;
  std::unique_ptr<gfx::BitmapFont> normalFont_;
  std::unique_ptr<gfx::BitmapFont> highlightFont_;
  std::array<std::unique_ptr<TextField>, kFieldCount> fields_;
  players::PlayerRecord* player_ = nullptr;
  int sendOn_ = 1;
  int lastMask_ = -1;
  int lastFocus_ = -1;
};

}  // namespace launcher
