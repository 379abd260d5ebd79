#include "platform/profile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/other_user.h"
#include "platform/profile_parse.h"
#include "support/scratch_dir.h"

namespace platform {
namespace {

using test_support::ScratchDir;
using namespace std::string_literals;

class ProfileRead : public ::testing::Test {
 protected:
  std::string get(const std::string& content, const std::string& section, const std::string& key,
                  const std::string& def = "<none>", size_t size = 256) {
    dir_.write("test.ini", content);
    return GetProfileString(section, key, def, dir_ / "test.ini", size);
  }
  ScratchDir dir_;
};

TEST_F(ProfileRead, NamesIgnoreCaseAndBlanks) {
  const std::string ini = "[ Setup ]\r\n  FullScreen  =  Y  \r\n\tMusic\t=\tN\t\r\n";
  EXPECT_EQ(get(ini, "setup", "fullscreen"), "Y");
  EXPECT_EQ(get(ini, " SETUP ", "  FULLSCREEN "), "Y");
  EXPECT_EQ(get(ini, "Setup", "music"), "N");
  EXPECT_EQ(get(ini, "setu", "fullscreen"), "<none>");
  EXPECT_EQ(get(ini, "setup", "full"), "<none>");
}

TEST_F(ProfileRead, QuotesCommentsAndLinesWithoutEquals) {
  const std::string ini =
      "[s]\n"
      "double=\"  quoted value \"\n"
      "single='x'\n"
      "mixed=\"x'\n"
      "lone=\"\n"
      "empty=\"\"\n"
      "; hidden=1\n"
      "   ;indented=2\n"
      "#hash=3\n"
      "tail=a ; b\n"
      "bare\n"
      "inner=a=b\n";
  const std::pair<const char*, const char*> keys[] = {
      {"double", "  quoted value "}, {"single", "x"},      {"mixed", "\"x'"},       {"lone", "\""},
      {"empty", ""},                 {"hidden", "<none>"}, {"; hidden", "<none>"}, {"indented", "<none>"},
      {"#hash", "3"},                {"tail", "a ; b"},    {"bare", "<none>"},     {"inner", "a=b"}};
  for (auto [key, value] : keys) EXPECT_EQ(get(ini, "s", key), value) << key;
}

TEST_F(ProfileRead, DefaultsLoseTrailingBlanksOnly) {
  EXPECT_EQ(GetProfileString("s", "k", "  abc \t ", dir_ / "missing.ini"), "  abc");
  EXPECT_EQ(GetProfileString("s", "k", "", dir_ / "missing.ini"), "");
  EXPECT_EQ(get("[s]\nk=1\n", "other", "k", "d "), "d");
  EXPECT_EQ(get("[s]\nk=1\n", "s", "j", "d  "), "d");
  EXPECT_EQ(get("k=1\n[s]\n", "s", "k", "before any section"), "before any section");
  // A directory where the file should be reads as missing.
  dir_.mkdir("folder.ini");
  EXPECT_EQ(GetProfileString("s", "k", "dflt", dir_ / "folder.ini"), "dflt");
}

TEST_F(ProfileRead, ResultsAreCutToTheBuffer) {
  const std::string ini = "[s]\nk=abcdef\n";
  for (size_t size : {7, 6, 4, 1, 0}) EXPECT_EQ(get(ini, "s", "k", "", size), ini.substr(6, size ? size - 1 : 0));
  EXPECT_EQ(get(ini, "s", "missing", "defaults too ", 5), "defa");
}

TEST_F(ProfileRead, EveryKindOfLineEnd) {
  for (const char* end : {"\r\n", "\n", "\r"}) {
    const std::string e = end;
    const std::string ini = "[a]" + e + "x=1" + e + e + "[b]" + e + "x=2" + e + "y=3";
    EXPECT_EQ(get(ini, "a", "x"), "1") << int(e.size());
    EXPECT_EQ(get(ini, "b", "x"), "2");
    EXPECT_EQ(get(ini, "b", "y"), "3");  // last line without an end
  }
  EXPECT_EQ(get("[a]\r\rx=1\n\r\ny=2", "a", "y"), "2");
}

TEST_F(ProfileRead, FirstMatchWins) {
  const std::string ini = "[s]\nk=first\nK=second\n[S]\nk=third\nonly=later\n";
  EXPECT_EQ(get(ini, "s", "k"), "first");
  // The first section of a name is the one that counts.
  EXPECT_EQ(get(ini, "s", "only"), "<none>");
}

TEST_F(ProfileRead, GarbageAndLongLinesReadWithoutHarm) {
  std::string garbage;
  for (int i = 0; i < 5000; ++i) garbage.push_back(char((i * 7919) % 256));
  garbage += std::string("\0\0[\0]\0=\0\n", 10);
  garbage += "x=" + std::string(100000, 'v') + "\n";  // no section yet
  garbage += "[setup]\n";
  garbage += "long=" + std::string(100000, 'w') + "\n";
  garbage += "k=found\n";
  EXPECT_EQ(get(garbage, "setup", "k"), "found");
  EXPECT_EQ(get(garbage, "setup", "long", "", 100001), std::string(100000, 'w'));
  EXPECT_EQ(get(garbage, "setup", "long").size(), 255u);
  EXPECT_EQ(get(std::string(100000, '['), "setup", "k"), "<none>");
  EXPECT_EQ(get(std::string(3000, '\r'), "setup", "k"), "<none>");
}

// Exact bytes of writes, without the file system.
TEST(ProfileSet, RewritesInPlaceAndKeepsEveryOtherByte) {
  const std::string before = "; settings\n[setup]\n  Music = N  ; old\n\nSFX=Y\n[other]\nmusic=x\n";
  EXPECT_EQ(SetProfileValue(before, "SETUP", "music", "Y"),
            "; settings\n[setup]\nMusic=Y\n\nSFX=Y\n[other]\nmusic=x\n");
}

TEST(ProfileSet, NewKeyGoesAfterTheLastLineOfItsSection) {
  const std::string before = "[a]\r\nx=1\r\n; note\r\n\r\n[b]\r\ny=2\r\n";
  EXPECT_EQ(SetProfileValue(before, "a", "z", "3"),
            "[a]\r\nx=1\r\n; note\r\nz=3\r\n\r\n[b]\r\ny=2\r\n");
  EXPECT_EQ(SetProfileValue("[a]\n[b]\n", "A", "k", "v"), "[a]\nk=v\r\n[b]\n");
  EXPECT_EQ(SetProfileValue("[a]\nx=1", "a", "k", ""), "[a]\nx=1\r\nk=\r\n");
}

TEST(ProfileSet, NewSectionGoesAtTheEnd) {
  EXPECT_EQ(SetProfileValue("", "setup", "music", "Y"), "[setup]\r\nmusic=Y\r\n");
  EXPECT_EQ(SetProfileValue("[a]\r\nx=1\r\n", "b", "k", "v"), "[a]\r\nx=1\r\n[b]\r\nk=v\r\n");
  EXPECT_EQ(SetProfileValue("[a]\nx=1", " b ", " k ", "v"), "[a]\nx=1\r\n[b]\r\nk=v\r\n");
  // A later duplicate is not the section written to.
  EXPECT_EQ(SetProfileValue("[s]\na=1\n[s]\nb=2\n", "s", "b", "9"), "[s]\na=1\nb=9\r\n[s]\nb=2\n");
}

TEST(ProfileSet, OnlyNamesThatReadBackAreValid) {
  for (const char* good : {"setup", "Player1", " spaced ", "a b", "#x"})
    EXPECT_TRUE(IsValidProfileName(good)) << good;
  for (const std::string& bad :
       std::vector<std::string>{"", "   ", "a=b", "[x", "x]", ";c", "a\nb", "a\rb", "a\0b"s})
    EXPECT_FALSE(IsValidProfileName(bad)) << bad;
}

class ProfileWrite : public ::testing::Test {
 protected:
  std::string path() const { return dir_ / "options.ini"; }
  ScratchDir dir_;
};

TEST_F(ProfileWrite, CreatesTheFileAndLeavesNoTemporaryBehind) {
  ASSERT_TRUE(WriteProfileString("setup", "music", "Y", path()));
  EXPECT_EQ(dir_.read("options.ini"), "[setup]\r\nmusic=Y\r\n");
  ASSERT_TRUE(WriteProfileString("setup", "SFX", "N", path()));
  ASSERT_TRUE(WriteProfileString("Player1", "name", "Anna", path()));
  ASSERT_TRUE(WriteProfileString("SETUP", "Music", "N", path()));
  EXPECT_EQ(dir_.read("options.ini"), "[setup]\r\nmusic=N\r\nSFX=N\r\n[Player1]\r\nname=Anna\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 1) << "a temporary was left";
  EXPECT_EQ(GetProfileString("player1", "NAME", "", path()), "Anna");
}

TEST_F(ProfileWrite, KeepsCommentsOrderAndPermissions) {
  dir_.write("options.ini", "; kept\n[setup]\nmusic=Y\n\n[Player1]\nname=A\n");
  ASSERT_EQ(::chmod(path().c_str(), 0640), 0);
  ASSERT_TRUE(WriteProfileString("Player1", "name", "Bea", path()));
  ASSERT_TRUE(WriteProfileString("setup", "playerid", "1", path()));
  EXPECT_EQ(dir_.read("options.ini"),
            "; kept\n[setup]\nmusic=Y\nplayerid=1\r\n\n[Player1]\nname=Bea\n");
  struct stat st {};
  ASSERT_EQ(::stat(path().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(ProfileWrite, RefusesWhatItCannotWriteFaithfully) {
  EXPECT_FALSE(WriteProfileString("setup", "music", "Y", dir_ / "no-such-dir/options.ini"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "no-such-dir"));
  EXPECT_FALSE(WriteProfileString("", "music", "Y", path()));
  EXPECT_FALSE(WriteProfileString("setup", "a=b", "Y", path()));
  EXPECT_FALSE(WriteProfileString("set]up", "k", "Y", path()));
  EXPECT_FALSE(std::filesystem::exists(path()));
  // A value is one line: whatever follows a line end is dropped.
  ASSERT_TRUE(WriteProfileString("Player1", "name", "Eve\r\n[setup]\r\nmusic=N", path()));
  EXPECT_EQ(dir_.read("options.ini"), "[Player1]\r\nname=Eve\r\n");
}

TEST_F(ProfileWrite, WritesThroughALinkToItsTarget) {
  dir_.write("real.ini", "[a]\nk=1\n");
  std::filesystem::create_symlink("real.ini", path());
  ASSERT_TRUE(WriteProfileString("a", "k", "2", path()));
  EXPECT_TRUE(std::filesystem::is_symlink(path()));
  EXPECT_EQ(dir_.read("real.ini"), "[a]\nk=2\n");
}

TEST_F(ProfileWrite, ReadOnlyFileIsLeftAlone) {
  dir_.write("options.ini", "[a]\nk=1\n");
  ASSERT_EQ(::chmod(path().c_str(), 0444), 0);
  if (!test_support::IsRoot()) {
    EXPECT_FALSE(WriteProfileString("a", "k", "2", path()));
  } else {
    // Root may write anything; check the rule as an ordinary user.
    ASSERT_EQ(::chmod(dir_.path().c_str(), 0777), 0);
    const std::string p = path();
    EXPECT_TRUE(test_support::RunAsNobody([&] { return !WriteProfileString("a", "k", "2", p); }));
  }
  EXPECT_EQ(dir_.read("options.ini"), "[a]\nk=1\n");
}

TEST_F(ProfileWrite, AWritableFileInAFolderWithoutWriteAccessIsRewrittenInPlace) {
  dir_.write("options.ini", "[a]\nk=1\nlong=" + std::string(50, 'x') + "\n");
  ASSERT_EQ(::chmod(path().c_str(), 0666), 0);
  ASSERT_EQ(::chmod(dir_.path().c_str(), 0555), 0);
  const std::string p = path();
  const auto write = [p] {
    return WriteProfileString("a", "long", "", p) && WriteProfileString("a", "k", "2", p);
  };
  // Root may write anything; check the rule as an ordinary user.
  const bool ok = test_support::IsRoot() ? test_support::RunAsNobody(write) : write();
  ASSERT_EQ(::chmod(dir_.path().c_str(), 0755), 0);
  EXPECT_TRUE(ok);
  EXPECT_EQ(dir_.read("options.ini"), "[a]\nk=2\nlong=\n");
}

}  // namespace
}  // namespace platform
