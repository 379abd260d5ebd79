// The pop-up that lists a game's high scores in two columns of ten, sends
// the best one to the maker's high-score page, or clears the table.
#pragma once
#include <memory>
#include <string>

#include "gfx/bitmap_font.h"
#include "gfx/popup_screen.h"
#include "players/high_score_table.h"

namespace platform { class ProgramLauncher; }
namespace players { class SaveNotice; }

namespace launcher {

class HallOfFameScreen : public gfx::PopupScreen {
 public:
  static constexpr int kRowsPerColumn = 10;
  static constexpr int kFirstRowY = 275;
  static constexpr int kRowPitch = 26;
  static constexpr int kNameX = 56;
  static constexpr int kScoreX = 256;
  static constexpr int kSecondColumnFromLeft = 334;
  static constexpr int kScoreFromName = 200;

  // launcher opens the upload page; gameName is the game directory's name,
  // sent with the score; notice (when given) tells the player when clearing
  // could not be saved.
  HallOfFameScreen(gfx::Context& ctx, platform::ProgramLauncher& launcher, std::string gameName,
                   players::SaveNotice* notice = nullptr);
  ~HallOfFameScreen() override;

  // The picture, its three buttons, and the table read from "hiscore.dat"
  // of the working directory.
  void Create() override;
  void Release() override;
  int CheckDone() override;

  const players::HighScoreTable& Table() const { return table_; }
  // The address "upload" opens for the table as it stands.
  std::string UploadUrl() const;

 private:
  void DrawTable();

  platform::ProgramLauncher& launcher_;
  std::string gameName_;
  players::SaveNotice* notice_;
  std::unique_ptr<gfx::BitmapFont> blackFont_;
  std::unique_ptr<gfx::BitmapFont> purpleFont_;
  players::HighScoreTable table_;
};

}  // namespace launcher
