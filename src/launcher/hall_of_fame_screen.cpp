#include "launcher/hall_of_fame_screen.h"

#include "gfx/context.h"
#include "gfx/redraw_queue.h"
#include "launcher/score_upload.h"
#include "platform/system.h"
#include "players/save_notice.h"
#include "web_settings.h"

namespace launcher {

namespace {

constexpr const char* kScoreFile = "hiscore.dat";

constexpr gfx::ButtonPlace kButtons[] = {
    {"upload", "..\\UploadButton.bmp", 552, 88},
    {"clear", "..\\ClearScores.bmp", 552, 149},
    {"back", "..\\backbutton.bmp", 595, 220},
};

}  // namespace

HallOfFameScreen::HallOfFameScreen(gfx::Context& ctx, platform::ProgramLauncher& launcher,
                                   std::string gameName, players::SaveNotice* notice)
    : gfx::PopupScreen(ctx), launcher_(launcher), gameName_(std::move(gameName)), notice_(notice) {}

HallOfFameScreen::~HallOfFameScreen() = default;

void HallOfFameScreen::Create() {
  gfx::PopupScreen::Create();
  blackFont_ = gfx::BitmapFont::FromFile(ctx_.qv, "..\\HallBlackFont.bmp", 1);
  purpleFont_ = gfx::BitmapFont::FromFile(ctx_.qv, "..\\HallPurpleFont.bmp", 1);

  AddImage("..\\HallOfFameScreen.bmp", nullptr);
  AddButtons(kButtons);
  AddDefaultButton();

  table_.Create(players::HighScoreTable::kRows);
  table_.Read(kScoreFile);
}

void HallOfFameScreen::Release() {
  gfx::PopupScreen::Release();
  table_.Destroy();
  blackFont_.reset();
  purpleFont_.reset();
}

std::string HallOfFameScreen::UploadUrl() const {
  return ScoreUploadUrl(web::kHiscoreUrl, gameName_, table_.TopName(), table_.TopScore(),
                        ScoreKeyValue(web::kScoreKey));
}

int HallOfFameScreen::CheckDone() {
  gfx::ButtonGroup& buttons = Buttons();
  if (buttons.IsClicked("upload")) {
    // The pop-up stays open while the browser starts.
    launcher_.openUrl(UploadUrl());
  }
  if (buttons.IsClicked("clear")) {
    table_.Create(players::HighScoreTable::kRows);
    std::string why;
    if (!table_.Write(kScoreFile, &why) && notice_) notice_->Report("The high scores", why);
    Finish("clear");
  }
  if (buttons.IsClicked("back")) Finish("back");
  DrawTable();
  return 1;
}

void HallOfFameScreen::DrawTable() {
  platform::Surface* target = ctx_.redraw.GetTarget();
  if (!target || !blackFont_ || !purpleFont_) return;
  // Column 2 is placed from the pop-up's left edge although the table is
  // drawn on the pop-up's own picture; at the usual left of 53 that puts
  // it at 387, inside the picture's second column.
  const int secondNameX = Left() + kSecondColumnFromLeft;
  for (int column = 0; column < 2; ++column) {
    const int nameX = column == 0 ? kNameX : secondNameX;
    const int scoreX = column == 0 ? kScoreX : secondNameX + kScoreFromName;
    for (int r = 0; r < kRowsPerColumn; ++r) {
      const int row = column * kRowsPerColumn + r;
      const std::string& entry = table_.RowName(row);
      if (entry.empty()) continue;
      const gfx::BitmapFont& font = (r % 2 == 0) ? *purpleFont_ : *blackFont_;
      // The player's name only: the entry text goes on with address and e-mail.
      const std::string name = entry.substr(0, entry.find(':'));
      const int y = kFirstRowY + kRowPitch * r;
      font.DrawText(target, name.c_str(), nameX, y, 0, -1);
      font.DrawText(target, std::to_string(table_.RowScore(row)).c_str(), scoreX, y, 0, -1);
    }
  }
}

}  // namespace launcher
