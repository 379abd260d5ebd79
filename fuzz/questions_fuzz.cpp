// A question file of any content, loaded and wrapped with the quiz's own
// font: every record keeps to its five lines of 255 characters, and the draw
// never returns a record twice between resets, never a blank one, and gives
// up at once when nothing can be drawn.
#include <cstdint>
#include <set>
#include <string>

#include "fuzz_check.h"
#include "quiz/question_store.h"
#include "quiz/quiz_random.h"
#include "support/headless_services.h"

using fuzz_support::Check;

namespace {

struct Harness {
  Harness() { Check(store.LoadFonts(services.qv, PAV_DIST_DIR "/Verimoo/font.bmp") == 1); }
  testing_support::HeadlessServices services;
  quiz::QuestionStore store;
};

void CheckSection(const quiz::QuestionSection& s) {
  Check(s.count >= 1 && s.count <= quiz::QuestionSection::kMaxLines);
  for (const std::string& line : s.lines) Check(line.size() < quiz::QuestionSection::kLineField);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Harness h;
  quiz::QuestionStore& store = h.store;
  store.Clear();
  fuzz_support::WorkDir().write("Verimoo.txt", std::string(reinterpret_cast<const char*>(data), size));
  Check(store.LoadFile("Verimoo.txt") == 1);
  Check(store.LastLoad().blocks.size() == size_t(store.RecordCount()));
  for (int i = 0; i < store.RecordCount(); ++i) {
    CheckSection(store.Record(i).statement);
    CheckSection(store.Record(i).explanation);
    Check(store.Record(i).answer == 0 || store.Record(i).answer == 1);
  }
  quiz::QuizRandom random(size > 0 ? data[0] : 1);
  std::set<const quiz::QuestionRecord*> drawn;
  for (int i = 0; i < 64; ++i) {
    quiz::QuestionRecord* r = store.DrawNext(random);
    if (!r) {
      if (!store.HasDrawable()) {
        quiz::QuizRandom copy = random;
        Check(store.DrawNext(random) == nullptr && random.Next() == copy.Next());
        break;
      }
      store.ResetUsedFlags();
      drawn.clear();
      continue;
    }
    Check(!r->IsBlank() && r->used == 1 && store.Current() == r && drawn.insert(r).second);
  }
  return 0;
}
