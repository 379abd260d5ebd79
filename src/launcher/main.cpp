// The launcher's entry: the desktop back end, real program launching, and
// the command line (a game's program name) handed to the shared run.
#include "launcher/pavlora_program.h"
#include "platform/paths.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/system.h"
#include "shell/app/application.h"

namespace {

constexpr const char* kUsage =
    "Usage: pavlora [GAME]\n"
    "Starts the launcher of the games installed beside it. GAME, the start of a\n"
    "game's program name (for example Verimoo), opens that game's title screen.\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n";

}  // namespace

int main(int argc, char** argv) {
  if (const int code = shell::AnswerInfoRequest(argc, argv, "Pavlora", kUsage, stdout); code >= 0)
    return code;
  // The program's files lie beside it, wherever it was started from (a
  // command on the PATH is a link to it).
  platform::EnterProgramDirectory();
  platform::SdlBackend backend;
  platform::SpawnLauncher launcher;
  launcher::PavloraProgram program;
  shell::Application app(backend, launcher, program);
  return app.Run(shell::CommandLineFrom(argc, argv));
}
