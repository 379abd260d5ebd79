#include "launcher/players_screen.h"

#include <vector>

#include "gfx/back_buffer.h"
#include "gfx/context.h"
#include "gfx/redraw_queue.h"
#include "players/player_roster.h"

namespace launcher {

namespace {

constexpr gfx::ButtonPlace kButtons[] = {
    {"enter", "..\\EnterButton.bmp", 474, 471},
    {"remove", "..\\RemoveButton.bmp", 360, 471},
    {"back", "..\\BackButton.bmp", 608, 489},
    {"yesno", "..\\yesno.bmp", 37, 486},
};

struct FieldRect {
  int x, y, width, height;
};

constexpr FieldRect kFieldRects[] = {
    {50, 270, 580, 26},
    {50, 336, 580, 26},
    {50, 404, 580, 26},
};

constexpr int kCapacity = 64;

}  // namespace

PlayersScreen::PlayersScreen(gfx::Context& ctx, players::PlayerRoster& roster)
    : gfx::PopupScreen(ctx), roster_(roster) {}

PlayersScreen::~PlayersScreen() = default;

void PlayersScreen::Create() {
  gfx::PopupScreen::Create();
  normalFont_ = gfx::BitmapFont::FromFile(ctx_.qv, "..\\n_font.bmp", 1);
  highlightFont_ = gfx::BitmapFont::FromFile(ctx_.qv, "..\\h_font.bmp", 3);

  AddImage("..\\PlayerInfo.bmp", nullptr);
  AddButtons(kButtons);
  // The yes/no switch shows its state by its first look alone.
  if (gfx::Button* yesNo = Buttons().Find("yesno")) {
    yesNo->SetFirstImageOnly(1);
    yesNo->SetQueueRestore(1);
  }

  // The fields count from the picture's top-left corner like the buttons
  // do; Place moves them with it.
  for (size_t i = 0; i < fields_.size(); ++i) {
    auto field = std::make_unique<TextField>(ctx_);
    field->SetCapacity(kCapacity);
    field->SetFont(highlightFont_.get());
    field->SetFont(normalFont_.get());
    field->SetCursorImage("..\\blockcursor.bmp");
    field->SetEditing(0);
    field->SetOffset(LastLeft(), LastTop());
    field->SetClickSelects(0);
    const FieldRect& r = kFieldRects[i];
    field->SetRect(r.x, r.y, r.width, r.height);
    fields_[i] = std::move(field);
  }
  fields_[kName]->SetEditing(1);
  sendOn_ = 1;
}

void PlayersScreen::Place(int left, int top) {
  gfx::PopupScreen::Place(left, top);
  for (auto& field : fields_)
    if (field) field->SetOffset(LastLeft(), LastTop());
}

void PlayersScreen::Release() {
  gfx::PopupScreen::Release();
  for (auto& field : fields_) field.reset();
  normalFont_.reset();
  highlightFont_.reset();
}

void PlayersScreen::SetPlayer(players::PlayerRecord& record) {
  player_ = &record;
  if (fields_[kName]) {
    fields_[kName]->SetText(record.name);
    fields_[kAddress]->SetText(record.address);
    fields_[kEmail]->SetText(record.email);
  }
  if (gfx::Button* yesno = Buttons().Find("yesno")) {
    if (record.send == "N") {
      yesno->SwapFirstTwoImages();
      sendOn_ = 0;
    } else {
      sendOn_ = 1;
    }
  }
}

int PlayersScreen::Run(std::string& result, const char* imageName) {
  gfx::FocusRing& focus = MakeFocus();
  // Tab, Return and Space keep their meaning in the fields; the focus
  // moves with the arrows, and a field it lands on takes the typing.
  focus.SetTabMoves(false);
  focus.SetSpaceActivates(false);
  std::vector<gfx::FocusRing::Target> targets;
  for (int i = 0; i < kFieldCount; ++i)
    if (const TextField* field = fields_[size_t(i)].get())
      targets.push_back({kFirstOwnTarget + i,
                         {field->X() + field->OffsetX(), field->Y() + field->OffsetY(),
                          field->X() + field->OffsetX() + field->Width(),
                          field->Y() + field->OffsetY() + field->Height()}});
  for (size_t i = 0; i < Buttons().Count(); ++i)
    if (const gfx::Button* button = Buttons().At(i); button->ImageCount() > 0)
      targets.push_back({int(i), button->DrawRect()});
  focus.SetTargets(std::move(targets));
  focus.Focus(kFirstOwnTarget + kName);
  lastFocus_ = focus.Focused();
  return gfx::PopupScreen::Run(result, imageName);
}

int PlayersScreen::FrameHook(int x, int y, int mask) {
  if (!fields_[kName]) return 1;
  gfx::FocusRing* focus = Focus();
  if (focus && focus->Focused() != lastFocus_) {
    lastFocus_ = focus->Focused();
    for (int i = 0; i < kFieldCount; ++i)
      fields_[size_t(i)]->SetEditing(lastFocus_ == kFirstOwnTarget + i ? 1 : 0);
  }
  if (mask != lastMask_ && (mask & 1)) {
    bool anyEditing = false;
    for (auto& field : fields_) anyEditing = field->Click(x, y) != 0 || anyEditing;
    // The keyboard always has somewhere to go.
    if (!anyEditing) fields_[kName]->SetEditing(1);
  }
  lastMask_ = mask;

  gfx::ButtonGroup& buttons = Buttons();
  if (buttons.IsClicked("back")) Finish("back");
  if (buttons.IsClicked("remove")) {
    roster_.ResetPlayer(roster_.CurrentIndex());
    Finish("remove");
  }
  if (buttons.IsClicked("enter")) {
    if (player_) {
      player_->name = fields_[kName]->Text();
      player_->address = fields_[kAddress]->Text();
      player_->email = fields_[kEmail]->Text();
      if (buttons.Find("yesno")) player_->send.assign(1, sendOn_ == 1 ? 'Y' : 'N');
    }
    Finish("play");
  }
  if (buttons.IsClicked("yesno")) {
    if (gfx::Button* yesno = buttons.Find("yesno")) yesno->SwapFirstTwoImages();
    sendOn_ = 1 - sendOn_;
  }

  for (size_t i = 0; i < fields_.size(); ++i) {
    const int key = fields_[i]->ProcessKeys();
    if (key == TextField::kTab || key == TextField::kEnter) {
      fields_[i]->SetEditing(0);
      fields_[(i + 1) % fields_.size()]->SetEditing(1);
    }
  }

  // The focus follows the typing from field to field.
  for (int i = 0; focus && i < kFieldCount; ++i)
    if (fields_[size_t(i)]->Editing()) {
      focus->Focus(kFirstOwnTarget + i);
      lastFocus_ = focus->Focused();
    }

  platform::Surface* back = gfx::BackBuffer(ctx_);
  for (auto& field : fields_) {
    field->Draw(back);
    ctx_.redraw.QueueRect(field->X() + field->OffsetX(), field->Y() + field->OffsetY(),
                          field->Width(), field->Height());
  }
  return 1;
}

}  // namespace launcher
