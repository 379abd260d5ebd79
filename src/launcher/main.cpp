// The launcher's entry: the desktop back end, real program launching, and
// the command line (a game's program name) handed to the shared run.
#include "launcher/pavlora_program.h"
#include "shell/app/desktop_main.h"

namespace {

constexpr const char* kUsage =
    "Usage: pavlora [GAME]\n"
    "Starts the launcher of the games installed beside it. GAME, the start of a\n"
    "game's program name (for example Verimoo), opens that game's title screen.\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n";

}  // namespace

int main(int argc, char** argv) {
  return shell::RunOnDesktop<launcher::PavloraProgram>("Pavlora", kUsage, argc, argv);
}
