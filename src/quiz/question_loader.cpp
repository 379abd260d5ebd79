#include "quiz/question_loader.h"

#include <algorithm>
#include <cstddef>
#include <istream>
#include <streambuf>
#include <string>
#include <string_view>
#include <utility>

#include "platform/ascii.h"

namespace quiz {
namespace {

constexpr std::size_t kLineChars = QuestionSection::kLineField - 1;

// Hands out the file's lines as pieces of at most kReadPiece bytes, each
// ending after its line feed when one comes first.
class PieceReader {
 public:
  explicit PieceReader(std::istream& in) : buf_(in.rdbuf()) {}

  bool Next(std::string& piece) {
    piece.clear();
    if (!buf_) return false;
    while (piece.size() < static_cast<std::size_t>(kReadPiece)) {
      const auto c = buf_->sbumpc();
      if (c == std::char_traits<char>::eof()) break;
      piece.push_back(std::char_traits<char>::to_char_type(c));
      if (piece.back() == '\n') break;
    }
    return !piece.empty();
  }

 private:
  std::streambuf* buf_;
};

std::string_view TrimRightSpaces(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// The text of a piece without its line end. Pieces are read as the text
// they hold up to a NUL byte.
std::string_view Body(std::string_view piece) {
  if (!piece.empty() && piece.back() == '\n') piece.remove_suffix(1);
  if (!piece.empty() && piece.back() == '\r') piece.remove_suffix(1);
  return piece.substr(0, piece.find('\0'));
}

void AddLine(QuestionSection& section, std::string_view text) {
  if (section.count >= QuestionSection::kMaxLines) return;
  section.lines[static_cast<std::size_t>(section.count)] = std::string(text.substr(0, kLineChars));
  ++section.count;
}

}  // namespace

int WrapSection(QuestionSection& section, const TextMeasure& measure) {
  std::string work(TrimRightSpaces(section.lines[0]));
  if (section.count > 1) {
    work += ' ';
    work += TrimRightSpaces(section.lines[1]);
  }
  if (section.count > 2) {
    work += ' ';
    work += section.lines[2];
  }
  work += "  ";

  // Each display line is a stretch [start, end) of the work text.
  std::vector<std::pair<std::size_t, std::size_t>> lines;
  std::size_t lineStart = 0;
  std::size_t i = 0;
  while (i < work.size()) {
    if (work[i] != ' ' ||
        measure(work.substr(lineStart, i - lineStart).c_str()) < kWrapWidth) {
      ++i;
      continue;
    }
    // The line is full: its last word moves to a new line, the space before
    // the word staying at the end of the old one.
    std::size_t space = i;
    while (space > lineStart && work[space - 1] != ' ') --space;
    if (space > lineStart) {
      lines.emplace_back(lineStart, space);
      lineStart = space;
      i = space;
    } else {
      // One word fills the whole line: it stays there alone.
      lines.emplace_back(lineStart, i + 1);
      lineStart = i + 1;
      i = lineStart;
    }
  }
  lines.emplace_back(lineStart, work.size());

  const int needed = static_cast<int>(lines.size());
  section.count = 0;
  for (auto& line : section.lines) line.clear();
  for (const auto& [start, end] : lines) {
    if (section.count == QuestionSection::kMaxLines) break;
    section.lines[static_cast<std::size_t>(section.count++)] =
        work.substr(start, std::min(end - start, kLineChars));
  }
  return needed;
}

void ReadQuestions(std::istream& in, const TextMeasure& measure,
                   std::vector<std::unique_ptr<QuestionRecord>>& records, LoadReport* report) {
  PieceReader reader(in);
  std::string piece;
  int lineNumber = 0;
  bool lastPieceCut = false;  // the previous piece ended inside its line
  char lastByte = '\0';       // the previous piece's last byte

  auto record = std::make_unique<QuestionRecord>();
  BlockReport block;
  bool inBlock = false;
  int phase = 0;

  while (reader.Next(piece)) {
    const bool continuation = lastPieceCut;
    if (!continuation) ++lineNumber;
    lastPieceCut = piece.size() == static_cast<std::size_t>(kReadPiece) && piece.back() != '\n';
    if (report && lastPieceCut && !continuation) report->longLines.push_back(lineNumber);
    const char beforeEnd = piece.size() > 1 ? piece[piece.size() - 2] : lastByte;
    if (report && piece.back() == '\n' && beforeEnd != '\r') report->bareLineFeeds.push_back(lineNumber);
    lastByte = piece.back();
    const std::string_view body = Body(piece);
    // What is left of a long line after its last piece is only its end.
    if (continuation && body.empty() && (piece[0] == '\r' || piece[0] == '\n')) continue;

    if (!inBlock) {
      inBlock = true;
      block = BlockReport{};
      block.firstLine = lineNumber;
    }

    if (piece[0] == '\r' || piece[0] == '\n') {
      block.statementLinesNeeded = WrapSection(record->statement, measure);
      block.explanationLinesNeeded = WrapSection(record->explanation, measure);
      records.push_back(std::move(record));
      if (report) report->blocks.push_back(std::move(block));
      record = std::make_unique<QuestionRecord>();
      inBlock = false;
      phase = 0;
      continue;
    }

    ReportedLine::Role role = ReportedLine::kIgnored;
    if (platform::StartsWithIgnoringAsciiCase(body, "FALSE") || platform::StartsWithIgnoringAsciiCase(body, "TRUE")) {
      record->answer = platform::StartsWithIgnoringAsciiCase(body, "FALSE") ? 0 : 1;
      ++phase;
      ++block.answerLines;
      role = ReportedLine::kAnswer;
    } else if (phase == 0) {
      AddLine(record->statement, body);
      ++block.statementFileLines;
      role = ReportedLine::kStatement;
    } else if (phase == 1) {
      AddLine(record->explanation, body);
      ++block.explanationFileLines;
      role = ReportedLine::kExplanation;
    }
    if (report) block.lines.push_back({lineNumber, role, std::string(body)});
  }

  if (inBlock && report) {
    report->unfinishedBlock = true;
    report->unfinishedLine = block.firstLine;
  }
}

}  // namespace quiz
