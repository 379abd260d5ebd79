// The launcher's game-folder scan and its command line on a tree made from
// the input: folders and files of any name, with or without a tile (of any
// bytes, spelled in any case). The scan finds exactly the plain folders
// with a tile, and the command line opens at most one of them.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz_check.h"
#include "gfx/screen.h"
#include "launcher/catalogue_screen.h"
#include "launcher/pavlora_program.h"
#include "platform/headless/headless_backend.h"
#include "platform/system.h"
#include "shell/app/application.h"
#include "support/scratch_dir.h"

using fuzz_support::Check;
namespace fs = std::filesystem;

namespace {

// A launcher without art (pictures are optional), started once, and a
// screen without anything to leave the catalogue for, so that going back
// scans afresh.
struct Harness {
  Harness() {
    fs::current_path(dir.path());
    Check(app.StartUp("") == -1);
    app.Screens().Register(&idle);
  }
  test_support::ScratchDir dir;
  fs::path games = fs::path(dir.path()) / "games";
  platform::HeadlessBackend backend;
  platform::RecordingLauncher launcher;
  launcher::PavloraProgram program;
  shell::Application app{backend, launcher, program};
  gfx::Screen idle{app.Context(), "idle"};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Harness h;
  fs::remove_all(h.games);
  fs::create_directories(h.games);
  // Entries: flags, name length, name, then for a tile its length and bytes.
  int expected = 0;
  size_t at = 0;
  while (at + 2 <= size) {
    const uint8_t flags = data[at], length = uint8_t(1 + data[at + 1] % 12);
    at += 2;
    std::string name;
    for (size_t i = 0; i < length && at < size; ++i, ++at) name += "aB.-_ 7zQ"[data[at] % 9];
    if (name == "." || name == ".." || fs::exists(h.games / name)) continue;
    if (!(flags & 1)) {
      fs::create_directories(h.games / name);
      if (flags & 2) {
        size_t tile = at < size ? data[at++] : 0;
        tile = std::min(tile, size - at);
        const std::string bytes(reinterpret_cast<const char*>(data) + at, tile);
        at += tile;
        std::ofstream(h.games / name / (flags & 4 ? "pavlorabutton.BMP" : "PavloraButton.bmp"), std::ios::binary) << bytes;
        expected += name[0] != '.';
      }
    } else {
      std::ofstream(h.games / name) << "x";
    }
  }
  // Back to the catalogue, which scans the folder afresh.
  fs::current_path(h.games);
  h.app.Screens().SwitchTo("idle");
  h.app.Screens().SwitchTo("Pavlora");
  launcher::CatalogueScreen& catalogue = *h.program.Catalogue();
  Check(catalogue.GameCount() == expected);
  const std::string line = size > 0 ? std::string(reinterpret_cast<const char*>(data), size % 7) : "";
  const bool opened = !line.empty() && catalogue.SelectGameByProgramName(line);
  Check(opened == (h.app.Screens().Current()->GetName() == "title"));
  Check(!opened || expected > 0);
  return 0;
}
