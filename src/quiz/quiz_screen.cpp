#include "quiz/quiz_screen.h"

#include "gfx/context.h"
#include "gfx/redraw_queue.h"
#include "gfx/sprite_list.h"
#include "quiz/quiz_game.h"
#include "sound/sound_bank.h"

namespace quiz {
namespace {

constexpr gfx::ButtonPlace kButtons[] = {
    {"newgame", "newgame.bmp", 10, 520},
    {"info", "info.bmp", 104, 520},
    {"menu", "back.bmp", 610, 520},
    {"exit", "exit.bmp", 704, 520},
    {"true", "truepie.bmp", 212, 479},
    {"false", "falsepie.bmp", 476, 479},
    {"pass", "passpie.bmp", 350, 479},
    {"next", nullptr, 164, 244, 0, 466, 168},
};

struct CueSpec {
  const char* name;
  const char* file;
};

constexpr CueSpec kCues[] = {
    {"bell", "sounds\\bell.wav"},         {"hammer", "sounds\\hammer.wav"},
    {"neg", "sounds\\negative.wav"},      {"pos", "sounds\\pos.wav"},
    {"neutral", "sounds\\neutral.wav"},   {"drop", "sounds\\scdrop.wav"},
    {"poschart", "sounds\\poschart.wav"}, {"wrong", "sounds\\wrong.wav"},
    {"check", "sounds\\select2.wav"},     {"bling", "sounds\\bling2.wav"},
    {"cheer", "sounds\\cheer3.wav"},      {"bull01", "sounds\\bull01.wav"},
    {"bull02", "sounds\\bull02.wav"},     {"bull03", "sounds\\bull03.wav"},
    {"bull04", "sounds\\bull04.wav"},     {"bull05", "sounds\\bull05.wav"},
    {"bull06", "sounds\\bull06.wav"},
};

constexpr int kBullFrameWidth = 415;
constexpr int kBullFrameHeight = 251;

}  // namespace

QuizScreen::QuizScreen(gfx::Context& ctx, sound::SoundBank& bank, QuizGame& game)
    : gfx::Screen(ctx), bank_(bank), game_(game) {
  SetName("Verimoo");
}

QuizScreen::~QuizScreen() = default;

void QuizScreen::Activate(platform::Display* display, platform::Surface* drawing) {
  gfx::Screen::Activate(display, drawing);
  const Backdrop backdrop = LoadBackdrop("background.bmp");
  board_ = backdrop.board;
  cleanBoard_ = backdrop.clean;
  AddButtons(kButtons);
  CreateSprites();
  panel_.SetName("panel");
  panel_.SetPosition(2, 70);
  panel_.SetSize(150, 442);
  question_.SetName("question");
  question_.SetPosition(164, 244);
  question_.SetSize(466, 168);
  answer_.SetName("answer");
  answer_.SetPosition(164, 244);
  answer_.SetSize(466, 168);
  LoadSounds();
  game_.Load();
}

void QuizScreen::CreateSprites() {
  stamp_ = std::make_unique<gfx::Sprite>(ctx_);
  stamp_->SetPosition(345, 254);
  stamp_->AddFrameFromFile("true.bmp");
  stamp_->AddFrameFromFile("false.bmp");

  flower_ = std::make_unique<gfx::Sprite>(ctx_);
  flower_->AddFrameFromFile("flower.bmp");

  bull_ = std::make_unique<gfx::Sprite>(ctx_);
  bull_->LoadFrames("bullanim.bmp", kBullFrameWidth, kBullFrameHeight);

  timer_ = std::make_unique<gfx::Sprite>(ctx_);
  timer_->AddFrameFromFile("bulltimer.bmp");

  digits_ = std::make_unique<gfx::Sprite>(ctx_);
  digits_->LoadStrip("scorefont.bmp", 10, 0);

  ladder_ = std::make_unique<gfx::Sprite>(ctx_);
  ladder_->LoadStrip("allscore.bmp", 10, 0);
  ladder_->DivideWidthByFrames();

  litLadder_ = std::make_unique<gfx::Sprite>(ctx_);
  litLadder_->LoadStrip("allscorehighlight.bmp", 10, 0);
  litLadder_->DivideWidthByFrames();
}

void QuizScreen::LoadSounds() {
  for (const CueSpec& cue : kCues) bank_.Load(cue.file, cue.name);
}

void QuizScreen::Release() {
  bank_.FreeAll();
  gfx::Screen::Release();
  board_ = nullptr;
  cleanBoard_ = nullptr;
  stamp_.reset();
  ladder_.reset();
  litLadder_.reset();
  flower_.reset();
  bull_.reset();
  timer_.reset();
  digits_.reset();
  ctx_.sprites.Clear();
}

int QuizScreen::HandleMessage(uint32_t, uint64_t, int64_t) { return 1; }

int QuizScreen::Update(int) {
  if (game_.Update() == gfx::kEndProgram) return gfx::kEndProgram;
  return Present() ? gfx::kKeepRunning : gfx::kEndProgram;
}

}  // namespace quiz
