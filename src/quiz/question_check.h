// Checks a question file the way the quiz will meet it, for the people who
// write the questions: the quiz's own loader reads it, its own wrap fits it
// to the question panel with the statement font, and every fault found is
// written as "path:line: what is wrong".
#pragma once
#include <iosfwd>
#include <string>

namespace quiz {

class QuestionStore;

struct CheckResult {
  int errors = 0;
  int questions = 0;    // blocks with an answer line
  int trueAnswers = 0;  // of those, the ones whose answer is TRUE
};

// The share of TRUE answers a file may have, in percent.
inline constexpr int kMinTrueShare = 40;
inline constexpr int kMaxTrueShare = 60;

// Reads path into store (whose fonts must be loaded; its records are
// replaced), writes each fault and then a line on the true/false balance to
// out.
CheckResult CheckQuestionFile(QuestionStore& store, const std::string& path, std::ostream& out);

}  // namespace quiz
