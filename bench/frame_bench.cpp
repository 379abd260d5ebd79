// What a frame costs: the real programs on the headless back end with the
// generated art, next to the same picture made the simple way in the same
// run, and the start-up to the first presented frame. The ratios are
// printed at the end.
//
// The simple way restores the whole background, copies the whole composed
// picture over it (standing for every widget drawn again) and uploads the
// whole frame: fewer widgets than a screen really
// has, so the ratio printed is, if anything, flattering to the baseline.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "gfx/back_buffer.h"
#include "launcher/pavlora_program.h"
#include "platform/headless/headless_backend.h"
#include "platform/system.h"
#include "quiz/quiz_game.h"
#include "quiz/verimoo_program.h"
#include "shell/app/application.h"

namespace {

namespace fs = std::filesystem;

// A private copy of the laid-out tree: the programs write their files there.
class Tree {
 public:
  explicit Tree(bool music) {
    std::string pattern = (fs::temp_directory_path() / "pav_bench_XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    root_ = pattern;
    fs::copy(PAV_DIST_DIR, launcher(), fs::copy_options::recursive);
    std::ofstream(launcher() / "options.ini", std::ios::binary | std::ios::trunc)
        << "[setup]\r\nmusic=" << (music ? 'Y' : 'N') << "\r\nSFX=Y\r\nplayerid=0\r\n";
  }
  ~Tree() {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
  fs::path launcher() const { return root_ / "L"; }
  fs::path game() const { return launcher() / "Verimoo"; }

 private:
  fs::path root_;
};

class WorkingDir {
 public:
  explicit WorkingDir(const fs::path& dir) : saved_(fs::current_path()) { fs::current_path(dir); }
  ~WorkingDir() { fs::current_path(saved_); }

 private:
  fs::path saved_;
};

// One program running in its directory of the tree.
template <typename ProgramType>
struct Session {
  Session(const fs::path& dir, const std::string& commandLine) : cwd(dir) {
    started = app.StartUp(commandLine) == -1;
  }
  bool frame() { return app.RunFrame(exitCode); }
  void click(int x, int y) {
    backend.mouseDown(x, y);
    for (int i = 0; i < 5; ++i) frame();
    backend.mouseUp(x, y);
    for (int i = 0; i < 5; ++i) frame();
  }

  WorkingDir cwd;
  ProgramType program;
  platform::HeadlessBackend backend;
  platform::RecordingLauncher launcher;
  shell::Application app{backend, launcher, program};
  bool started = false;
  int exitCode = -1;
};

// The simple way, on the same surfaces the screen uses.
void SimpleFrame(shell::Application& app, platform::Surface& texture) {
  gfx::Context& ctx = app.Context();
  platform::Surface* back = gfx::BackBuffer(ctx);
  back->blt(nullptr, ctx.redraw.GetBackground(), nullptr, 0);
  back->blt(nullptr, ctx.redraw.GetTarget(), nullptr, 0);
  texture.blt(nullptr, back, nullptr, 0);
  back->takeChanges();
}

// The quiz with a statement on the board, the clock running and the bull
// moving; the pointer rests on the board away from the buttons.
struct WaitingQuiz {
  Tree tree{false};
  Session<quiz::VerimooProgram> s{tree.game(), ""};
  WaitingQuiz() {
    s.click(55, 555);  // new game
    for (int i = 0; i < 3000 && s.program.Game()->GetState() != quiz::QuizGame::kWaiting; ++i) s.frame();
    s.backend.mouseMove(400, 250);
    s.frame();
  }
  bool waiting() { return s.program.Game()->GetState() == quiz::QuizGame::kWaiting; }
};

// 3000 frames are 30 s of the 180 s clock: the statement is still waiting.
constexpr int kQuizFrames = 3000;

void BM_QuizWaitingFrame(benchmark::State& state) {
  WaitingQuiz quiz;
  if (!quiz.waiting()) return state.SkipWithError("the quiz did not reach a statement");
  for (auto _ : state) quiz.s.frame();
  if (!quiz.waiting()) state.SkipWithError("the statement stopped waiting");
}
BENCHMARK(BM_QuizWaitingFrame)->Iterations(kQuizFrames)->Unit(benchmark::kMicrosecond);

void BM_QuizWaitingFrameSimpleWay(benchmark::State& state) {
  WaitingQuiz quiz;
  if (!quiz.waiting()) return state.SkipWithError("the quiz did not reach a statement");
  platform::Surface texture(800, 600);
  for (auto _ : state) SimpleFrame(quiz.s.app, texture);
}
BENCHMARK(BM_QuizWaitingFrameSimpleWay)->Iterations(kQuizFrames)->Unit(benchmark::kMicrosecond);

// The launcher idle on its catalogue, or on the quiz's title screen.
struct IdleLauncher {
  Tree tree{false};
  Session<launcher::PavloraProgram> s;
  explicit IdleLauncher(const std::string& commandLine) : s(tree.launcher(), commandLine) {
    s.backend.mouseMove(790, 590);
    for (int i = 0; i < 50; ++i) s.frame();
  }
};

void BM_LauncherIdleFrame(benchmark::State& state, const char* commandLine) {
  IdleLauncher launcher(commandLine);
  if (!launcher.s.started) return state.SkipWithError("the launcher did not start");
  for (auto _ : state) launcher.s.frame();
}
BENCHMARK_CAPTURE(BM_LauncherIdleFrame, Catalogue, "")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LauncherIdleFrame, Title, "Verimoo")->Unit(benchmark::kMicrosecond);

void BM_LauncherIdleFrameSimpleWay(benchmark::State& state, const char* commandLine) {
  IdleLauncher launcher(commandLine);
  if (!launcher.s.started) return state.SkipWithError("the launcher did not start");
  platform::Surface texture(800, 600);
  for (auto _ : state) SimpleFrame(launcher.s.app, texture);
}
BENCHMARK_CAPTURE(BM_LauncherIdleFrameSimpleWay, Catalogue, "")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LauncherIdleFrameSimpleWay, Title, "Verimoo")->Unit(benchmark::kMicrosecond);

// From program entry to the first presented frame, with the music's first
// fill (the quiz with music on) and without it (music off).
void BM_QuizStartUp(benchmark::State& state) {
  const bool music = state.range(0) != 0;
  Tree tree(music);
  for (auto _ : state) {
    std::optional<Session<quiz::VerimooProgram>> s;
    s.emplace(tree.game(), "");
    for (int i = 0; i < 100 && s->backend.presentedCount() == 0 && s->frame(); ++i) {
    }
    if (s->backend.presentedCount() == 0) state.SkipWithError("no frame presented");
    state.PauseTiming();
    s.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_QuizStartUp)->ArgName("music")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Prints each frame's cost as a share of its simple-way baseline.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (!run.error_occurred && run.run_type == Run::RT_Iteration) {
        auto& [sum, count] = cpu_[run.benchmark_name()];
        sum += run.GetAdjustedCPUTime();
        ++count;
      }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    // Means over the repetitions, CPU time.
    auto mean = [this](const std::string& name) {
      const auto it = cpu_.find(name);
      return it == cpu_.end() ? 0.0 : it->second.first / it->second.second;
    };
    auto ratio = [&](const std::string& frame, const std::string& simple, const char* target) {
      if (mean(frame) <= 0 || mean(simple) <= 0) return;
      std::printf("%-36s 1/%-6.1f of the simple way (target %s)\n", frame.c_str(),
                  mean(simple) / mean(frame), target);
    };
    ratio("BM_QuizWaitingFrame/iterations:3000", "BM_QuizWaitingFrameSimpleWay/iterations:3000", "1/5");
    ratio("BM_LauncherIdleFrame/Catalogue", "BM_LauncherIdleFrameSimpleWay/Catalogue", "1/20");
    ratio("BM_LauncherIdleFrame/Title", "BM_LauncherIdleFrameSimpleWay/Title", "1/20");
  }

 private:
  std::map<std::string, std::pair<double, int>> cpu_;  // sum, count
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
