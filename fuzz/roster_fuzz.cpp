// An options file of any content: the roster reads a current player among
// the eight and keeps every text within its field, also after saving texts
// longer than the fields; a reset player reads back with the defaults.
#include <cstdint>
#include <filesystem>
#include <string>

#include "fuzz_check.h"
#include "players/player_roster.h"
#include "support/scratch_dir.h"

using fuzz_support::Check;
using players::PlayerRoster;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Relative names, as the programs use them, resolve without walking the whole path.
  static const test_support::ScratchDir dir;
  static const bool entered = (std::filesystem::current_path(dir.path()), true);
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string path = (dir.write("options.ini", text), "options.ini");
  (void)entered;
  PlayerRoster roster;
  roster.SetPath(path);
  const int current = roster.ReadCurrentIndex();
  Check(current >= 0 && current < PlayerRoster::kPlayerCount);
  const int chosen = size > 0 ? data[size - 1] % PlayerRoster::kPlayerCount : 0;
  // Texts taken from the input, of any length, saved for the chosen player.
  const std::string piece = text.substr(0, 200);
  roster.SavePlayer(chosen, {piece, piece + piece, text.substr(size / 2), piece});
  for (int i = 0; i < PlayerRoster::kPlayerCount; ++i) {
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
