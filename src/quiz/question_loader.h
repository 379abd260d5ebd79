// Reading the question file and fitting its texts to the question area.
//
// The file is a sequence of blocks: statement lines, one answer line
// (beginning with "FALSE" or "TRUE" in any case), explanation lines, and an
// empty line that ends the block. It is read in pieces of at most 255 bytes,
// each ending after its line feed when one comes first; a longer line gives
// several pieces, each taken as a line of its own.
#pragma once
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "quiz/question_record.h"

namespace quiz {

// The width in pixels of a text as the statement font draws it.
using TextMeasure = std::function<int(const char*)>;

// A line of the question area may grow until it is this wide.
inline constexpr int kWrapWidth = 421;
// The longest piece taken from the file at once.
inline constexpr int kReadPiece = 255;

// Where the quiz draws a question's lines, and the edges of the panel they
// must stay inside.
inline constexpr int kTextX = 195, kTextY = 289;
inline constexpr int kPanelRight = 630, kPanelBottom = 412;

// One line of a block as the loader took it.
struct ReportedLine {
  enum Role { kStatement, kAnswer, kExplanation, kIgnored };
  int number = 0;  // 1-based line number in the file
  Role role = kStatement;
  std::string text;  // without its line end
};

// What the loader met in one block, for checking a question file.
struct BlockReport {
  int firstLine = 0;              // 1-based number of the block's first line
  int answerLines = 0;            // a block should have exactly one
  int statementFileLines = 0;     // text lines the file gave, kept or not
  int explanationFileLines = 0;
  int statementLinesNeeded = 0;   // display lines the wrap needed, kept or not
  int explanationLinesNeeded = 0;
  std::vector<ReportedLine> lines;  // every line of the block but its closing empty one
};

struct LoadReport {
  std::vector<BlockReport> blocks;  // one per record appended, in order
  bool unfinishedBlock = false;     // the file ended inside a block, which was dropped
  int unfinishedLine = 0;           // where that block began
  std::vector<int> longLines;       // lines read in several pieces, each taken as a line
  std::vector<int> bareLineFeeds;   // lines ending in a line feed without a carriage return
};

// Joins the first three lines of the section, re-flows the text so that a
// line breaks at the first space where the line so far measures kWrapWidth
// or more, and keeps the first five display lines. Returns how many display
// lines the text needed. A word too wide for any line stays alone on its
// line.
int WrapSection(QuestionSection& section, const TextMeasure& measure);

// Appends one wrapped record per complete block of the stream. Text beyond
// five lines of a section, lines after a second answer line, and a block
// cut off by the end of the stream are dropped.
void ReadQuestions(std::istream& in, const TextMeasure& measure,
                   std::vector<std::unique_ptr<QuestionRecord>>& records,
                   LoadReport* report = nullptr);

}  // namespace quiz
