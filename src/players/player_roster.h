// The eight players shared by the launcher and its games, and the choice of
// the current one, kept in the shared options file ("..\options.ini"):
// section "setup" key "playerid", sections "Player1" ... "Player8" keys
// "name", "address", "email" and "send".
#pragma once
#include <array>
#include <string>
#include <vector>

#include "platform/profile.h"
#include "players/player_record.h"

namespace players {

class PlayerRoster {
 public:
  static constexpr int kPlayerCount = 8;
  // Buffer of the "playerid" value: longer values are cut to 31 characters.
  static constexpr std::size_t kIndexField = 32;

  // The options file, Windows style. Until it is set every operation that
  // touches the file does nothing (reading the current index gives 0).
  void SetPath(const std::string& path) { path_ = path; }
  const std::string& Path() const { return path_; }

  // Reads "playerid" (default "0") as a decimal number; a value that names
  // none of the eight players falls back to 0. Stores and returns it.
  int ReadCurrentIndex();
  // Writes index as "playerid" and makes it current (0 for an index that
  // names no player). False, with the reason in why, when it was not saved.
  bool WriteCurrentIndex(int index, std::string* why = nullptr);
  int CurrentIndex() const { return current_; }

  // The operations taking an index do nothing and give false (or an empty
  // text) for an index outside 0 ... 7.

  // Reads the four keys of the player's section into the record; missing
  // keys give the section name as the name, empty address and e-mail, and
  // "Y" as the send flag.
  bool LoadPlayer(int index);
  // Writes name, address, email and send, in that order, each cut to its
  // field, in one replacement of the file (all four land or none).
  // False when the path is empty or the write failed (why says why).
  bool SavePlayer(int index, const PlayerRecord& record, std::string* why = nullptr);
  // Saves all eight players' records in one replacement of the file.
  bool SaveAll(std::string* why = nullptr);
  // Clears the player, names it "Player<index + 1>" with send "Y", saves it.
  bool ResetPlayer(int index, std::string* why = nullptr);
  // Resets all eight players, saved in one replacement of the file.
  bool ResetAll(std::string* why = nullptr);
  // Loads the player and joins name, address, e-mail and send flag with ":".
  std::string EntryText(int index);

  // The player's record; an index outside 0 ... 7 gives player 0.
  PlayerRecord& Player(int index) { return players_[ValidIndex(index) ? index : 0]; }
  const PlayerRecord& Player(int index) const { return players_[ValidIndex(index) ? index : 0]; }

  static bool ValidIndex(int index) { return index >= 0 && index < kPlayerCount; }
  // "Player<index + 1>": the section, and the default name, of a player.
  static std::string SectionName(int index);

 private:
  // The four keys of a player's section, cut to their fields.
  static void AddEntries(std::vector<platform::ProfileEntry>& entries, int index,
                         const PlayerRecord& record);
  static PlayerRecord DefaultPlayer(int index);

  std::string path_;
  int current_ = 0;
  std::array<PlayerRecord, kPlayerCount> players_{};
};

// Decimal text to a number the way the options file has always been read:
// leading blanks and a sign, then digits up to the first other character;
// no digits give 0, and values beyond the int range stop at its limits.
int ParseDecimal(const std::string& text);

}  // namespace players
