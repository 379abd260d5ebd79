#include "launcher_harness.h"

#include <cstdlib>
#include <utility>

#include "gfx/screen.h"
#include "platform/paths.h"
#include "support/bmp_file.h"

namespace launcher_test {

namespace fs = std::filesystem;

void WriteSolidBmp(const std::string& path, Rgb colour, int width, int height) {
  test_support::WriteBmp24(path, width, height, [&](int, int) { return uint32_t(colour.r << 16 | colour.g << 8 | colour.b); });
}

LauncherTree::LauncherTree() : previous_(fs::current_path()), root_(scratch_.path()) {
  const fs::path root = root_;
  fs::permissions(root, fs::perms(0755));
  // The launcher's own pictures, as the build lays them out.
  for (const auto& entry : fs::directory_iterator(PAV_DIST_DIR)) {
    if (!entry.is_regular_file()) continue;
    const std::string file = entry.path().filename().string();
    if (file == "options.ini" || file == "setup.ini" || file.ends_with(".tmp")) continue;
    fs::create_symlink(entry.path(), root / file);
  }
  fs::current_path(root);
}

LauncherTree::~LauncherTree() {
  std::error_code ec;
  fs::current_path(previous_, ec);
  for (const std::string& dir : readOnly_) fs::permissions(dir, fs::perms(0755), ec);
}

std::string LauncherTree::AddGame(const std::string& name, const GameOptions& options) {
  const fs::path dir = fs::path(root_) / name;
  fs::create_directories(dir);
  fs::permissions(dir, fs::perms(0755));
  WriteSolidBmp((dir / options.picture).string(), options.colour);
  fs::create_directory_symlink(fs::path(PAV_DIST_DIR) / "Verimoo" / "title", dir / "title");
  if (options.program) {
    Write(name + "/" + name, "");
    fs::permissions(dir / name, fs::perms(0755));
  }
  return dir.string();
}

void LauncherTree::MakeReadOnly(const std::string& name) {
  const std::string dir = Path(name);
  fs::permissions(dir, fs::perms(0555));
  readOnly_.push_back(dir);
}

void ScriptedBackend::translatePending(platform::MessageQueue& queue) {
  // A pump asks again as soon as it has taken what came; a new pass of a
  // loop is one that begins a frame or follows a presented picture.
  const bool newPass = frameStarting || presentedCount() != lastPresented_;
  frameStarting = false;
  lastPresented_ = presentedCount();
  if (newPass) {
    // The frame loop's first pass waits for the display itself; every
    // further pass in the same frame belongs to a pop-up's loop.
    if (++passesInFrame > 1) manualTimer().advance(10);
    if (!script.empty()) {
      auto step = std::move(script.front());
      script.pop_front();
      step();
    } else if (passesInFrame == kStuckPasses) {
      // A pop-up nobody closes: close the program rather than hang the test.
      stuck = true;
      close();
    }
  }
  HeadlessBackend::translatePending(queue);
}

bool LauncherRun::Start(const std::string& commandLine) {
  const int early = app.StartUp(commandLine);
  if (early >= 0) {
    ended = true;
    exitCode = early;
    return false;
  }
  return true;
}

void LauncherRun::Frames(int count) {
  for (int i = 0; i < count && !ended; ++i) {
    backend.passesInFrame = 0;
    backend.frameStarting = true;
    if (!app.RunFrame(exitCode)) ended = true;
  }
}

void LauncherRun::Play(int settle) {
  for (int guard = 0; !backend.script.empty() && !ended && guard < 10000; ++guard) Frames(1);
  Frames(settle);
  EXPECT_FALSE(backend.stuck) << "a pop-up stayed open with nothing left to do";
}

void LauncherRun::Wait(int passes) {
  for (int i = 0; i < passes; ++i) backend.script.push_back([] {});
}

void LauncherRun::Click(int x, int y) {
  ScriptedBackend& b = backend;
  b.script.push_back([&b, x, y] { b.mouseMove(x, y); });
  Wait(1);
  b.script.push_back([&b, x, y] { b.mouseDown(x, y); });
  Wait(2);
  b.script.push_back([&b, x, y] { b.mouseUp(x, y); });
  Wait(2);
}

void LauncherRun::Key(int scanCode, bool shift) {
  ScriptedBackend& b = backend;
  constexpr int kLeftShift = 42;
  b.script.push_back([&b, scanCode, shift] {
    if (shift) b.keyDown(kLeftShift);
    b.pressKey(scanCode);
    if (shift) b.keyUp(kLeftShift);
  });
}

void LauncherRun::Type(const std::string& text) {
  // Each key row of the US layout from its first scan code, plain and shifted.
  const std::pair<std::string, int> rows[] = {{"1234567890", 2}, {"!@#$%^&*()", -2}, {"qwertyuiop", 16},
                                              {"QWERTYUIOP", -16}, {"asdfghjkl", 30}, {"ASDFGHJKL", -30},
                                              {"zxcvbnm,.", 44}, {"ZXCVBNM", -44}, {" ", 57}, {":", -39}};
  for (const char c : text) {
    int code = 0;
    for (const auto& [keys, first] : rows)
      if (const size_t at = keys.find(c); at != std::string::npos) code = (first < 0 ? -1 : 1) * (std::abs(first) + int(at));
    ASSERT_NE(code, 0) << "no key for '" << c << "'";
    Key(std::abs(code), code < 0);
  }
}

std::string LauncherRun::CurrentScreen() const {
  const gfx::Screen* screen = const_cast<shell::Application&>(app).Screens().Current();
  return screen ? screen->GetName() : std::string();
}

}  // namespace launcher_test
