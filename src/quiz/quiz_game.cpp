#include "quiz/quiz_game.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "gfx/button_group.h"
#include "gfx/context.h"
#include "gfx/draw_number.h"
#include "gfx/redraw_queue.h"
#include "gfx/sprite.h"
#include "gfx/sprite_list.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/qv.h"
#include "platform/system.h"
#include "quiz/cue_player.h"
#include "quiz/quiz_screen.h"
#include "shell/services/message_pump.h"
#include "shell/services/presses.h"
#include "shell/services/timers.h"
#include "shell/services/window_title.h"

namespace quiz {
namespace {

constexpr long kCueVolume = 65535;
constexpr long kEffectPan = 0;
constexpr long kBullPan = 1;
constexpr int kHighScoreRows = players::HighScoreTable::kRows;

// Where things go on the board.
constexpr int kBestRight = 134, kScoreRight = 774, kScoreTop = 20;
constexpr int kBestBox = 10, kScoreBox = 650, kBoxTop = 10, kBoxWidth = 136, kBoxHeight = 34;
constexpr int kTimeBarX = 649, kTimeBarY = 74;
constexpr int kBullX = 164, kBullY = 14;
constexpr int kLadderX = 10, kLadderBottom = 466, kLadderPitch = 43;
constexpr int kFlowerY = 466;
constexpr int kFlowerX[] = {655, 697, 739};

// Timings in milliseconds.
constexpr uint32_t kBullStepMs = 200;
constexpr uint32_t kNewGameBlinkMs = 500;
constexpr uint32_t kRightPauseMs = 500;
constexpr uint32_t kLadderBlinkMs = 100;
constexpr uint32_t kRevealMs = 100;
constexpr uint32_t kExplanationMs = 10000;

// Said in the question panel when the file gives nothing to ask.
constexpr const char* kNoQuestionLines[] = {"No questions were found", "in the file Verimoo.txt."};

// Rounds of reset-and-draw one frame may spend before it tries again in
// the next; a store with a drawable record practically never needs more
// than a few.
constexpr int kDrawRounds = 1000;

}  // namespace

QuizGame::QuizGame(gfx::Context& ctx, shell::WindowTitle& title,
                   platform::ProgramLauncher& launcher, CuePlayer& cues, QuizRandom& random,
                   std::string launcherDirectory)
    : ctx_(ctx),
      title_(title),
      launcher_(launcher),
      cues_(cues),
      random_(random),
      launcherDirectory_(std::move(launcherDirectory)),
      saveNotice_(ctx.qv.backend(), "Verimoo") {}

QuizGame::~QuizGame() = default;

void QuizGame::AttachScreen(QuizScreen& screen) {
  screen_ = &screen;
  pictures_ = std::make_unique<QuizPictures>(ctx_, screen, [this] { RedrawAfterPopup(); });
  pictures_->SetObserver(pictureObserver_);
}

void QuizGame::SetPictureObserver(PictureObserver observer) {
  pictureObserver_ = std::move(observer);
  if (pictures_) pictures_->SetObserver(pictureObserver_);
}

void QuizGame::Load() {
  store_.Clear();
  store_.LoadFonts(ctx_.qv, "font.bmp");
  store_.LoadFile(kQuestionFile);
  ctx_.redraw.RestoreAll();
  bullFrame_ = BullAnimation::kNoFrame;

  SetTimeLimit(kTimeLimit);
  SetBonusSeconds(kBonusSeconds);
  SetTimeCap(kTimeCap);
  ctx_.timers.SetGameClock(GetTimeLimit());

  SetScore(0);
  ladderLevel_ = 0;
  streak_ = 0;

  ReadCurrentPlayer(false);
  table_.Create(kHighScoreRows);
  table_.Read(kHighScoreFile);

  SetState(kLoaded);
  ReadBests();
  ctx_.timers.StartClock();
  StartAnimation(BullAnimation::kIdle);
}

void QuizGame::Unload() {
  store_.Clear();
  store_.FreeFonts();
  ctx_.sprites.Clear();
}

int QuizGame::Update() {
  if (!screen_) return gfx::kKeepRunning;
  screen_->FeedMouseToButtons();
  HandlePresses();

  DrawScores();
  DrawTimeBar();
  StepBull();

  if (Clicked("menu") && !launcherDirectory_.empty() && StartLauncher()) return gfx::kEndProgram;
  if (Clicked("info")) {
    // The clock waits until the next statement is drawn.
    ctx_.timers.StopClock();
    if (!pictures_->ShowRulesPicture()) return gfx::kEndProgram;
  }
  if (Clicked("exit")) return gfx::kEndProgram;
  if (Clicked("newgame")) {
    if (gfx::Button* button = screen_->Buttons().Find("newgame")) button->SetImageOffset(0);
    Load();
    ctx_.timers.StartClock();
  }
  if (GetState() != kNoGame && ctx_.timers.GameClock() <= 0) return GameOver();
  StateStep();
  return gfx::kKeepRunning;
}

// --- shared steps -------------------------------------------------------

void QuizGame::StartAnimation(int number) {
  if (!bull_.Start(number)) return;
  if (const char* sound = BullAnimation::Sound(number)) cues_.Play(sound, kCueVolume, kBullPan);
}

void QuizGame::DrawLadder() {
  ctx_.redraw.RestoreImageRect(&screen_->PanelArea());
  gfx::Sprite* tiles = screen_->LadderTiles();
  if (!tiles) return;
  for (int i = 0; i <= ladderLevel_; ++i) {
    tiles->SetPosition(kLadderX, kLadderBottom - kLadderPitch * i);
    tiles->SetFrameUnchecked(i);
    tiles->DrawOnTarget();
  }
}

void QuizGame::DrawFlowers() {
  gfx::Sprite* flower = screen_->Flower();
  if (!flower) return;
  const int count = std::clamp(streak_, 0, 3);
  for (int i = 0; i < count; ++i) {
    flower->SetPosition(kFlowerX[i], kFlowerY);
    flower->Draw(ctx_.redraw.GetTarget());
  }
}

void QuizGame::ClearBoard() {
  ctx_.redraw.RestoreImageRect(&screen_->QuestionArea());
  ctx_.redraw.RestoreImageRect(&screen_->AnswerArea());
  if (const gfx::Sprite* stamp = screen_->TruthStamp())
    ctx_.redraw.RestoreRect(int(stamp->X()), int(stamp->Y()), stamp->Width(), stamp->Height());
}

void QuizGame::ShowStatement() {
  // Without a current record there is nothing that could be asked.
  if (const gfx::BitmapFont* font = store_.StatementFont()) {
    platform::Surface* target = ctx_.redraw.GetTarget();
    if (store_.Current()) {
      store_.DrawStatement(target, *font, kTextX, kTextY);
    } else {
      int y = kTextY;
      for (const char* line : kNoQuestionLines) {
        font->DrawText(target, line, kTextX, y, 0);
        y += font->Height();
      }
    }
  }
  ctx_.redraw.ShowImageRect(&screen_->QuestionArea());
}

void QuizGame::ShowExplanation() {
  const QuestionRecord* record = store_.Current();
  if (record) {
    if (gfx::Sprite* stamp = screen_->TruthStamp()) {
      stamp->SetFrameUnchecked(record->answer == 1 ? 0 : 1);
      stamp->DrawOnTarget();
    }
    if (const gfx::BitmapFont* font = store_.ExplanationFont())
      store_.DrawExplanation(ctx_.redraw.GetTarget(), *font, kTextX, kTextY);
  }
  ctx_.redraw.ShowImageRect(&screen_->AnswerArea());
}

void QuizGame::RedrawAfterPopup() {
  DrawLadder();
  // With no game running the board was cleared at game over: nothing to
  // bring back but the ladder and the bull.
  if (GetState() == kWaiting)
    ShowStatement();
  else if (GetState() != kNoGame)
    ShowExplanation();
  // A picture over the bull wiped it from the board; a finished animation
  // would not draw it again until the next answer.
  gfx::Sprite* bull = screen_->Bull();
  if (bull && bullFrame_ != BullAnimation::kNoFrame) {
    bull->SetFrameUnchecked(bullFrame_);
    bull->SetPosition(kBullX, kBullY);
    bull->DrawOnTarget();
  }
}

std::string QuizGame::ReadCurrentPlayer(bool entryText) {
  roster_.SetPath(kOptionsFile);
  const int index = roster_.ReadCurrentIndex();
  SetPlayerIndex(index);
  roster_.LoadPlayer(index);
  title_.Set(roster_.Player(index).name);
  return entryText ? roster_.EntryText(index) : std::string();
}

// --- the frame ----------------------------------------------------------

void QuizGame::DrawScores() {
  gfx::Sprite* digits = screen_->ScoreDigits();
  if (!digits) return;
  // A box is wiped and drawn again only when its number changed or
  // something was drawn over it. A score too long for its place closes up
  // to fill its box, which is all that is wiped.
  platform::Surface* target = ctx_.redraw.GetTarget();
  auto box = [&](int32_t value, int rightEdge, int boxLeft) {
    const platform::Rect area{boxLeft, kBoxTop, boxLeft + kBoxWidth, kBoxTop + kBoxHeight};
    const gfx::RedrawQueue::Drawing drawing{{}, this, value};
    if (ctx_.redraw.Unchanged(target, area, drawing)) return;
    ctx_.redraw.RestoreRect(boxLeft, kBoxTop, kBoxWidth, kBoxHeight);
    gfx::DrawNumberRightAligned(*digits, value, rightEdge, kScoreTop, gfx::NumberBox{boxLeft, kBoxWidth});
    ctx_.redraw.Drew(target, area, drawing, {});
  };
  box(table_.TopScore(), kBestRight, kBestBox);
  box(GetScore(), kScoreRight, kScoreBox);
}

void QuizGame::DrawTimeBar() {
  gfx::Sprite* bar = screen_->TimerBar();
  if (bar) {
    const int w = bar->Width(), h = bar->Height();
    const int limit = GetTimeLimit();
    int filled = 0;
    if (limit > 0) {
      const double spent = double(limit - ctx_.timers.GameClock()) / double(limit);
      filled = std::clamp(int(spent * double(h)), 0, h);
    }
    platform::Surface* target = ctx_.redraw.GetTarget();
    // Drawn again only when the bar grew or something was drawn over it.
    const platform::Rect area{kTimeBarX, kTimeBarY, kTimeBarX + w, kTimeBarY + h};
    const gfx::RedrawQueue::Drawing drawing{{}, bar, filled};
    if (ctx_.redraw.Unchanged(target, area, drawing)) return DrawFlowers();
    ctx_.redraw.RestoreRect(kTimeBarX, kTimeBarY, w, h);
    const platform::Surface* picture = bar->Frame(0);
    if (filled > 0 && target && picture) {
      const platform::Rect from{0, 0, w, filled};
      const platform::Rect to{kTimeBarX, kTimeBarY + h - filled, kTimeBarX + w, kTimeBarY + h};
      target->blt(&to, picture, &from, platform::kBltKeySrc);
      ctx_.redraw.QueueRect(kTimeBarX, kTimeBarY + h - filled, w, filled);
    }
    ctx_.redraw.Drew(target, area, drawing, {});
  }
  DrawFlowers();
}

void QuizGame::StepBull() {
  if (Since(lastBullStep_) <= kBullStepMs) return;
  lastBullStep_ = Now();
  const int frame = bull_.Step();
  gfx::Sprite* bull = screen_->Bull();
  if (frame == BullAnimation::kNoFrame || !bull) return;
  bull->SetFrameUnchecked(frame);
  bull->SetPosition(kBullX, kBullY);
  bull->DrawOnTarget();
  bullFrame_ = frame;
}

std::string QuizGame::LauncherProgram(const std::string& launcherDirectory) {
  std::string program = launcherDirectory;
  if (program.back() != platform::kPathSeparator) program += platform::kPathSeparator;
  program += kLauncherProgram;
  program += platform::kProgramSuffix;
  return program;
}

bool QuizGame::StartLauncher() {
  const std::string program = LauncherProgram(launcherDirectory_);
  if (launcher_.startProgram(program, "Verimoo", launcherDirectory_)) return true;
  // The player stays in the game rather than being left with nothing.
  ctx_.qv.backend().messageBox("Could not start the launcher " + program + ".", "Verimoo");
  return false;
}

int QuizGame::GameOver() {
  const std::string entry = ReadCurrentPlayer(true);
  players::HighScoreTable kept = table_;
  if (table_.Insert(entry, GetScore())) {
    std::string why;
    if (!table_.Write(kHighScoreFile, &why)) {
      // The best score on the board is the one the file keeps.
      table_ = std::move(kept);
      saveNotice_.Report("The high scores", why);
    } else if (!pictures_->ShowHallOfFameNotice()) {
      return gfx::kEndProgram;
    }
  }
  StartAnimation(BullAnimation::kGameOver);
  ClearBoard();
  screen_->Present();
  screen_->Present();
  ctx_.timers.StopClock();
  if (!pictures_->ShowGameOverPicture()) return gfx::kEndProgram;
  SetState(kNoGame);
  return gfx::kKeepRunning;
}

// --- the round ----------------------------------------------------------

void QuizGame::StateStep() {
  switch (GetState()) {
    case kNoGame: BlinkNewGame(); break;
    case kLoaded: SetState(kNewQuestion); break;
    case kNewQuestion: NewQuestion(); break;
    case kWaiting: Waiting(); break;
    case kReveal: Reveal(); break;
    case kExplanation: Explanation(); break;
    case kRightPause: RightPause(); break;
    default: break;
  }
}

void QuizGame::BlinkNewGame() {
  gfx::Button* button = screen_->Buttons().Find("newgame");
  if (!button || Since(lastNewGameBlink_) <= kNewGameBlinkMs) return;
  newGameBlinkPhase_ = 1 - newGameBlinkPhase_;
  button->SetImageOffset(newGameBlinkPhase_);
  button->DrawOrBackBuffer(nullptr);
  lastNewGameBlink_ = Now();
}

void QuizGame::NewQuestion() {
  StartAnimation(BullAnimation::kIdle);
  ctx_.timers.StartClock();
  DrawLadder();
  DrawFlowers();
  ClearBoard();
  // Questions repeat only once a draw has failed: then every record is
  // made available again.
  QuestionRecord* record = store_.DrawNext(random_);
  for (int round = 0; !record && round < kDrawRounds && store_.HasDrawable(); ++round) {
    store_.ResetUsedFlags();
    record = store_.DrawNext(random_);
  }
  if (!record) {
    if (store_.HasDrawable()) return;  // try again next frame
    // Nothing to ask: the board says so and waits with a stopped clock
    // for "newgame", "info", "menu" or "exit".
    if (!noQuestionReported_) {
      std::fprintf(stderr, "Verimoo: %s holds no question that can be asked\n", kQuestionFile);
      noQuestionReported_ = true;
    }
    ctx_.timers.StopClock();
  }
  ShowStatement();
  SetState(kWaiting);
}

void QuizGame::Waiting() {
  const QuestionRecord* record = store_.Current();
  if (record) {
    if (Clicked("true")) {
      if (record->answer == 1) RightAnswer(); else WrongAnswer();
    } else if (Clicked("false")) {
      if (record->answer == 0) RightAnswer(); else WrongAnswer();
    } else if (Clicked("pass")) {
      StartAnimation(BullAnimation::kPass);
      streak_ = 0;
      SetState(kReveal);
    }
  }
  lastAnswer_ = Now();
}

void QuizGame::RightAnswer() {
  Play("bell");
  Play("poschart");
  // A score beyond what the table can hold stays at the top of the range.
  const int64_t score = int64_t(GetScore()) + kRungValues[std::size_t(ladderLevel_)];
  SetScore(int(std::min<int64_t>(score, INT32_MAX)));
  if (ladderLevel_ == kTopLevel) {
    Play("cheer");
    StartAnimation(BullAnimation::kTopRungAnswer);
  } else {
    StartAnimation(BullAnimation::kRightAnswer);
  }
  if (ladderLevel_ < kTopLevel) ++ladderLevel_;
  Play("check");
  ++streak_;
  SetState(kRightPause);
}

void QuizGame::WrongAnswer() {
  Play("drop");
  StartAnimation(streak_ == 2 ? BullAnimation::kWrongAfterTwo : BullAnimation::kWrongAnswer);
  if (ladderLevel_ > 0) {
    ladderLevel_ = 0;
    ctx_.redraw.RestoreImageRect(&screen_->PanelArea());
  }
  streak_ = 0;
  SetState(kReveal);
}

void QuizGame::RightPause() {
  if (Since(lastAnswer_) >= kRightPauseMs) {
    lastAnswer_ = Now();
    SetState(kReveal);
    return;
  }
  if (Since(lastLadderBlink_) <= kLadderBlinkMs) return;
  lastLadderBlink_ = Now();
  ladderBlinkPhase_ = 1 - ladderBlinkPhase_;
  gfx::Sprite* tiles = ladderBlinkPhase_ == 1 ? screen_->LadderTiles() : screen_->LitLadderTiles();
  const int rung = ladderLevel_ == kTopLevel ? kTopLevel : ladderLevel_ - 1;
  if (!tiles || rung < 0) return;
  tiles->SetPosition(kLadderX, kLadderBottom - kLadderPitch * rung);
  tiles->SetFrameUnchecked(rung);
  tiles->DrawOnTarget();
}

void QuizGame::Reveal() {
  ctx_.redraw.RestoreImageRect(&screen_->QuestionArea());
  if (Since(lastAnswer_) <= kRevealMs) return;
  ShowExplanation();
  SetState(kExplanation);
  lastAnswer_ = Now();
}

void QuizGame::Explanation() {
  if (Since(lastAnswer_) <= kExplanationMs && !Clicked("next")) return;
  DrawLadder();
  DrawFlowers();
  SetState(kNewQuestion);
  if (streak_ == 3) {
    Play("bling");
    // One change relative to the value read: a countdown step the timer
    // takes meanwhile is kept, and the clock still ends at most at the cap.
    const int left = ctx_.timers.GameClock();
    ctx_.timers.AddToGameClock(std::min(left + GetBonusSeconds(), GetTimeCap()) - left);
    streak_ = 0;
  }
  DrawFlowers();
}

// --- helpers ------------------------------------------------------------

void QuizGame::HandlePresses() {
  for (const shell::Press& press : ctx_.pump.Presses().Take())
    if (const char* name = ButtonFor(press)) screen_->Buttons().Trigger(name);
}

const char* QuizGame::ButtonFor(const shell::Press& press) const {
  using namespace shell::scan;
  // One press, one answer: a held key repeating does nothing.
  if (press.repeat) return nullptr;
  const int state = GetState();
  // The controller's face buttons match the answer buttons' colours; A and
  // Start also go on and start a game where there is nothing to answer.
  const bool goOn = press.Pad(platform::kPadStart) || press.Pad(platform::kPadA);
  if (press.Key(kT) || press.Key(kLeft) || (state == kWaiting && press.Pad(platform::kPadA)))
    return "true";
  if (press.Key(kF) || press.Key(kRight) || press.Pad(platform::kPadB)) return "false";
  if (press.Key(kP) || press.Key(kDown) || press.Pad(platform::kPadY)) return "pass";
  if (press.Key(kSpace) || press.Key(kReturn) || press.Key(kPadEnter) ||
      (state == kExplanation && goOn))
    return "next";
  if (press.Key(kN) || (state == kNoGame && goOn)) return "newgame";
  if (press.Key(kR) || press.Key(kH) || press.Pad(platform::kPadX)) return "info";
  // Back hands over to the launcher only from the idle board, so that no
  // single controller press can throw a running game away.
  if (press.Key(kM) || (state == kNoGame && press.Pad(platform::kPadBack))) return "menu";
  return nullptr;
}

bool QuizGame::Clicked(const char* name) const { return screen_->Buttons().IsClicked(name) != 0; }

uint32_t QuizGame::Now() const { return ctx_.timers.Ticks(); }

void QuizGame::Play(const char* cue) { cues_.Play(cue, kCueVolume, kEffectPan); }

}  // namespace quiz
