#include "platform/save_location.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/paths.h"
#include "platform/profile.h"
#include "support/scoped_variable.h"
#include "support/scratch_dir.h"

namespace platform {
namespace {

using test_support::ScopedVariable;
using TempDir = test_support::ScratchDir;

TEST(SaveLocation, PortableTreesKeepTheirFilesInstalledOnesUseTheUsersDataFolder) {
  TempDir t;
  t.write("portable/Verimoo/hiscore.dat", "");
  t.write("installed/Verimoo/hiscore.dat", "");
  t.write("installed/pavlora.installed", "");
  const std::string data = t / "data", home = t / "home", share = home + "/.local/share";
  const struct {
    const char* tree;
    const char* file;
    std::string xdgDataHome, home;
    std::string user;  // "" when the tree's file is written
  } cases[] = {
      {"portable", "options.ini", data, home, ""},
      {"portable", "Verimoo\\hiscore.dat", data, home, ""},
      {"installed", "options.ini", data, home, data + "/pavlora/options.ini"},
      {"installed", "VERIMOO\\setup.ini", data, home, data + "/pavlora/Verimoo/setup.ini"},
      {"installed", "Verimoo\\hiscore.dat", "", home, share + "/pavlora/Verimoo/hiscore.dat"},
      {"installed", "options.ini", "relative/data", home, share + "/pavlora/options.ini"},
      {"installed", "options.ini", data, "", data + "/pavlora/options.ini"},
      {"installed", "options.ini", "", "", ""},
  };
  for (const auto& c : cases) {
    const std::string file = t.path() + "\\" + c.tree + "\\" + c.file;
    const SaveLocation where = LocateSave(file, {c.xdgDataHome, c.home});
    const std::string tree = ResolvePath(file);
    SCOPED_TRACE(file + " XDG_DATA_HOME=" + c.xdgDataHome + " HOME=" + c.home);
    EXPECT_EQ(where.installed, c.tree == std::string("installed"));
    EXPECT_EQ(where.treeFile, tree);
    EXPECT_EQ(where.userFile, c.user);
    if (!where.installed) {
      EXPECT_EQ(where.WriteTarget(), tree);
      EXPECT_EQ(where.ReadOrder(), std::vector<std::string>{tree});
    } else if (!c.user.empty()) {
      EXPECT_EQ(where.WriteTarget(), c.user);
      EXPECT_EQ(where.ReadOrder(), (std::vector<std::string>{c.user, tree}));
    } else {
      // No home: nothing is written anywhere, and the reason is given.
      EXPECT_EQ(where.WriteTarget(), "");
      EXPECT_NE(where.problem, "");
      EXPECT_FALSE(SaveFile(where, "x"));
    }
  }
}

TEST(SaveLocation, TheUsersCopyIsReadOnceItIsWholeAndTheTreeIsNeverWritten) {
  TempDir t;
  t.write("tree/pavlora.installed", "");
  t.write("tree/Verimoo/setup.ini", "[setup]\r\nfullscreen=1\r\n");
  const std::string setup = t.path() + "\\tree\\Verimoo\\setup.ini";
  const std::string user = t / "data/pavlora/Verimoo/setup.ini";
  ScopedVariable xdg("XDG_DATA_HOME", (t / "data").c_str());

  EXPECT_EQ(GetProfileString("setup", "fullscreen", "0", setup), "1");
  ASSERT_TRUE(WriteProfileString("setup", "music", "N", setup));
  EXPECT_EQ(t.read("data/pavlora/Verimoo/setup.ini"), "[setup]\r\nfullscreen=1\r\nmusic=N\r\n");
  EXPECT_EQ(t.read("tree/Verimoo/setup.ini"), "[setup]\r\nfullscreen=1\r\n");
  struct stat st {};
  ASSERT_EQ(::stat((t / "data/pavlora").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  ASSERT_TRUE(WriteProfileString("setup", "fullscreen", "0", setup));
  EXPECT_EQ(GetProfileString("setup", "fullscreen", "", setup), "0");

  // A copy that cannot be read counts as missing, and reading leaves it be.
  std::filesystem::remove(user);
  std::filesystem::create_directory(user);
  EXPECT_EQ(GetProfileString("setup", "fullscreen", "0", setup), "1");
  EXPECT_TRUE(std::filesystem::is_directory(user));
}

}  // namespace
}  // namespace platform
