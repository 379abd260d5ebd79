// An options file of any content: the roster reads a current player among
// the eight, keeps every text within its field, and a reset player reads
// back with the defaults whatever else the file holds.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "fuzz_scratch.h"
#include "players/player_roster.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const fuzz_support::ScratchDir dir("pav_fuzz_roster");
  const std::string path = dir.file("options.ini");
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

  players::PlayerRoster roster;
  roster.SetPath(path);
  const int current = roster.ReadCurrentIndex();
  Check(current >= 0 && current < players::PlayerRoster::kPlayerCount);
  for (int i = 0; i < players::PlayerRoster::kPlayerCount; ++i) {
    Check(roster.LoadPlayer(i));
    const players::PlayerRecord& p = roster.Player(i);
    Check(p.name.size() <= 63 && p.address.size() <= 63 && p.email.size() <= 63);
    Check(p.send.size() <= 1);
    Check(roster.EntryText(i).size() <= 193);
  }

  // Reset one player chosen by the input; it reads back as the defaults.
  const int chosen = size > 0 ? data[size - 1] % players::PlayerRoster::kPlayerCount : 0;
  Check(roster.ResetPlayer(chosen));
  players::PlayerRoster again;
  again.SetPath(path);
  Check(again.LoadPlayer(chosen));
  Check(again.Player(chosen) ==
        (players::PlayerRecord{players::PlayerRoster::SectionName(chosen), "", "", "Y"}));
  return 0;
}
