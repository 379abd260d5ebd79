#include "players/player_roster.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <filesystem>
#include <string>

#include "platform/paths.h"
#include "platform/profile.h"
#include "players/file_bytes.h"

namespace {

using players::ParseDecimal;
using players::PlayerRecord;
using players::PlayerRoster;
using players_test::FailsWithRoomFor;
using players_test::ScratchDir;

class RosterTest : public ::testing::Test {
 protected:
  RosterTest() { roster.SetPath(Options()); }
  std::string Options() const { return dir.file("options.ini"); }
  std::string Raw(const std::string& section, const std::string& key) const {
    return platform::GetProfileString(section, key, "<missing>", Options(), 1024);
  }
  // A player's four keys as the file holds them.
  PlayerRecord Stored(const std::string& section) const {
    return {Raw(section, "name"), Raw(section, "address"), Raw(section, "email"), Raw(section, "send")};
  }
  ScratchDir dir;
  PlayerRoster roster;
};

TEST_F(RosterTest, MissingFileGivesTheDefaultPlayersAndCreatesNothing) {
  EXPECT_EQ(roster.ReadCurrentIndex(), 0);
  for (int i = 0; i < PlayerRoster::kPlayerCount; ++i) {
    ASSERT_TRUE(roster.LoadPlayer(i));
    EXPECT_EQ(roster.Player(i), (PlayerRecord{"Player" + std::to_string(i + 1), "", "", "Y"}));
  }
  EXPECT_EQ(roster.EntryText(0), "Player1:::Y");
  EXPECT_EQ(roster.EntryText(7), "Player8:::Y");
  EXPECT_FALSE(std::filesystem::exists(Options()));
}

TEST_F(RosterTest, EmptyPathTouchesNothing) {
  roster.SetPath("");
  roster.Player(1).name = "kept";
  EXPECT_EQ(roster.ReadCurrentIndex(), 0);
  EXPECT_FALSE(roster.LoadPlayer(1));
  EXPECT_EQ(roster.Player(1).name, "kept");
  EXPECT_FALSE(roster.SavePlayer(1, roster.Player(1)));
  EXPECT_FALSE(roster.ResetPlayer(1));
  EXPECT_EQ(roster.Player(1).name, "kept");
  roster.WriteCurrentIndex(4);
  EXPECT_EQ(roster.CurrentIndex(), 0);
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST_F(RosterTest, CurrentIndexSelectsThatPlayersSection) {
  dir.write("options.ini",
            "[setup]\r\nplayerid=3\r\n[Player3]\r\nname=Carl\r\n"
            "[Player4]\r\nname=Dora\r\naddress=4 Mill Lane\r\nemail=dora@example.org\r\nsend=N\r\n");
  const int index = roster.ReadCurrentIndex();
  ASSERT_EQ(index, 3);
  EXPECT_EQ(roster.CurrentIndex(), 3);
  EXPECT_EQ(roster.EntryText(index), "Dora:4 Mill Lane:dora@example.org:N");
  EXPECT_EQ(roster.Player(3).send, "N");
}

TEST_F(RosterTest, PlayerIdText) {
  const struct {
    const char* value;
    int expected;
  } cases[] = {
      {"7", 7},   {" 5", 5},  {"2x", 2},    {"abc", 0}, {"", 0},
      {"8", 0},   {"-1", 0},  {"99999999999999999999", 0},
      // 31 zeros then a 5: the 32-byte buffer keeps only the zeros.
      {"00000000000000000000000000000005", 0},
      {"0000000000000000000000000000006", 6},
  };
  for (const auto& c : cases) {
    roster.WriteCurrentIndex(1);  // a stale index must not survive the read
    ASSERT_TRUE(platform::WriteProfileString("setup", "playerid", c.value, Options()));
    EXPECT_EQ(roster.ReadCurrentIndex(), c.expected) << "playerid=" << c.value;
    EXPECT_EQ(roster.CurrentIndex(), c.expected) << "playerid=" << c.value;
  }
}

TEST_F(RosterTest, LongValuesAreCutToTheirFields) {
  const std::string seventy(70, 'n');
  dir.write("options.ini", "[Player1]\r\nname=" + seventy + "\r\naddress=" + std::string(70, 'a') +
                           "\r\nemail=" + std::string(64, 'e') + "\r\nsend=No\r\n");
  ASSERT_TRUE(roster.LoadPlayer(0));
  EXPECT_EQ(roster.Player(0).name, seventy.substr(0, 63));
  EXPECT_EQ(roster.Player(0).address, std::string(63, 'a'));
  EXPECT_EQ(roster.Player(0).email, std::string(63, 'e'));
  EXPECT_EQ(roster.Player(0).send, "N");
  EXPECT_EQ(roster.EntryText(0).size(), 63u * 3 + 1 + 3);
}

TEST_F(RosterTest, SaveWritesFourKeysCutToTheirFields) {
  PlayerRecord record;
  record.name = std::string(70, 'x');
  record.address = "12 High Street";
  record.email = std::string(100, 'm');
  record.send = "NY";
  ASSERT_TRUE(roster.SavePlayer(6, record));
  EXPECT_EQ(Stored("Player7"), (PlayerRecord{std::string(63, 'x'), "12 High Street", std::string(63, 'm'), "N"}));
  // The caller's record stays as it was; only what is written is cut.
  EXPECT_EQ(record.name.size(), 70u);

  const std::string text = dir.read("options.ini");
  const auto name = text.find("name="), address = text.find("address="),
             email = text.find("email="), send = text.find("send=");
  ASSERT_NE(send, std::string::npos);
  EXPECT_LT(name, address);
  EXPECT_LT(address, email);
  EXPECT_LT(email, send);
}

TEST_F(RosterTest, ResetPlayerWritesDefaultsToItsOwnSectionOnly) {
  dir.write("options.ini",
            "[Player2]\r\nname=Bea\r\n"
            "[Player3]\r\nname=Cy\r\naddress=Old Road\r\nemail=cy@example.org\r\nsend=N\r\n");
  roster.LoadPlayer(2);
  ASSERT_EQ(roster.Player(2).name, "Cy");
  ASSERT_TRUE(roster.ResetPlayer(2));
  EXPECT_EQ(roster.Player(2), (PlayerRecord{"Player3", "", "", "Y"}));
  EXPECT_EQ(Stored("Player3"), (PlayerRecord{"Player3", "", "", "Y"}));  // empty keys written, not left out
  EXPECT_EQ(Raw("Player2", "name"), "Bea");
}

TEST_F(RosterTest, ResetAllWritesEveryPlayer) {
  roster.ResetAll();
  for (int i = 0; i < PlayerRoster::kPlayerCount; ++i) {
    const std::string section = "Player" + std::to_string(i + 1);
    EXPECT_EQ(Stored(section), (PlayerRecord{section, "", "", "Y"}));
  }
  EXPECT_EQ(Raw("Player9", "name"), "<missing>");
}

TEST_F(RosterTest, SavingOneOrAllPlayersLandsWholeOrNotAtAll) {
  // A write that runs out of room (a file-size limit stands in for a full
  // disk) just past the old file's size must leave no player half saved.
  const std::string before = "[Player1]\r\nname=Old\r\n";
  const struct {
    const char* what;
    std::function<bool(PlayerRoster&)> save;
  } cases[] = {
      {"save",
       [](PlayerRoster& r) { return r.SavePlayer(0, {"New", std::string(60, 'a'), "", "N"}); }},
      {"save all", [](PlayerRoster& r) { r.Player(0).name = "New"; return r.SaveAll(); }},
      {"reset all", [](PlayerRoster& r) { return r.ResetAll(); }},
  };
  for (const auto& c : cases) {
    dir.write("options.ini", before);
    EXPECT_TRUE(FailsWithRoomFor(before.size() + 8, [&] { return c.save(roster); })) << c.what;
    EXPECT_EQ(dir.read("options.ini"), before) << c.what;
  }
}

TEST_F(RosterTest, IndexesOutsideTheEightTouchNoRecordAndNoSection) {
  PlayerRecord record{"Intruder", "", "", "Y"};
  for (int index : {-1, 8, 9, INT_MAX, INT_MIN}) {
    EXPECT_FALSE(roster.LoadPlayer(index));
    EXPECT_FALSE(roster.SavePlayer(index, record));
    EXPECT_FALSE(roster.ResetPlayer(index));
    EXPECT_EQ(roster.EntryText(index), "");
  }
  EXPECT_FALSE(std::filesystem::exists(Options()));
  for (int index : {8, -3}) {
    roster.WriteCurrentIndex(5);
    ASSERT_EQ(std::pair(roster.CurrentIndex(), Raw("setup", "playerid")), std::pair(5, std::string("5")));
    roster.WriteCurrentIndex(index);
    EXPECT_EQ(std::pair(roster.CurrentIndex(), Raw("setup", "playerid")), std::pair(0, std::string("0"))) << index;
  }
  // The accessor falls back to the first player.
  EXPECT_EQ(&roster.Player(8), &roster.Player(0));
  EXPECT_EQ(&roster.Player(-1), &roster.Player(0));
}

TEST_F(RosterTest, EntryTextRereadsTheFile) {
  EXPECT_EQ(roster.EntryText(1), "Player2:::Y");
  dir.write("options.ini", "[player2]\r\nNAME=Ann\r\nemail=ann@example.org\r\n");
  EXPECT_EQ(roster.EntryText(1), "Ann::ann@example.org:Y");
}

TEST_F(RosterTest, GameDirectoryReadsTheOptionsFileOneLevelUp) {
  std::filesystem::create_directories(dir.file("Verimoo"));
  dir.write("options.ini", "[setup]\r\nplayerid=1\r\n[Player2]\r\nname=Bo\r\n");
  const std::string previous = platform::CurrentDirectory();
  ASSERT_TRUE(platform::SetCurrentDirectory(dir.file("Verimoo")));
  roster.SetPath("..\\options.ini");
  const int index = roster.ReadCurrentIndex();
  const std::string entry = roster.EntryText(index);
  roster.WriteCurrentIndex(2);
  platform::SetCurrentDirectory(previous);
  EXPECT_EQ(index, 1);
  EXPECT_EQ(entry, "Bo:::Y");
  EXPECT_EQ(Raw("setup", "playerid"), "2");
  EXPECT_FALSE(std::filesystem::exists(dir.file("Verimoo/options.ini")));
}

TEST(ParseDecimal, ReadsLikeTheRuntimeConversionWithoutOverflow) {
  const std::pair<const char*, int> cases[] = {
      {"42", 42},         {"  \t-17abc", -17},       {"+8", 8},
      {"x1", 0},          {"-", 0},                  {"2147483647", INT_MAX},
      {"2147483648", INT_MAX}, {"-2147483648", INT_MIN}, {"-99999999999999999999999", INT_MIN}};
  for (auto [text, value] : cases) EXPECT_EQ(ParseDecimal(text), value) << text;
}

}  // namespace
