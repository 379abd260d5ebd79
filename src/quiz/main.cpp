// The quiz's entry: the desktop back end, real program launching, and the
// command line (the launcher's directory) handed to the shared run.
#include "platform/paths.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/system.h"
#include "quiz/verimoo_program.h"
#include "shell/app/application.h"

int main(int argc, char** argv) {
  // The program's files lie beside it, wherever it was started from (a
  // command on the PATH is a link to it).
  platform::EnterProgramDirectory();
  platform::SdlBackend backend;
  platform::SpawnLauncher launcher;
  quiz::VerimooProgram program;
  shell::Application app(backend, launcher, program);
  return app.Run(shell::CommandLineFrom(argc, argv));
}
