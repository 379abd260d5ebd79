// The launcher's game-folder scan and its command line on a tree made from
// the input: folders and files of any name, with or without a tile (of any
// bytes, spelled in any case). The scan finds exactly the plain folders
// with a tile, and the command line opens at most one of them.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "gfx/screen.h"
#include "launcher/catalogue_screen.h"
#include "launcher/pavlora_program.h"
#include "platform/headless/headless_backend.h"
#include "platform/system.h"
#include "shell/app/application.h"
#include "support/bmp_file.h"

using fuzz_support::Check;
namespace fs = std::filesystem;

namespace {

// Reports of damaged tiles are kept by the headless back end; here they
// would pile up over millions of runs.
struct Backend : platform::HeadlessBackend {
  void messageBox(const std::string&, const std::string&) override {}
};

// A launcher folder made once with all the launcher's files, started once,
// and a screen without anything to leave the catalogue for, so that going
// back scans afresh; each run removes the entries it made. The pictures are
// small stand-ins of the same names (decoding the real ones would take most
// of a run), the fonts among them; setup.ini is the real one.
struct Harness {
  Harness() {
    fs::create_directories(games);
    for (const fs::directory_entry& file : fs::directory_iterator(PAV_DIST_DIR)) {
      const fs::path name = file.path().filename();
      if (!file.is_regular_file()) continue;
      if (name.extension() != ".bmp")
        fs::create_symlink(file.path(), games / name);
      else if (name.string().find("ont.bmp") != std::string::npos)  // 94 glyphs a column wide
        test_support::WriteBmp24((games / name).string(), 188, 2, [](int x, int) { return x % 2 ? 0x0000FFu : 0xFFFFFFu; });
      else  // as wide as any strip of frames needs
        test_support::WriteBmp24((games / name).string(), 60, 2, [](int x, int) { return 0x203040u * uint32_t(x); });
    }
    // A launcher that has been played keeps its players here; without it,
    // every read of a player's key would search the folder for the name.
    std::ofstream(games / "options.ini") << "";
    fs::current_path(games);
    Check(app.StartUp("") == -1);
    app.Screens().Register(&idle);
    app.Screens().SwitchTo("idle");
  }
  fs::path games = fs::path(fuzz_support::WorkDir().path()) / "games";
  Backend backend;
  platform::RecordingLauncher launcher;
  launcher::PavloraProgram program;
  shell::Application app{backend, launcher, program};
  gfx::Screen idle{app.Context(), "idle"};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Never destroyed: the screen manager would outlive the idle screen it lists.
  static Harness& h = *new Harness;
  // Entries: flags, name length, name, then for a tile its length and bytes.
  int expected = 0;
  std::vector<fs::path> made;  // in the order made: files and tiles before their folders
  size_t at = 0;
  // Three pages of games and more, but not hundreds of folders a run.
  constexpr int kMostEntries = 40;
  for (int entries = 0; at + 2 <= size && entries < kMostEntries; ++entries) {
    const uint8_t flags = data[at], length = uint8_t(1 + data[at + 1] % 12);
    at += 2;
    std::string name;
    for (size_t i = 0; i < length && at < size; ++i, ++at) name += "aB.-_ 7zQ"[data[at] % 9];
    const fs::path entry = h.games / name;
    if (name == "." || name == ".." || fs::exists(entry)) continue;
    if (!(flags & 1)) {
      fs::create_directory(entry);
      if (flags & 2) {
        size_t tile = at < size ? data[at++] : 0;
        tile = std::min(tile, size - at);
        const std::string bytes(reinterpret_cast<const char*>(data) + at, tile);
        at += tile;
        made.push_back(entry / (flags & 4 ? "pavlorabutton.BMP" : "PavloraButton.bmp"));
        std::ofstream(made.back(), std::ios::binary) << bytes;
        expected += name[0] != '.';
      }
    } else {
      std::ofstream(entry) << "x";
    }
    made.push_back(entry);
  }
  // Back to the catalogue, which scans the folder afresh (the title screen
  // of a run before may have entered a game's folder).
  fs::current_path(h.games);
  h.app.Screens().SwitchTo("Pavlora");
  launcher::CatalogueScreen& catalogue = *h.program.Catalogue();
  Check(catalogue.GameCount() == expected);
  const std::string line = size > 0 ? std::string(reinterpret_cast<const char*>(data), size % 7) : "";
  const bool opened = !line.empty() && catalogue.SelectGameByProgramName(line);
  Check(opened == (h.app.Screens().Current()->GetName() == "title"));
  Check(!opened || expected > 0);
  // What the run made goes, so that it ends holding no more memory than it
  // began with (else every run would be followed by a leak check).
  h.app.Screens().SwitchTo("idle");
  for (const fs::path& entry : made) fs::remove(entry);
  return 0;
}
