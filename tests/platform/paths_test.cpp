#include "platform/paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/other_user.h"
#include "support/scratch_dir.h"

namespace platform {
namespace {

using test_support::ScratchDir;

TEST(ResolvePath, EachComponentIgnoresCase) {
  ScratchDir dir;
  dir.write("Game/Title/Info.bmp", "x");
  EXPECT_EQ(ResolvePath(dir.path() + "\\game\\TITLE\\info.BMP"),
            dir.path() + "/Game/Title/Info.bmp");
  EXPECT_EQ(ResolvePath(dir.path() + "\\GAME\\title"), dir.path() + "/Game/Title");
  // A directory found in the middle; the new file keeps its spelling.
  EXPECT_EQ(ResolvePath(dir.path() + "\\GAME\\New.ini"), dir.path() + "/Game/New.ini");
  // Once a component is missing, the rest is kept as given.
  EXPECT_EQ(ResolvePath(dir.path() + "\\nope\\title\\info.bmp"),
            dir.path() + "/nope/title/info.bmp");
  EXPECT_EQ(ResolvePath(dir.path() + "\\Missing\\"), dir.path() + "/Missing/");
  EXPECT_EQ(std::pair(ResolvePath(""), ResolvePath("\\")), std::pair(std::string(), std::string("/")));
  EXPECT_TRUE(FileExists(dir.path() + "\\game\\title\\INFO.bmp"));
  EXPECT_TRUE(FileExists(dir.path() + "\\GAME"));
  EXPECT_FALSE(FileExists(dir.path() + "\\game\\other.bmp"));
}

TEST(ResolvePath, ExactNamesWinAndOnlyTheNamedDirectoryIsSearched) {
  ScratchDir dir;
  dir.write("both/Info.bmp", "upper");
  dir.write("both/info.bmp", "lower");
  dir.write("a/info.bmp", "a");
  dir.mkdir("b");
  EXPECT_EQ(ResolvePath(dir.path() + "\\both\\Info.bmp"), dir.path() + "/both/Info.bmp");
  EXPECT_EQ(ResolvePath(dir.path() + "\\both\\info.bmp"), dir.path() + "/both/info.bmp");
  // Neither spelled exactly: the first in sorted order.
  EXPECT_EQ(ResolvePath(dir.path() + "\\both\\INFO.BMP"), dir.path() + "/both/Info.bmp");
  // b has no such picture; a's is not borrowed.
  EXPECT_EQ(ResolvePath(dir.path() + "\\b\\Info.bmp"), dir.path() + "/b/Info.bmp");
  EXPECT_EQ(ResolvePath(dir.path() + "\\a\\Info.bmp"), dir.path() + "/a/info.bmp");
}

// Changes the working directory and puts it back afterwards.
class RelativePaths : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = CurrentDirectory(); }
  void TearDown() override { ASSERT_TRUE(SetCurrentDirectory(saved_)); }
  std::string saved_;
  ScratchDir dir_;
};

TEST_F(RelativePaths, DotPrefixesResolveFromTheWorkingDirectory) {
  dir_.write("options.ini", "x");
  dir_.write("Verimoo/Setup.INI", "x");
  dir_.write("Verimoo/Sounds/Bell.wav", "x");
  ASSERT_TRUE(SetCurrentDirectory(dir_.path() + "\\verimoo"));
  EXPECT_EQ(CurrentDirectory(), std::filesystem::canonical(dir_.path()).string() + "/Verimoo");
  EXPECT_EQ(ResolvePath("..\\Options.ini"), "../options.ini");
  EXPECT_EQ(ResolvePath(".\\setup.ini"), "./Setup.INI");
  EXPECT_EQ(ResolvePath("sounds\\bell.wav"), "Sounds/Bell.wav");
  EXPECT_EQ(ResolvePath("..\\VERIMOO\\sounds\\BELL.WAV"), "../Verimoo/Sounds/Bell.wav");
  EXPECT_EQ(ResolvePath(".\\hiscore.dat"), "./hiscore.dat");
  EXPECT_FALSE(SetCurrentDirectory(dir_.path() + "\\missing"));
}

struct Expected {
  std::string name;
  uint32_t attributes;
};

// True when the listing is exactly the expected names and attributes.
bool ListingIs(const std::string& path, const std::vector<Expected>& want) {
  const std::vector<DirEntry> got = ListDirectory(path);
  if (got.size() != want.size()) return false;
  for (size_t i = 0; i < got.size(); ++i)
    if (got[i].name != want[i].name || got[i].attributes != want[i].attributes) return false;
  return true;
}

std::string Describe(const std::vector<DirEntry>& entries) {
  std::string s;
  for (const DirEntry& e : entries) s += e.name + ":" + std::to_string(e.attributes) + " ";
  return s;
}

TEST(ListDirectory, DotsFirstThenSortedWithAttributes) {
  ScratchDir dir;
  dir.write("Games/b.txt", "x");
  dir.write("Games/c", "x");
  dir.write("Games/.hidden", "x");
  dir.mkdir("Games/A");
  dir.mkdir("Games/.cfg");
  const std::vector<Expected> want{
      {".", kAttrDirectory},
      {"..", kAttrDirectory},
      {".cfg", kAttrDirectory | kAttrHidden},
      {".hidden", kAttrArchive | kAttrHidden},
      {"A", kAttrDirectory},
      {"b.txt", kAttrArchive},
      {"c", kAttrArchive},
  };
  EXPECT_TRUE(ListingIs(dir.path() + "\\games", want)) << Describe(ListDirectory(dir / "Games"));
  EXPECT_TRUE(ListDirectory(dir / "missing").empty());
  EXPECT_TRUE(ListDirectory(dir / "Games/c").empty()) << "not a directory";
}

TEST(ListDirectory, EntriesNoOneMayWriteAreReadOnlyWhoeverAsks) {
  ScratchDir dir;
  dir.write("list/rw", "x");
  dir.write("list/ro", "x");
  dir.mkdir("list/rwdir");
  dir.mkdir("list/rodir");
  const std::pair<const char*, mode_t> modes[] = {{"list/rw", 0666},    {"list/ro", 0444}, {"list/rwdir", 0777},
                                                  {"list/rodir", 0555}, {"list", 0777},    {"", 0755}};
  for (auto [name, mode] : modes) ASSERT_EQ(::chmod((dir / name).c_str(), mode), 0) << name;
  const std::vector<Expected> want{
      {".", kAttrDirectory},
      {"..", kAttrDirectory},
      {"ro", kAttrArchive | kAttrReadOnly},
      {"rodir", kAttrDirectory | kAttrReadOnly},
      {"rw", kAttrArchive},
      {"rwdir", kAttrDirectory},
  };
  const std::string path = dir / "list";
  EXPECT_TRUE(ListingIs(path, want)) << Describe(ListDirectory(path));
  // Another user may not write ".." (0755), yet it is not marked read-only:
  // an installed, root-owned tree lists the same for every player.
  if (test_support::IsRoot()) {
    EXPECT_TRUE(test_support::RunAsNobody([&] { return ListingIs(path, want); }));
  }
}

}  // namespace
}  // namespace platform
