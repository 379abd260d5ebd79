// A question file of any content: the loader keeps every record within its
// five lines of 255 characters, every section wraps to at least one line,
// and the draw never returns a record twice between resets, never returns
// a blank one, and gives up at once when nothing can be drawn.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz_scratch.h"
#include "quiz/question_loader.h"
#include "quiz/question_store.h"
#include "quiz/quiz_random.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// A proportional stand-in for the statement font: 4 to 19 pixels a character.
int Measure(const char* text) {
  int width = 0;
  for (const char* p = text; *p; ++p) width += 4 + (static_cast<unsigned char>(*p) & 15);
  return width;
}

void CheckSection(const quiz::QuestionSection& s) {
  Check(s.count >= 1 && s.count <= quiz::QuestionSection::kMaxLines);
  for (const std::string& line : s.lines) Check(line.size() < quiz::QuestionSection::kLineField);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const fuzz_support::ScratchDir dir("pav_fuzz_questions");
  const std::string text(reinterpret_cast<const char*>(data), size);

  std::istringstream in(text);
  std::vector<std::unique_ptr<quiz::QuestionRecord>> records;
  quiz::LoadReport report;
  quiz::ReadQuestions(in, Measure, records, &report);
  Check(report.blocks.size() == records.size());
  for (const auto& r : records) {
    CheckSection(r->statement);
    CheckSection(r->explanation);
    Check(r->answer == 0 || r->answer == 1);
  }

  // The same bytes through the store, from a file, then drawn.
  const std::string path = dir.file("Verimoo.txt");
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
  quiz::QuestionStore store;
  Check(store.LoadFile(path) == 1);
  Check(store.RecordCount() == static_cast<int>(records.size()));

  quiz::QuizRandom random(size > 0 ? data[0] : 1);
  std::set<const quiz::QuestionRecord*> drawn;
  for (int i = 0; i < 64; ++i) {
    quiz::QuestionRecord* r = store.DrawNext(random);
    if (!r) {
      if (!store.HasDrawable()) {
        quiz::QuizRandom copy = random;
        Check(store.DrawNext(random) == nullptr);
        Check(random.Next() == copy.Next());
        break;
      }
      store.ResetUsedFlags();
      drawn.clear();
      continue;
    }
    Check(!r->IsBlank());
    Check(r->used == 1);
    Check(store.Current() == r);
    Check(drawn.insert(r).second);
  }
  return 0;
}
