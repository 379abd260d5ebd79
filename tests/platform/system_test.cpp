#include "platform/system.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/paths.h"
#include "support/scratch_dir.h"

namespace platform {
namespace {

using test_support::ScratchDir;
namespace fs = std::filesystem;

// The lines a started program left in a file, once the file is there.
std::vector<std::string> WaitForLines(const std::string& path) {
  for (int i = 0; i < 500 && !fs::exists(path); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Children of this process that have ended but were never waited for.
int Zombies() {
  int count = 0;
  for (const auto& e : fs::directory_iterator("/proc")) {
    std::ifstream in(e.path() / "stat");
    std::string stat;
    if (!std::getline(in, stat)) continue;
    const size_t close = stat.rfind(')');
    if (close == std::string::npos) continue;
    std::istringstream rest(stat.substr(close + 2));
    char state = 0;
    int ppid = 0;
    rest >> state >> ppid;
    if (state == 'Z' && ppid == ::getpid()) ++count;
  }
  return count;
}

TEST(SpawnLauncher, StartsAProgramWithOneArgumentInItsDirectory) {
  ScratchDir dir;
  dir.mkdir("Verimoo");
  SpawnLauncher launcher;
  // No shell: separators, quotes and substitutions arrive as plain text.
  const std::string argument = "C:\\Pavlora dir; touch pwned $(id) 'q' \"d\" *";
  ASSERT_TRUE(launcher.startProgram(PAV_ARGS_RECORDER, argument, dir / "Verimoo"));
  const auto lines = WaitForLines(dir / "Verimoo/args.txt");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], fs::canonical(dir / "Verimoo").string());
  EXPECT_EQ(lines[1], "2");
  EXPECT_EQ(lines[2], argument);
  EXPECT_FALSE(fs::exists(dir / "Verimoo/pwned"));

  ASSERT_TRUE(launcher.startProgram(PAV_ARGS_RECORDER, "", dir.path()));
  const auto bare = WaitForLines(dir / "args.txt");
  ASSERT_EQ(bare.size(), 2u);
  EXPECT_EQ(bare[1], "1");  // an empty argument is left out
}

TEST(SpawnLauncher, RelativeProgramIsFoundFromHereNotFromItsDirectory) {
  ScratchDir dir;
  dir.mkdir("bin");
  dir.mkdir("game");
  fs::copy_file(PAV_ARGS_RECORDER, dir / "bin/recorder");
  const std::string saved = CurrentDirectory();
  ASSERT_TRUE(SetCurrentDirectory(dir.path()));
  SpawnLauncher launcher;
  const bool started = launcher.startProgram("bin/recorder", "x", dir / "game");
  ASSERT_TRUE(SetCurrentDirectory(saved));
  ASSERT_TRUE(started);
  const auto lines = WaitForLines(dir / "game/args.txt");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2], "x");
}

TEST(SpawnLauncher, ReportsWhatCouldNotBeStarted) {
  ScratchDir dir;
  dir.write("not-a-program", "just text");
  SpawnLauncher launcher;
  EXPECT_FALSE(launcher.startProgram("", "x", dir.path()));
  EXPECT_FALSE(launcher.startProgram(dir / "missing", "x", dir.path()));
  EXPECT_FALSE(launcher.startProgram(dir / "not-a-program", "x", dir.path()));
  EXPECT_FALSE(launcher.startProgram("/usr/bin/touch", "x", dir / "missing-dir"));
  EXPECT_FALSE(fs::exists(dir / "missing-dir"));
}

TEST(SpawnLauncher, FinishedChildrenAreReaped) {
  ScratchDir dir;
  SpawnLauncher launcher;
  for (int i = 0; i < 5; ++i)
    ASSERT_TRUE(launcher.startProgram("/usr/bin/touch", "f" + std::to_string(i), dir.path()));
  int zombies = -1;
  for (int i = 0; i < 200 && zombies != 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    zombies = Zombies();
  }
  EXPECT_EQ(zombies, 0);
  EXPECT_TRUE(fs::exists(dir / "f4"));
}

TEST(SpawnLauncher, OpensOnlyWebAddressesThroughTheBrowserOpener) {
  SpawnLauncher launcher;
  for (const char* bad : {"", "file:///etc/passwd", "javascript:alert(1)", "ftp://host/",
                          "httpx://host", "http:/x", "http://a\nb", "http://a\tb"})
    EXPECT_FALSE(launcher.openUrl(bad)) << bad;

  // A stand-in opener found on PATH records what it was given.
  ScratchDir dir;
  dir.mkdir("bin");
  fs::copy_file(PAV_ARGS_RECORDER, dir / "bin/xdg-open");
  const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
  ::setenv("PATH", (dir / "bin").c_str(), 1);
  ::setenv("PAV_ARGS_OUT", (dir / "url.txt").c_str(), 1);
  const std::string url = "HTTPS://www.pavlora-games.example/cgi-bin/hiscore.cgi?game=V&name=A B";
  const bool opened = launcher.openUrl(url);
  ::setenv("PATH", oldPath.c_str(), 1);
  ::unsetenv("PAV_ARGS_OUT");
  ASSERT_TRUE(opened);
  const auto lines = WaitForLines(dir / "url.txt");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], "2");
  EXPECT_EQ(lines[2], url);
}

}  // namespace
}  // namespace platform
