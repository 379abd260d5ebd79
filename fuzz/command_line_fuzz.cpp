// The programs' command lines: any arguments of any bytes. Only "--help" or
// "--version" alone is answered as a request for information; anything else
// becomes the parameter text, the arguments joined by single spaces, which
// the quiz takes as the launcher's folder: its "menu" names the launcher's
// program in exactly that folder.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "platform/paths.h"
#include "quiz/quiz_game.h"
#include "shell/app/application.h"

using fuzz_support::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static std::FILE* const sink = std::fopen("/dev/null", "w");
  // Arguments reach a program split at NUL bytes.
  std::vector<std::string> args{"verimoo", ""};
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0)
      args.emplace_back();
    else
      args.back() += char(data[i]);
  }
  if (size == 0) args.pop_back();
  std::vector<char*> argv;
  size_t joined = 0;
  for (std::string& arg : args) {
    argv.push_back(arg.data());
    joined += arg.size() + 1;
  }
  argv.push_back(nullptr);
  const int argc = int(args.size());

  const bool info = argc == 2 && (args[1] == "--help" || args[1] == "--version");
  Check(shell::AnswerInfoRequest(argc, argv.data(), "verimoo", "usage\n", sink) == (info ? 0 : -1));

  const std::string line = shell::CommandLineFrom(argc, argv.data());
  Check(line.size() == (argc > 1 ? joined - args[0].size() - 2 : 0));
  Check(argc < 2 || line.starts_with(args[1]));
  if (line.empty()) return 0;
  const std::string program = quiz::QuizGame::LauncherProgram(line);
  const std::string name = std::string(quiz::QuizGame::kLauncherProgram) + platform::kProgramSuffix;
  Check(program.starts_with(line) && program.ends_with(name));
  Check(program.size() == line.size() + name.size() + (line.back() == platform::kPathSeparator ? 0 : 1));
  return 0;
}
