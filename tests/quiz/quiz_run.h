// Whole quiz runs on the headless back end: a private copy of the generated
// game directory inside a launcher directory, the program started in it with
// a fixed seed, and a scripted player; each frame is 10 ms of the manual
// clock. Cues and pictures are recorded as the game plays them.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "platform/headless/pulled_audio.h"
#include "platform/system.h"
#include "quiz/quiz_game.h"
#include "quiz/verimoo_program.h"
#include "shell/app/application.h"
#include "sound/snd_sample.h"
#include "sound/sound_bank.h"
#include "support/score_file.h"
#include "support/scratch_dir.h"
#include "support/shows.h"

namespace quiz_test {

namespace fs = std::filesystem;

// Where the board's controls are clicked.
struct Point {
  int x, y;
};
inline constexpr Point kNewGame{55, 555};
inline constexpr Point kInfo{149, 555};
inline constexpr Point kMenu{655, 555};
inline constexpr Point kExit{749, 555};
inline constexpr Point kTrue{272, 534};
inline constexpr Point kPass{410, 534};
inline constexpr Point kFalse{536, 534};
inline constexpr Point kNext{397, 328};

// The board's controls, reached by the mouse, the keyboard or a controller.
enum class Control { kTrue, kFalse, kPass, kNext, kNewGame };
enum class Input { kMouse, kKeys, kPad };
inline constexpr Point kControlPoints[] = {kTrue, kFalse, kPass, kNext, kNewGame};
inline constexpr int kControlKeys[] = {20, 33, 25, 57, 49};  // T, F, P, Space, N
inline constexpr platform::PadButton kControlPads[] = {platform::kPadA, platform::kPadB,
                                                       platform::kPadY, platform::kPadStart,
                                                       platform::kPadStart};
inline std::string InputName(const ::testing::TestParamInfo<Input>& info) {
  const char* names[] = {"Mouse", "Keys", "Pad"};
  return names[int(info.param)];
}

inline std::string ReadBytes(const fs::path& path) { return test_support::ScratchDir::ReadFile(path.string()); }

inline void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// A question file (CR LF lines, an empty line after every block) of n
// questions whose answers follow the pattern given (cycled).
inline std::string NumberedQuestions(int n, const std::vector<bool>& answers) {
  std::string text;
  for (int i = 0; i < n; ++i)
    text += "Question " + std::to_string(i) + " says cows can fly.\r\n" +
            (answers[size_t(i) % answers.size()] ? "TRUE" : "FALSE") + "\r\nExplanation of question " +
            std::to_string(i) + ".\r\n\r\n";
  return text;
}

// A scratch launcher directory L around a copy of the generated L/Verimoo.
class GameDir {
 public:
  explicit GameDir(bool withMusic = false) : root_(scratch_.path()) {
    fs::create_directories(launcher());
    fs::copy(PAV_DIST_DIR "/Verimoo", game(), fs::copy_options::recursive);
    for (const char* name : {"Verimoo", "hiscore.dat", withMusic ? "" : "sounds/music.wav"})
      if (*name) fs::remove(file(name));
    WriteOptions("[setup]\r\nmusic=N\r\nSFX=Y\r\nplayerid=0\r\n");
  }

  fs::path launcher() const { return root_ / "L"; }
  fs::path game() const { return root_ / "L" / "Verimoo"; }
  fs::path file(const std::string& name) const { return game() / name; }

  void WriteOptions(const std::string& text) const { WriteText(launcher() / "options.ini", text); }
  void WriteQuestions(const std::string& text) const { WriteText(file("Verimoo.txt"), text); }

 private:
  test_support::ScratchDir scratch_;
  fs::path root_;
};

// Enters a directory for the life of the object.
class WorkingDir {
 public:
  explicit WorkingDir(const fs::path& dir) : saved_(fs::current_path()) { fs::current_path(dir); }
  ~WorkingDir() {
    std::error_code ec;
    fs::current_path(saved_, ec);
  }
  WorkingDir(const WorkingDir&) = delete;
  WorkingDir& operator=(const WorkingDir&) = delete;

 private:
  fs::path saved_;
};

inline std::string PictureName(quiz::Picture picture) {
  const char* names[] = {"picture:hall of fame", "picture:game over", "picture:rules"};
  return names[int(picture)];
}

struct CueEvent {
  std::string name;
  long volume = 0, pan = 0;
  uint32_t sampleId = 0;  // the engine's id of the sample played, 0 when none played
};

enum class Move { kRight, kWrong, kPass };

class QuizRun {
 public:
  explicit QuizRun(const GameDir& dir, std::string commandLine = "", uint32_t seed = 7)
      : cwd_(dir.game()), program_(seed) {
    program_.SetCueObserver([this](const std::string& name, long volume, long pan,
                                   sound::SNDSample* sample) {
      cues.push_back({name, volume, pan, sample ? sample->m_dwID : 0u});
      timeline.push_back(name);
    });
    program_.SetPictureObserver([this](quiz::Picture picture, int pass) {
      passes[size_t(picture)] += 1;
      if (pass == 1) timeline.push_back(PictureName(picture));
      if (onPicture) onPicture(picture, pass);
    });
    started = app.StartUp(commandLine) == -1;
  }

  quiz::QuizGame& game() { return *program_.Game(); }
  quiz::QuizScreen& screen() { return *program_.Screen(); }
  int state() { return game().GetState(); }
  int clock() { return app.Clock().GameClock(); }
  uint32_t now() { return app.Clock().Ticks(); }
  sound::SoundBank& bank() { return app.Sound().Bank(); }

  // One pass of the frame loop; false once the program has ended.
  bool frame() {
    if (ended) return false;
    if (!app.RunFrame(exitCode)) ended = true;
    // The device takes its 10 ms of sound, so finished cues free their
    // slots. A program that has ended has closed its device.
    platform::PulledAudioOutput* audio = ended ? nullptr : backend.audio();
    if (audio) {
      const int frames = audio->format().rate / 100;
      audioScratch_.resize(size_t(frames) * size_t(audio->format().channels));
      audio->pull(audioScratch_.data(), frames);
    }
    return !ended;
  }
  void frames(int n) {
    for (int i = 0; i < n && frame(); ++i) {
    }
  }
  // Frames until done() holds; false when the limit or the end came first.
  bool runUntil(const std::function<bool()>& done, int limit) {
    for (int i = 0; i < limit; ++i) {
      if (!frame()) return false;
      if (done()) return true;
    }
    return false;
  }
  bool waitForState(int wanted, int limit = 2000) {
    if (state() == wanted) return true;
    return runUntil([&] { return state() == wanted; }, limit);
  }
  // Press and release, each held until the 10 ms poll has seen it (a poll
  // may come a frame late after a picture): the click completes in the last
  // frame, and the pointer rests where it clicked.
  void click(Point p) {
    for (const bool down : {true, false}) {
      down ? backend.mouseDown(p.x, p.y) : backend.mouseUp(p.x, p.y);
      for (int i = 0; i < 5 && frame() && buttonDown() != down; ++i) {
      }
    }
  }
  bool buttonDown() {
    int buttons = 0;
    app.Mouse().GetState(nullptr, nullptr, &buttons);
    return (buttons & 1) != 0;
  }
  // The control used the player's way; the frame it acts in is done.
  void use(Control control) {
    const size_t i = size_t(control);
    if (input == Input::kMouse) return click(kControlPoints[i]);
    if (input == Input::kKeys) backend.pressKey(kControlKeys[i]);
    else backend.pressPad(0, kControlPads[i]);
    frame();
  }
  // The clock runs out at the next frame.
  void runOut() {
    app.Clock().SetGameClock(0);
    frame();
  }
  // Clicks "info" and, while the rules show, the picture to close it.
  void readRules() {
    onPicture = [this](quiz::Picture, int pass) {
      if (pass == 3) backend.mouseDown(400, 300);
      if (pass == 5) backend.mouseUp(400, 300);
    };
    click(kInfo);
    onPicture = nullptr;
  }

  // Waits for a statement and makes the move by the answer the game holds
  // (the loader's reading is checked on its own); the move's frame is done.
  void answer(Move move) {
    ASSERT_TRUE(waitForState(quiz::QuizGame::kWaiting));
    if (move == Move::kPass) return use(Control::kPass);
    use((move == Move::kRight) == truth() ? Control::kTrue : Control::kFalse);
  }
  bool truth() {
    const quiz::QuestionRecord* record = game().Store().Current();
    return record && record->answer == 1;
  }
  // Waits for the explanation and goes on.
  void next() {
    ASSERT_TRUE(waitForState(quiz::QuizGame::kExplanation));
    use(Control::kNext);
    ASSERT_EQ(state(), quiz::QuizGame::kNewQuestion);
  }

  std::vector<std::string> cueNames(size_t from = 0) const {
    std::vector<std::string> names;
    for (size_t i = from; i < cues.size(); ++i) names.push_back(cues[i].name);
    return names;
  }
  int picturePasses(quiz::Picture picture) const { return passes[size_t(picture)]; }

  platform::Surface* target() { return screen().Board()->GetSurface(); }
  platform::Surface* clean() { return screen().CleanBoard()->GetSurface(); }

 private:
  WorkingDir cwd_;
  quiz::VerimooProgram program_;

 public:
  platform::HeadlessBackend backend;
  platform::RecordingLauncher launcher;
  shell::Application app{backend, launcher, program_};
  bool started = false;
  bool ended = false;
  int exitCode = -1;
  std::vector<CueEvent> cues;
  int passes[3] = {};  // of each picture's loop
  // Cue names and the first pass of each picture, in the order they came.
  std::vector<std::string> timeline;
  std::function<void(quiz::Picture, int)> onPicture;
  Input input = Input::kMouse;

 private:
  std::vector<int16_t> audioScratch_;
};

using test_support::Shows;

// Pixels of a rectangle of a surface, row by row.
inline std::vector<uint16_t> Pixels(const platform::Surface& s, int x, int y, int w, int h) {
  std::vector<uint16_t> out;
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) out.push_back(s.pixel16(i, j));
  return out;
}

}  // namespace quiz_test
