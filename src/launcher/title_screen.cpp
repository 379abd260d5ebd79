#include "launcher/title_screen.h"

#include <utility>
#include <vector>

#include "gfx/back_buffer.h"
#include "gfx/context.h"
#include "gfx/popup_screen.h"
#include "gfx/redraw_queue.h"
#include "launcher/hall_of_fame_screen.h"
#include "launcher/players_screen.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/qv.h"
#include "platform/system.h"
#include "players/player_roster.h"
#include "shell/app/screen_manager.h"
#include "shell/services/message_pump.h"
#include "shell/services/presses.h"

namespace launcher {

namespace {

constexpr int kPopupLeft = 53;
constexpr int kPopupTop = 18;
constexpr int kFieldCapacity = 64;
constexpr size_t kSwitchBuffer = 10;
constexpr const char* kBackground = ".\\title\\titlebackground.bmp";
constexpr const char* kFocusFrame = "..\\FocusFrame.bmp";
// Focus ids of the name plates follow those of the buttons.
constexpr int kFirstPlateId = 100;

constexpr gfx::ButtonPlace kButtons[] = {
    {"HowToPlay", "..\\HowToPlayButton.bmp", 52, 296},
    {"Play", "..\\PlayButton.bmp", 636, 296},
    {"HighScores", "..\\HighScoresButton.bmp", 52, 365},
    {"Menu", "..\\MenuButton.bmp", 636, 365},
    {"Credits", "..\\CreditsButton.bmp", 52, 435},
    {"Exit", "..\\ExitButton.bmp", 636, 435},
    {"Players", "..\\PlayersButton.bmp", 280, 318},
    {"SFX", "..\\sfx.bmp", 52, 505},
    {"Music", "..\\music.bmp", 106, 505},
};

struct FieldRect {
  int x, y;
};

// Two columns of four name plates; the first plate starts one pixel
// further right than the others of its column.
constexpr FieldRect kFieldRects[TitleScreen::kPlayerFields] = {
    {239, 378}, {408, 378}, {238, 420}, {408, 420},
    {238, 464}, {408, 464}, {238, 510}, {408, 510},
};
constexpr int kFieldWidth = 150;
constexpr int kFieldHeight = 30;

// The focus's Tab order (indexes into kButtons; -1 stands for the plates).
constexpr int kFocusOrder[] = {1, 0, 2, 4, 6, -1, 7, 8, 3, 5};

std::string FirstWord(const std::string& name) { return name.substr(0, name.find(' ')); }

}  // namespace

TitleScreen::TitleScreen(gfx::Context& ctx, platform::ProgramLauncher& launcher,
                         shell::ScreenManager& screens, players::PlayerRoster& roster)
    : gfx::Screen(ctx, "title"),
      launcher_(launcher),
      screens_(screens),
      roster_(roster),
      saveNotice_(ctx.qv.backend(), "Pavlora") {}

TitleScreen::~TitleScreen() = default;

void TitleScreen::Activate(platform::Display* display, platform::Surface* drawing) {
  platform::SetCurrentDirectory(game_.gameDirectory);
  gfx::Screen::Activate(display, drawing);
  LoadBackdrop(kBackground);

  AddButtons(kButtons);
  // The two sound switches show their state by their first look alone.
  for (auto [name, on] : {std::pair{"SFX", &sfxOn_}, std::pair{"Music", &musicOn_}}) {
    if (gfx::Button* button = Buttons().Find(name)) button->SetFirstImageOnly(1);
    ReadSwitch(name, *on);
  }

  normalFont_ = gfx::BitmapFont::FromFile(ctx_.qv, "..\\n_font.bmp");
  highlightFont_ = gfx::BitmapFont::FromFile(ctx_.qv, "..\\h_font.bmp");

  for (int i = 0; i < kPlayerFields; ++i) {
    auto field = std::make_unique<TextField>(ctx_);
    field->SetCapacity(kFieldCapacity);
    field->SetFont(normalFont_.get());
    field->SetFont(highlightFont_.get());
    field->SetCursorImage("..\\blockcursor.bmp");
    field->SetOffset(0, 0);
    field->SetEditing(0);
    field->SetKeyboardInput(0);
    field->SetRect(kFieldRects[i].x, kFieldRects[i].y, kFieldWidth, kFieldHeight);
    fields_[size_t(i)] = std::move(field);
  }

  roster_.SetPath(kOptionsFile);
  current_ = roster_.ReadCurrentIndex();
  for (int i = 0; i < kPlayerFields; ++i) {
    roster_.LoadPlayer(i);
    ShowPlayerName(i);
  }

  // The focus starts on Play.
  std::vector<gfx::FocusRing::Target> targets;
  for (const int order : kFocusOrder) {
    if (order >= 0) {
      if (const gfx::Button* button = Buttons().Find(kButtons[order].name))
        targets.push_back({order, button->DrawRect()});
      continue;
    }
    for (int i = 0; i < kPlayerFields; ++i)
      targets.push_back({kFirstPlateId + i,
                         {kFieldRects[i].x, kFieldRects[i].y, kFieldRects[i].x + kFieldWidth,
                          kFieldRects[i].y + kFieldHeight}});
  }
  focus_ = std::make_unique<gfx::FocusRing>(ctx_, kFocusFrame);
  focus_->SetTargets(std::move(targets));
  focus_->Focus(1);
  platform::SetCurrentDirectory(game_.gameDirectory);
}

std::string TitleScreen::FocusedTarget() const {
  const int id = focus_ ? focus_->Focused() : -1;
  if (id >= kFirstPlateId) return "player" + std::to_string(id - kFirstPlateId + 1);
  return id >= 0 ? kButtons[id].name : "";
}

void TitleScreen::PickPlayer(int index) {
  for (int i = 0; i < kPlayerFields; ++i) fields_[size_t(i)]->SetSelected(i == index ? 1 : 0);
  if (index == current_) return;
  current_ = index;
  roster_.WriteCurrentIndex(index);
}

void TitleScreen::HandlePresses() {
  for (const shell::Press& press : ctx_.pump.Presses().Take()) {
    const gfx::FocusRing::Action action = focus_->Handle(press);
    const int id = focus_->Focused();
    if (action == gfx::FocusRing::Action::kMoved && id >= kFirstPlateId) {
      PickPlayer(id - kFirstPlateId);
    } else if (action == gfx::FocusRing::Action::kActivate) {
      // On a name plate, Return edits that player.
      Buttons().Trigger(id >= kFirstPlateId ? "Players" : kButtons[id].name);
    }
  }
}

void TitleScreen::Release() {
  gfx::Screen::Release();
  for (auto& field : fields_) field.reset();
  focus_.reset();
  normalFont_.reset();
  highlightFont_.reset();
}

void TitleScreen::ReadSwitch(const char* key, int& on) {
  const std::string value =
      platform::GetProfileString("setup", key, "Y", kOptionsFile, kSwitchBuffer);
  if (!value.empty() && value[0] == 'N') {
    if (gfx::Button* button = Buttons().Find(key)) button->SwapFirstTwoImages();
    on = 0;
  } else {
    on = 1;
  }
}

void TitleScreen::ToggleSwitch(const char* key, int& on) {
  if (gfx::Button* button = Buttons().Find(key)) button->SwapFirstTwoImages();
  on = 1 - on;
  std::string why;
  if (!platform::WriteProfileString("setup", key, on ? "Y" : "N", kOptionsFile, &why))
    SaveFailed(why);
}

void TitleScreen::SaveFailed(const std::string& why) {
  saveNotice_.Report("The players and settings", why);
}

void TitleScreen::ShowPlayerName(int index) {
  if (TextField* field = PlayerField(index)) field->SetText(FirstWord(roster_.Player(index).name));
}

int TitleScreen::Update(int) {
  if (!fields_[0]) return 1;
  const auto [x, y, mask] = FeedMouseToButtons();
  HandlePresses();

  // A press counts once, however long the button is held.
  if (mask != lastMask_ && (mask & 1)) {
    for (int i = 0; i < kPlayerFields; ++i) {
      fields_[size_t(i)]->Click(x, y);
      if (fields_[size_t(i)]->Selected()) {
        current_ = i;
        std::string why;
        if (!roster_.WriteCurrentIndex(i, &why)) SaveFailed(why);
      }
    }
  }
  lastMask_ = mask;

  platform::Surface* back = gfx::BackBuffer(ctx_);
  for (auto& field : fields_) {
    field->Draw(back);
    ctx_.redraw.QueueRect(field->X(), field->Y(), field->Width(), field->Height());
  }
  fields_[size_t(current_)]->SetSelected(1);

  const gfx::ButtonGroup& buttons = Buttons();
  if (buttons.IsClicked("SFX")) ToggleSwitch("SFX", sfxOn_);
  if (buttons.IsClicked("Music")) ToggleSwitch("Music", musicOn_);
  if (buttons.IsClicked("Credits") && !ShowPicture(".\\title\\Credits.bmp")) return gfx::kEndProgram;
  if (buttons.IsClicked("HowToPlay") && !ShowPicture(".\\title\\HowToPlay.bmp")) return gfx::kEndProgram;
  if (buttons.IsClicked("HighScores") && !ShowHallOfFame()) return gfx::kEndProgram;
  if (buttons.IsClicked("Players") && !ShowPlayers()) return gfx::kEndProgram;
  if (buttons.IsClicked("Play") && Play()) return gfx::kEndProgram;
  if (buttons.IsClicked("Menu")) {
    platform::SetCurrentDirectory("..");
    // Releases this screen: nothing of it may be touched afterwards.
    screens_.SwitchTo("Pavlora");
    return 1;
  }
  if (buttons.IsClicked("Exit")) return gfx::kEndProgram;
  return DrawButtonsAndPresent(focus_.get()) ? 1 : 0;
}

bool TitleScreen::ShowPicture(const std::string& path) {
  gfx::PopupScreen popup(ctx_);
  popup.AddImage(path, nullptr);
  // A picture that could not be loaded has nothing to click on; it is
  // passed over instead of holding the screen for ever.
  if (!popup.HasPicture()) return true;
  popup.AddDefaultButton();
  popup.Place(kPopupLeft, kPopupTop);
  return popup.RunThenRedrawAll();
}

bool TitleScreen::ShowHallOfFame() {
  HallOfFameScreen hall(ctx_, launcher_, game_.directoryName, &saveNotice_);
  hall.SetFocusFrame(kFocusFrame);
  hall.Create();
  hall.Place(kPopupLeft, kPopupTop);
  return hall.RunThenRedrawAll();
}

bool TitleScreen::ShowPlayers() {
  roster_.SetPath(kOptionsFile);
  {
    PlayersScreen players(ctx_, roster_);
    players.SetFocusFrame(kFocusFrame);
    players.Create();
    players.Place(kPopupLeft, kPopupTop);
    players.SetPlayer(roster_.Player(roster_.CurrentIndex()));
    if (!players.RunThenRedrawAll()) return false;
  }
  // All eight in one write, so that no player is ever left half saved.
  std::string why;
  if (!roster_.SaveAll(&why)) SaveFailed(why);
  for (int i = 0; i < kPlayerFields; ++i) ShowPlayerName(i);
  return true;
}

bool TitleScreen::Play() {
  platform::SetCurrentDirectory("..");
  const std::string launcherDirectory = platform::CurrentDirectory();
  const std::string program = game_.gameDirectory + platform::kPathSeparator + game_.programFile;
  std::string problem;
  if (!platform::FileExists(program))
    problem = "The game's program " + program + " is missing.";
  else if (!launcher_.startProgram(program, launcherDirectory, game_.gameDirectory))
    problem = "Could not start the game's program " + program + ".";
  else
    return true;
  // The player stays on this page, which works inside the game's directory.
  ctx_.qv.backend().messageBox(problem, "Pavlora");
  platform::SetCurrentDirectory(game_.gameDirectory);
  return false;
}

}  // namespace launcher
