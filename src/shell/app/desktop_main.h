// What each program's main does: answers --help and --version, moves into
// the program's own folder, and runs the program on the desktop back end
// with real program launching.
#pragma once
#include <cstdio>

#include "platform/paths.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/system.h"
#include "shell/app/application.h"

namespace shell {

template <class ProgramType>
int RunOnDesktop(const char* name, const char* usage, int argc, char** argv) {
  if (const int code = AnswerInfoRequest(argc, argv, name, usage, stdout); code >= 0) return code;
  // The program's files lie beside it, wherever it was started from (a
  // command on the PATH is a link to it).
  platform::EnterProgramDirectory();
  platform::SdlBackend backend;
  platform::SpawnLauncher launcher;
  ProgramType program;
  Application app(backend, launcher, program);
  return app.Run(CommandLineFrom(argc, argv));
}

}  // namespace shell
