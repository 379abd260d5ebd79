// The quiz's entry: the desktop back end, real program launching, and the
// command line (the launcher's directory) handed to the shared run.
#include "quiz/verimoo_program.h"
#include "shell/app/desktop_main.h"

namespace {

constexpr const char* kUsage =
    "Usage: verimoo [LAUNCHER-FOLDER]\n"
    "Starts the true/false quiz. LAUNCHER-FOLDER is the folder of the launcher that\n"
    "the quiz's \"menu\" button starts; without it that button does nothing.\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n";

}  // namespace

int main(int argc, char** argv) {
  return shell::RunOnDesktop<quiz::VerimooProgram>("Verimoo", kUsage, argc, argv);
}
