// The quiz's entry: the desktop back end, real program launching, and the
// command line (the launcher's directory) handed to the shared run.
#include "platform/paths.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/system.h"
#include "quiz/verimoo_program.h"
#include "shell/app/application.h"

namespace {

constexpr const char* kUsage =
    "Usage: verimoo [LAUNCHER-FOLDER]\n"
    "Starts the true/false quiz. LAUNCHER-FOLDER is the folder of the launcher that\n"
    "the quiz's \"menu\" button starts; without it that button does nothing.\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n";

}  // namespace

int main(int argc, char** argv) {
  if (const int code = shell::AnswerInfoRequest(argc, argv, "Verimoo", kUsage, stdout); code >= 0)
    return code;
  // The program's files lie beside it, wherever it was started from (a
  // command on the PATH is a link to it).
  platform::EnterProgramDirectory();
  platform::SdlBackend backend;
  platform::SpawnLauncher launcher;
  quiz::VerimooProgram program;
  shell::Application app(backend, launcher, program);
  return app.Run(shell::CommandLineFrom(argc, argv));
}
