// The quiz's entry: the desktop back end, real program launching, and the
// command line (the launcher's directory) handed to the shared run.
#include "platform/sdl/sdl_backend.h"
#include "platform/system.h"
#include "quiz/verimoo_program.h"
#include "shell/app/application.h"

int main(int argc, char** argv) {
  platform::SdlBackend backend;
  platform::SpawnLauncher launcher;
  quiz::VerimooProgram program;
  shell::Application app(backend, launcher, program);
  return app.Run(shell::CommandLineFrom(argc, argv));
}
