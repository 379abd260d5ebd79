#include "quiz/question_check.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "gfx/bitmap_font.h"
#include "platform/ascii.h"
#include "quiz/question_store.h"

namespace quiz {
namespace {

// The file lines of a section that the quiz reads; later ones are dropped.
constexpr int kReadLines = 3;

class Reporter {
 public:
  Reporter(std::ostream& out, const std::string& path) : out_(out), path_(path) {}

  void At(int line, const std::string& message) {
    out_ << path_ << ':' << line << ": " << message << '\n';
    ++errors_;
  }
  void File(const std::string& message) {
    out_ << path_ << ": " << message << '\n';
    ++errors_;
  }
  int Errors() const { return errors_; }

 private:
  std::ostream& out_;
  const std::string& path_;
  int errors_ = 0;
};

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

bool Drawable(const gfx::BitmapFont& font, char ch) {
  const int code = static_cast<unsigned char>(ch);
  return code == ' ' || (code > ' ' && code < 127 && font.GlyphAt(code - '!').start >= 0);
}

// Lower-case words of letters and digits: what two statements are compared by.
std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words(1);
  for (char c : text) {
    c = platform::AsciiLower(c);
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
      words.back().push_back(c);
    else if (!words.back().empty())
      words.emplace_back();
  }
  if (words.back().empty()) words.pop_back();
  return words;
}

// How many words must be put in, taken out or changed to turn a into b.
std::size_t WordDistance(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

struct Statement {
  int line = 0;
  std::vector<std::string> words;
};

void CheckCharacters(Reporter& report, const gfx::BitmapFont& font, const ReportedLine& line) {
  for (std::size_t i = 0; i < line.text.size(); ++i) {
    if (Drawable(font, line.text[i])) continue;
    char code[8];
    std::snprintf(code, sizeof code, "0x%02X", static_cast<unsigned char>(line.text[i]));
    report.At(line.number, "column " + std::to_string(i + 1) + ": character " + code +
                               " cannot be drawn with the font");
    return;  // one report a line is enough to find it
  }
}

void CheckWords(Reporter& report, const gfx::BitmapFont& font, const ReportedLine& line) {
  std::size_t start = 0;
  while (start < line.text.size()) {
    std::size_t end = line.text.find(' ', start);
    if (end == std::string::npos) end = line.text.size();
    const std::string word = line.text.substr(start, end - start);
    const int width = font.TextWidth(word.c_str());
    if (width >= kWrapWidth)
      report.At(line.number, "the word " + Quoted(word) + " is " + std::to_string(width) +
                                 " pixels wide; a line holds words under " +
                                 std::to_string(kWrapWidth));
    start = end + 1;
  }
}

// How a section came out of the wrap: in lines, across and down the panel.
void CheckSection(Reporter& report, const gfx::BitmapFont& font, const QuestionSection& section,
                  int needed, int line, const char* name) {
  if (needed > QuestionSection::kMaxLines)
    report.At(line, std::string("the ") + name + " wraps to " + std::to_string(needed) +
                        " lines; the quiz shows " + std::to_string(QuestionSection::kMaxLines));
  for (int i = 0; i < section.count; ++i) {
    const std::string shown(TrimRight(section.lines[static_cast<std::size_t>(i)]));
    const int width = font.TextWidth(shown.c_str());
    if (kTextX + width > kPanelRight)
      report.At(line, std::string("the ") + name + "'s display line " + Quoted(shown) + " is " +
                          std::to_string(width) + " pixels wide and runs past the question panel");
  }
  if (kTextY + section.count * font.Height() > kPanelBottom)
    report.At(line, std::string("the ") + name + "'s " + std::to_string(section.count) +
                        " lines run below the question panel");
}

void CheckBlock(Reporter& report, const gfx::BitmapFont& font, const BlockReport& block,
                const QuestionRecord& record) {
  if (block.lines.empty()) {
    report.At(block.firstLine,
              "an empty line where a block should start: the quiz takes it for a blank question "
              "and stops drawing questions when it meets one");
    return;
  }
  int answers = 0, statementLines = 0, explanationLines = 0, statementLine = 0,
      explanationLine = 0, answerLine = 0;
  // A statement or explanation line: the first one's number is kept, those
  // past what the quiz reads are reported.
  auto textLine = [&](const ReportedLine& line, int& count, int& first, const char* what) {
    if (++count == 1) first = line.number;
    if (count > kReadLines)
      report.At(line.number, std::string("only the first three lines of ") + what + " are read");
    CheckWords(report, font, line);
  };
  for (const ReportedLine& line : block.lines) {
    CheckCharacters(report, font, line);
    switch (line.role) {
      case ReportedLine::kAnswer:
        if (line.text != "TRUE" && line.text != "FALSE")
          report.At(line.number, "the answer line " + Quoted(line.text) +
                                     " is not TRUE or FALSE (any line starting with those "
                                     "letters is taken for the answer)");
        if (++answers == 1)
          answerLine = line.number;
        else
          report.At(line.number,
                    "a second answer line: the quiz takes its answer and drops what follows");
        break;
      case ReportedLine::kStatement:
        textLine(line, statementLines, statementLine, "a statement");
        break;
      case ReportedLine::kExplanation:
        textLine(line, explanationLines, explanationLine, "an explanation");
        break;
      case ReportedLine::kIgnored:
        break;
    }
  }

  if (answers == 0) {
    report.At(block.firstLine, "the block has no TRUE or FALSE line");
  } else if (statementLines == 0) {
    report.At(block.firstLine, "the block has no statement before its answer line");
  } else if (explanationLines == 0) {
    report.At(answerLine, "the block has no explanation after its answer line");
  } else if (record.IsBlank()) {
    report.At(block.firstLine,
              "the text starts with a space, so the quiz takes the block for a blank question");
  }
  if (statementLines > 0)
    CheckSection(report, font, record.statement, block.statementLinesNeeded, statementLine,
                 "statement");
  if (explanationLines > 0)
    CheckSection(report, font, record.explanation, block.explanationLinesNeeded,
                 explanationLine, "explanation");
}

void CheckRepeats(Reporter& report, const std::vector<Statement>& statements) {
  for (std::size_t i = 0; i < statements.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j) {
      const Statement& a = statements[j];
      const Statement& b = statements[i];
      // One word in eight may differ, and at least one.
      const std::size_t allowed = std::max<std::size_t>(1, std::max(a.words.size(), b.words.size()) / 8);
      const std::size_t distance = WordDistance(a.words, b.words);
      if (distance == 0) {
        report.At(b.line, "repeats the statement at line " + std::to_string(a.line));
        break;
      }
      if (distance <= allowed) {
        report.At(b.line, "nearly the same statement as at line " + std::to_string(a.line));
        break;
      }
    }
  }
}

}  // namespace

CheckResult CheckQuestionFile(QuestionStore& store, const std::string& path, std::ostream& out) {
  Reporter report(out, path);
  CheckResult result;
  const gfx::BitmapFont* font = store.StatementFont();
  store.Clear();
  if (!font) {
    report.File("no font to measure the text with");
    result.errors = report.Errors();
    return result;
  }
  if (!store.LoadFile(path)) {
    report.File("cannot be read");
    result.errors = report.Errors();
    return result;
  }
  const LoadReport& load = store.LastLoad();

  for (int line : load.longLines)
    report.At(line, "longer than 253 characters: the quiz reads it as several lines");
  if (!load.bareLineFeeds.empty())
    report.At(load.bareLineFeeds.front(),
              "the line ends in a line feed alone (" + std::to_string(load.bareLineFeeds.size()) +
                  " such lines in all); question files end their lines in CR LF");

  std::vector<Statement> statements;
  for (int i = 0; i < store.RecordCount(); ++i) {
    const BlockReport& block = load.blocks[static_cast<std::size_t>(i)];
    const QuestionRecord& record = store.Record(i);
    CheckBlock(report, *font, block, record);
    std::string text;
    for (const ReportedLine& line : block.lines)
      if (line.role == ReportedLine::kStatement) text += line.text + ' ';
    if (!text.empty()) statements.push_back({block.firstLine, Words(text)});
    if (block.answerLines > 0) {
      ++result.questions;
      result.trueAnswers += record.answer;
    }
  }
  CheckRepeats(report, statements);

  if (load.unfinishedBlock)
    report.At(load.unfinishedLine,
              "the last block is not followed by an empty line, so the quiz drops it");

  const int falseAnswers = result.questions - result.trueAnswers;
  if (result.questions == 0) {
    report.File("no questions");
  } else {
    out << path << ": " << result.questions << " questions, " << result.trueAnswers
        << " true and " << falseAnswers << " false ("
        << (result.trueAnswers * 100 + result.questions / 2) / result.questions << "% true)\n";
    if (result.trueAnswers * 100 < kMinTrueShare * result.questions ||
        result.trueAnswers * 100 > kMaxTrueShare * result.questions)
      report.File("the answers are unbalanced: between " + std::to_string(kMinTrueShare) +
                  "% and " + std::to_string(kMaxTrueShare) + "% should be true");
  }
  result.errors = report.Errors();
  return result;
}

}  // namespace quiz
