#include "players/high_score_table.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "players/file_bytes.h"
#include "support/scoped_variable.h"

namespace {

using players::HighScoreTable;
using players_test::FailsWithRoomFor;
using players_test::ReadBytes;
using players_test::ScratchDir;
using players_test::WriteBytes;

constexpr int kRows = HighScoreTable::kRows;

HighScoreTable Table(int rows = kRows) {
  HighScoreTable t;
  t.Create(rows);
  return t;
}

std::vector<int> Scores(const HighScoreTable& t) {
  std::vector<int> s;
  for (int i = 0; i < t.RowCount(); ++i) s.push_back(t.RowScore(i));
  return s;
}

std::vector<std::string> Names(const HighScoreTable& t) {
  std::vector<std::string> s;
  for (int i = 0; i < t.RowCount(); ++i) s.push_back(t.RowName(i));
  return s;
}

// The file bytes of a table, built independently of the class.
struct FileImage {
  std::vector<uint8_t> bytes;
  explicit FileImage(int32_t count, int rows = -1) {
    Put(0, count);
    bytes.resize(HighScoreTable::FileSize(rows < 0 ? count : rows), 0);
  }
  void Put(std::size_t at, int32_t v) {
    if (bytes.size() < at + 4) bytes.resize(at + 4, 0);
    for (int k = 0; k < 4; ++k) bytes[at + k] = uint8_t(uint32_t(v) >> (8 * k));
  }
  void Row(int i, const std::string& name, int32_t score, uint8_t filler = 0) {
    const std::size_t at = 4 + 260 * std::size_t(i);
    std::memset(bytes.data() + at, filler, 256);
    std::memcpy(bytes.data() + at, name.data(), name.size());
    if (name.size() < 256) bytes[at + name.size()] = 0;
    Put(at + 256, score);
  }
};

TEST(HighScoreInsert, EmptyTableTakesPositiveScoresOnly) {
  HighScoreTable t;
  EXPECT_EQ(std::tuple(t.RowCount(), t.TopName(), t.TopScore()), std::tuple(0, "", 0));
  EXPECT_EQ(t.Insert("nobody", 100), 0);  // no rows: nowhere to go
  t.Create(-4);
  EXPECT_EQ(t.RowCount(), 0);
  t.Create(kRows);
  ASSERT_EQ(t.RowCount(), kRows);
  EXPECT_EQ(t.Insert("zero", 0), 0);
  EXPECT_EQ(t.Insert("minus", -5), 0);
  EXPECT_EQ(Scores(t), std::vector<int>(kRows, 0));
  EXPECT_EQ(t.Insert("one", 1), 1);
  EXPECT_EQ(t.TopName(), "one");
  EXPECT_EQ(t.TopScore(), 1);
  EXPECT_EQ(t.RowName(1), "");
  EXPECT_EQ(std::pair(t.RowName(kRows), t.RowScore(-1)), std::pair(std::string(), 0)) << "rows outside are empty";
}

TEST(HighScoreInsert, EqualScoresGoBelowOlderOnesAndTheLastRowDropsOut) {
  HighScoreTable t = Table();
  t.Insert("a", 1000);
  t.Insert("b", 500);
  t.Insert("c", 500);
  t.Insert("d", 200);
  for (int i = 4; i < kRows; ++i) t.Insert("r" + std::to_string(i), 100 - i);
  ASSERT_EQ(t.RowName(19), "r19");

  EXPECT_EQ(t.Insert("new", 500), 1);
  const std::vector<std::string> names = Names(t);
  EXPECT_EQ(std::vector(names.begin(), names.begin() + 5), (std::vector<std::string>{"a", "b", "c", "new", "d"}));
  EXPECT_EQ(t.RowScore(4), 200);
  for (int i = 5; i < kRows; ++i) EXPECT_EQ(names[i], "r" + std::to_string(i - 1));
  EXPECT_EQ(Scores(t)[19], 100 - 18);
  EXPECT_EQ(t.Insert("late", 100 - 18), 0) << "a full table keeps its rows against an equal score";
  EXPECT_EQ(t.RowName(19), "r18");
}

TEST(HighScoreInsert, NamesAreCutAtTheirField) {
  HighScoreTable t = Table(3);
  const std::string exact(255, 'q');
  t.Insert(exact, 3);
  EXPECT_EQ(t.RowName(0), exact);
  t.Insert(std::string(400, 'z'), 2);
  EXPECT_EQ(t.RowName(1), std::string(255, 'z'));
  t.Insert(std::string("ab\0cd", 5), 1);
  EXPECT_EQ(t.RowName(2), "ab");
}

TEST(HighScoreFile, WriteLaysOutTheDocumentedBytes) {
  ScratchDir dir;
  HighScoreTable t = Table();
  t.Insert("Ann:1 Road:ann@example.org:Y", 0x01020304);
  t.Insert("Neg", -2);  // not placed: every row is 0
  ASSERT_EQ(t.Write(dir.file("hiscore.dat")), 1);

  FileImage expected(kRows);
  expected.Row(0, "Ann:1 Road:ann@example.org:Y", 0x01020304);
  const std::vector<uint8_t> bytes = ReadBytes(dir.file("hiscore.dat"));
  ASSERT_EQ(bytes.size(), 5204u);
  EXPECT_EQ(bytes, expected.bytes);
  EXPECT_EQ(bytes[4 + 256], 0x04);  // little-endian score
  EXPECT_FALSE(std::filesystem::exists(dir.file("hiscore.dat.tmp")));
  // Clearing: twenty empty rows.
  t.Create(kRows);
  ASSERT_EQ(t.Write(dir.file("hiscore.dat")), 1);
  EXPECT_EQ(ReadBytes(dir.file("hiscore.dat")), FileImage(kRows).bytes);
}

TEST(HighScoreFile, ReadWriteReproducesEverySignificantByte) {
  ScratchDir dir;
  FileImage image(kRows);
  image.Row(0, "Top:addr:mail:Y", INT_MAX, 0xAB);
  image.Row(1, std::string(255, 'L'), 77, 0xCD);
  image.Row(2, "", -1, 0xEE);  // an empty name with a score
  image.Row(3, "Low", INT_MIN, 0x11);
  for (int i = 4; i < kRows; ++i) image.Row(i, "row" + std::to_string(i), i * 3, 0x5A);
  WriteBytes(dir.file("in.dat"), image.bytes);

  HighScoreTable t = Table();
  ASSERT_EQ(t.Read(dir.file("in.dat")), 1);
  EXPECT_EQ(t.RowName(1).size(), 255u);
  EXPECT_EQ(t.RowScore(3), INT_MIN);
  ASSERT_EQ(t.Write(dir.file("out.dat")), 1);

  const std::vector<uint8_t> out = ReadBytes(dir.file("out.dat"));
  ASSERT_EQ(out.size(), image.bytes.size());
  EXPECT_TRUE(std::equal(out.begin(), out.begin() + 4, image.bytes.begin()));
  for (int i = 0; i < kRows; ++i) {
    const std::size_t at = 4 + 260 * std::size_t(i);
    const std::size_t len = std::strlen(reinterpret_cast<const char*>(&image.bytes[at]));
    // Name up to and including its terminator, then the score.
    EXPECT_TRUE(std::equal(out.begin() + at, out.begin() + at + len + 1, image.bytes.begin() + at))
        << "row " << i;
    EXPECT_TRUE(std::equal(out.begin() + at + 256, out.begin() + at + 260,
                           image.bytes.begin() + at + 256))
        << "row " << i;
  }
}

// Missing, too short for a count, or counting other than the table's rows:
// the table stays as it was.
TEST(HighScoreFile, UnreadableFilesLeaveTheTableAsItWas) {
  ScratchDir dir;
  HighScoreTable kept = Table();
  kept.Insert("keep", 8);
  EXPECT_EQ(kept.Read(dir.file("absent.dat")), 0);
  EXPECT_EQ(kept.TopName(), "keep");
  std::vector<std::vector<uint8_t>> files{{20, 0}, {}};
  for (int32_t count : {19, 21, 0, -20, 0x14000000}) {
    FileImage image(count, kRows);
    image.Row(0, "foreign", 999);
    files.push_back(image.bytes);
  }
  for (const auto& bytes : files) {
    WriteBytes(dir.file("hiscore.dat"), bytes);
    HighScoreTable t = Table();
    EXPECT_EQ(t.Read(dir.file("hiscore.dat")), 0) << bytes.size();
    EXPECT_EQ(Scores(t), std::vector<int>(kRows, 0)) << bytes.size();
    t.Insert("mine", 4);
    EXPECT_EQ(t.Read(dir.file("hiscore.dat")), 0);
    EXPECT_EQ(t.TopName(), "mine") << bytes.size();
  }
}

TEST(HighScoreFile, ShortFileKeepsOnlyWholeRows) {
  ScratchDir dir;
  FileImage image(kRows);
  for (int i = 0; i < kRows; ++i) image.Row(i, "r" + std::to_string(i), 100 - i);
  image.Row(1, std::string(256, 'W'), 99);  // a name without its terminator
  // Three whole rows, then the fourth row's name without its score.
  std::vector<uint8_t> cut(image.bytes.begin(), image.bytes.begin() + 4 + 3 * 260 + 256);
  WriteBytes(dir.file("hiscore.dat"), cut);

  HighScoreTable t = Table();
  for (int i = 0; i < kRows; ++i) t.Insert("old", 5);
  EXPECT_EQ(t.Read(dir.file("hiscore.dat")), 0);
  EXPECT_EQ(t.RowName(1), std::string(255, 'W'));
  EXPECT_EQ(t.RowName(2), "r2");
  EXPECT_EQ(t.RowScore(2), 98);
  for (int i = 3; i < kRows; ++i) {
    EXPECT_EQ(t.RowName(i), "") << i;
    EXPECT_EQ(t.RowScore(i), 0) << i;
  }
  // A count alone: every row is missing.
  WriteBytes(dir.file("count.dat"), {20, 0, 0, 0});
  EXPECT_EQ(t.Read(dir.file("count.dat")), 0);
  EXPECT_EQ(t.TopName(), "");
}

TEST(HighScoreFile, FailedWriteKeepsTheOldFile) {
  ScratchDir dir;
  const std::string path = dir.file("hiscore.dat");
  HighScoreTable t = Table();
  t.Insert("first", 10);
  ASSERT_EQ(t.Write(path), 1);
  const std::vector<uint8_t> before = ReadBytes(path);

  // A write that runs out of room half way (a file-size limit stands in
  // for a full disk) fails, and the table that was there stays whole.
  t.Insert("second", 20);
  EXPECT_TRUE(FailsWithRoomFor(1000, [&] { return t.Write(path) == 1; }));
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.file("")), {}), 1)
      << "no temporary file is left behind";

  EXPECT_EQ(t.Write(dir.file("no/such/dir/hiscore.dat")), 0);
  EXPECT_EQ(t.Write(path), 1);
  HighScoreTable back = Table();
  ASSERT_EQ(back.Read(path), 1);
  EXPECT_EQ(back.TopName(), "second");
}

TEST(HighScoreFile, InstalledTreeReadsTheUsersWholeCopyElseTheTreesAndWritesTheUsers) {
  ScratchDir dir;
  dir.mkdir("tree/Verimoo");
  dir.mkdir("data/pavlora/Verimoo");
  dir.write("tree/pavlora.installed", "");
  FileImage shipped(kRows);
  shipped.Row(0, "Shipped", 70);
  const std::string path = dir.file("tree/Verimoo/hiscore.dat");
  const std::string user = dir.file("data/pavlora/Verimoo/hiscore.dat");
  WriteBytes(path, shipped.bytes);
  WriteBytes(user, {20, 0, 0});  // damaged
  test_support::ScopedVariable xdg("XDG_DATA_HOME", dir.file("data").c_str());

  HighScoreTable t = Table();
  EXPECT_EQ(t.Read(path), 1);
  EXPECT_EQ(t.TopName(), "Shipped");
  EXPECT_EQ(ReadBytes(user), (std::vector<uint8_t>{20, 0, 0}));
  t.Insert("Mine", 90);
  ASSERT_EQ(t.Write(path), 1);
  EXPECT_EQ(ReadBytes(path), shipped.bytes);
  t.Create(kRows);
  ASSERT_EQ(t.Read(path), 1);
  EXPECT_EQ(t.TopName(), "Mine");
}

}  // namespace
