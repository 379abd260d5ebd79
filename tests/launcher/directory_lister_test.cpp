// Listing a directory through a wildcard pattern.
#include "launcher/directory_lister.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "launcher_harness.h"

namespace launcher_test {
namespace {

using launcher::DirectoryLister;

TEST(DirectoryLister, WildcardsMatchRunsAndSingleCharactersWithoutCase) {
  const struct { std::string pattern, name; bool matches; } cases[] = {
      {"*", "", true}, {"*", ".hidden", true}, {"*.BMP", "tile.bmp", true}, {"*.bmp", "tile.bmp.txt", false},
      {"a*b*c", "aXXbYYbc", true}, {"a*b*c", "aXXbYYb", false}, {"g?me", "GAME", true}, {"g?me", "gme", false},
      {"", "x", false}, {std::string(30, '*') + "b", std::string(200, 'a') + "b", true}};
  for (const auto& c : cases) EXPECT_EQ(DirectoryLister::Matches(c.pattern, c.name), c.matches) << c.pattern;
}

TEST(DirectoryLister, StartGivesTheFirstEntryWhichNextHandsOutAgainThenTheRest) {
  LauncherTree tree;
  for (const char* name : {"b.bmp", "a.BMP", "c.txt"}) tree.Write(name, "");
  std::filesystem::create_directory(tree.Path("d.bmp"));

  DirectoryLister lister;
  const auto first = lister.Start(tree.Root() + "/*.bmp");
  ASSERT_TRUE(first.has_value());
  std::vector<std::string> names;
  std::string path;
  while (const auto record = lister.Next(&path)) {
    names.push_back(record->name);
    EXPECT_EQ(path, tree.Root() + "/" + record->name);
    EXPECT_EQ(bool(record->attributes & platform::kAttrDirectory), record->name == "d.bmp");
  }
  EXPECT_EQ(names.front(), first->name);
  // Links to the launcher's pictures are in the tree as well.
  for (const char* name : {"a.BMP", "b.bmp", "d.bmp", "c.txt"})
    EXPECT_EQ(std::count(names.begin(), names.end(), name), name[0] == 'c' ? 0 : 1) << name;
  EXPECT_FALSE(lister.Open());
  EXPECT_FALSE(lister.Next().has_value());

  // A directory that is not there, or a pattern nothing matches, lists nothing.
  EXPECT_FALSE(lister.Start(tree.Root() + "/none/*").has_value());
  EXPECT_FALSE(lister.Start(tree.Root() + "/*.xyz").has_value());
  EXPECT_FALSE(lister.Next().has_value());

  // A new listing replaces one still open.
  ASSERT_TRUE(lister.Start(tree.Root() + "/*.txt").has_value());
  ASSERT_TRUE(lister.Start(tree.Root() + "/b.*").has_value());
  EXPECT_EQ(lister.Next()->name, "b.bmp");
  EXPECT_FALSE(lister.Next().has_value());
}

}  // namespace
}  // namespace launcher_test
