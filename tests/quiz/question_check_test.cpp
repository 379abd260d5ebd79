// The question writers' checker, fed one small file per fault it reports:
// each must come out with the line it is on.
#include "quiz/question_check.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "support/scoped_variable.h"
#include "support/scratch_dir.h"
#include "quiz/question_store.h"
#include "support/headless_services.h"

namespace {

constexpr const char* kFont = PAV_DIST_DIR "/Verimoo/font.bmp";

std::string Block(const std::string& statement, const std::string& answer,
                  const std::string& explanation) {
  return statement + "\r\n" + answer + "\r\n" + explanation + "\r\n\r\n";
}

TEST(QuestionCheck, ReportsEachFaultWithItsLine) {
  testing_support::HeadlessServices services;
  quiz::QuestionStore store;
  ASSERT_EQ(store.LoadFonts(services.qv, kFont), 1) << kFont;
  test_support::ScratchDir dir;

  const std::string cows = Block("Cows moo.", "TRUE", "They do.");
  const std::string hens = Block("Hens swim.", "FALSE", "They wade.");
  std::string words = "Twenty";  // 220 characters in short words
  while (words.size() < 220) words += " tenletters";
  const std::string wide(40, 'W');
  const struct {
    std::string bytes;
    std::string expected;  // after the file's path
  } cases[] = {
      {cows + hens, ": 2 questions, 1 true and 1 false (50% true)"},
      {Block(words + "\r\n" + words, "TRUE", "e") + hens, ":1: the statement wraps to"},
      {Block("A " + wide + " word.", "TRUE", "e") + hens, ":1: the word \"" + wide + "\" is"},
      {Block("A " + wide + " word.", "TRUE", "e") + hens, ":1: the statement's display line \"" + wide + "\" is"},
      {"Cows moo.\r\nThey do.\r\n\r\n" + hens, ":1: the block has no TRUE or FALSE line"},
      {Block("Cows moo.", "True, mostly", "e") + hens, ":2: the answer line \"True, mostly\""},
      {"Falsetto is a high voice.\r\nTRUE\r\ne\r\n\r\n" + hens, ":2: a second answer line"},
      {"Cows moo.\r\nTRUE\r\n\r\n" + hens, ":2: the block has no explanation"},
      {Block(" Cows moo.", "TRUE", "e") + hens, ":1: the text starts with a space"},
      {"a\r\nb\r\nc\r\nd\r\nTRUE\r\ne\r\n\r\n" + hens, ":4: only the first three lines"},
      {cows + "\r\n" + hens, ":5: an empty line where a block should start"},
      {cows + hens + Block("Cows  moo!", "FALSE", "e"), ":9: repeats the statement at line 1"},
      {cows + hens + Block("Cows often moo.", "TRUE", "e"), ":9: nearly the same statement as at line 1"},
      {Block("Caf\xE9 au lait is coffee.", "TRUE", "e") + hens, ":1: column 4: character 0xE9"},
      {Block(std::string(300, 'a'), "TRUE", "e") + hens, ":1: longer than 253 characters"},
      {"Cows moo.\nTRUE\ne\n\n" + hens, ":1: the line ends in a line feed alone (4 such"},
      {cows + "Hens swim.\r\nFALSE\r\nThey wade.\r\n", ":5: the last block is not followed by an empty line"},
      {cows + Block("Sheep bleat.", "TRUE", "e"), ": the answers are unbalanced"},
      {"", ": no questions"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    dir.write("Verimoo.txt", c.bytes);
    std::ostringstream out;
    const quiz::CheckResult result = quiz::CheckQuestionFile(store, dir / "Verimoo.txt", out);
    EXPECT_NE(out.str().find(dir / "Verimoo.txt" + c.expected), std::string::npos) << out.str();
    EXPECT_EQ(result.errors == 0, &c == &cases[0]) << out.str();
  }
}

}  // namespace
