// One question of the quiz: a statement to judge, whether it is true, and
// the explanation shown after the answer, each as up to five display lines.
#pragma once
#include <array>
#include <cstddef>
#include <string>

namespace quiz {

// A statement or an explanation: the lines in use come first.
struct QuestionSection {
  static constexpr int kMaxLines = 5;
  static constexpr std::size_t kLineField = 256;  // bytes per line, terminator included

  int count = 0;
  std::array<std::string, kMaxLines> lines;

  // Starts with a space while being a single line: what an empty or
  // space-led text wraps to.
  bool IsBlank() const { return count == 1 && !lines[0].empty() && lines[0][0] == ' '; }
};

struct QuestionRecord {
  QuestionSection statement;
  QuestionSection explanation;
  int answer = 0;  // 1: the statement is true
  int used = 0;    // 1 once drawn since the last reset

  // A record the draw must not show; meeting one makes the draw give up.
  bool IsBlank() const { return explanation.IsBlank() || statement.IsBlank(); }
  // A record the draw can return.
  bool IsDrawable() const { return !IsBlank() && !statement.lines[0].empty(); }
};

}  // namespace quiz
