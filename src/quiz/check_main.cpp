// verimoo-check: reports every fault of a question file as the quiz would
// meet it, measured with the quiz's own font, and exits non-zero when it
// finds one.
#include <filesystem>
#include <iostream>
#include <string>

#include "platform/headless/headless_backend.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/qv.h"
#include "quiz/question_check.h"
#include "quiz/question_store.h"

namespace {

int Usage() {
  std::cerr << "usage: verimoo-check [--font FONT.bmp] FILE\n"
               "Checks a question file; the font defaults to font.bmp beside FILE,\n"
               "else the quiz's own font beside this program.\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string font, file;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--font" && i + 1 < argc)
      font = argv[++i];
    else if (arg.empty() || arg[0] == '-' || !file.empty())
      return Usage();
    else
      file = arg;
  }
  if (file.empty()) return Usage();
  if (font.empty()) {
    font = (std::filesystem::path(file).parent_path() / "font.bmp").string();
    // An author's file elsewhere is measured with the installed quiz's font.
    if (!std::filesystem::exists(font)) font = platform::ProgramDirectory() + "/font.bmp";
  }

  // The font is loaded through the programs' own loader on a back end that
  // opens no window.
  platform::HeadlessBackend backend;
  platform::KeyboardSnapshot keyboard;
  platform::MessageQueue queue(keyboard);
  platform::Qv qv(backend, queue, keyboard);
  quiz::QuestionStore store;
  if (!store.LoadFonts(qv, font)) {
    std::cerr << "verimoo-check: cannot load the font " << font << " (give one with --font)\n";
    return 2;
  }
  return quiz::CheckQuestionFile(store, file, std::cout).errors == 0 ? 0 : 1;
}
