// An options file of any content: the roster reads a current player among
// the eight and keeps a player's texts within their fields, also after
// saving texts longer than the fields; a reset player reads back with the defaults.
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "players/player_roster.h"

using fuzz_support::Check;
using players::PlayerRoster;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size), path = "options.ini";
  fuzz_support::WorkDir().write(path, text);
  PlayerRoster roster;
  roster.SetPath(path);
  const int current = roster.ReadCurrentIndex();
  Check(current >= 0 && current < PlayerRoster::kPlayerCount);
  const int chosen = size > 0 ? data[size - 1] % PlayerRoster::kPlayerCount : 0;
  // Texts taken from the input, of any length, saved for the chosen player.
  const std::string piece = text.substr(0, 200);
  roster.SavePlayer(chosen, {piece, piece + piece, text.substr(size / 2), piece});
  // The player saved, and one as the input has it: each load reads the whole file.
  for (const int i : {chosen, size > 0 ? data[0] % PlayerRoster::kPlayerCount : 1}) {
    Check(roster.EntryText(i).size() <= 193);  // loads the player
    const players::PlayerRecord& p = roster.Player(i);
    Check(p.name.size() <= 63 && p.address.size() <= 63 && p.email.size() <= 63 && p.send.size() <= 1);
  }
  Check(roster.ResetPlayer(chosen));
  PlayerRoster again;
  again.SetPath(path);
  Check(again.LoadPlayer(chosen));
  Check(again.Player(chosen) == (players::PlayerRecord{PlayerRoster::SectionName(chosen), "", "", "Y"}));
  return 0;
}
