#include "quiz/question_store.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/surface.h"
#include "quiz/question_loader.h"
#include "quiz/quiz_random.h"
#include "support/headless_services.h"
#include "support/scratch_dir.h"

namespace {

using quiz::LoadReport;
using quiz::QuestionRecord;
using quiz::QuestionSection;
using quiz::QuestionStore;
using quiz::QuizRandom;
using quiz::ReadQuestions;
using quiz::TextMeasure;
using quiz::WrapSection;

using Records = std::vector<std::unique_ptr<QuestionRecord>>;

constexpr const char* kFontPath = PAV_DIST_DIR "/Verimoo/font.bmp";

// Ten pixels a character: wide enough to wrap, simple to reason about.
int TenEach(const char* text) { return 10 * static_cast<int>(std::strlen(text)); }
// Two pixels a character: about two hundred characters a line.
int TwoEach(const char* text) { return 2 * static_cast<int>(std::strlen(text)); }
// Nothing has a width: no line ever breaks.
int Flat(const char*) { return 0; }
// 'a' is 10 pixels, 'b' 1, a space 5, anything else 10: any width is reachable.
int Tuned(const char* text) {
  int w = 0;
  for (const char* p = text; *p; ++p) w += *p == 'b' ? 1 : *p == ' ' ? 5 : 10;
  return w;
}

Records Parse(const std::string& text, const TextMeasure& measure = TenEach,
              LoadReport* report = nullptr) {
  std::istringstream in(text);
  Records records;
  ReadQuestions(in, measure, records, report);
  return records;
}

std::vector<std::string> Lines(const QuestionSection& s) {
  return {s.lines.begin(), s.lines.begin() + s.count};
}

QuestionSection Section(std::vector<std::string> lines) {
  QuestionSection s;
  for (const std::string& line : lines) s.lines[static_cast<std::size_t>(s.count++)] = line;
  return s;
}

std::string Block(const std::string& statement, const std::string& answer,
                  const std::string& explanation) {
  return statement + "\r\n" + answer + "\r\n" + explanation + "\r\n\r\n";
}

// --- reading blocks ---------------------------------------------------------

TEST(QuestionFile, ReadsBlocksInFileOrder) {
  LoadReport report;
  const Records r = Parse(Block("Cows moo.", "TRUE", "They do.") +
                              "Hens swim.\r\nMostly on ponds.\r\nFALSE\r\nThey wade.\r\n\r\n",
                          TenEach, &report);
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0]->answer, 1);
  EXPECT_EQ(Lines(r[0]->statement), std::vector<std::string>{"Cows moo.  "});
  EXPECT_EQ(Lines(r[0]->explanation), std::vector<std::string>{"They do.  "});
  EXPECT_EQ(r[1]->answer, 0);
  EXPECT_EQ(Lines(r[1]->statement), std::vector<std::string>{"Hens swim. Mostly on ponds.  "});
  EXPECT_EQ(r[0]->used, 0);
  ASSERT_EQ(report.blocks.size(), 2u);
  EXPECT_EQ(report.blocks[1].firstLine, 5);
  EXPECT_EQ(report.blocks[1].statementFileLines, 2);
  EXPECT_EQ(report.blocks[1].answerLines, 1);
  EXPECT_FALSE(report.unfinishedBlock);
}

TEST(QuestionFile, AnswerLinesInAnyCase) {
  const struct {
    const char* line;
    int answer;
  } cases[] = {
      {"TRUE", 1},      {"true", 1},  {"True, mostly", 1}, {"tRuE!", 1},
      {"FALSE", 0},     {"FALSE.", 0}, {"false", 0},       {"Falsetto", 0},
      {"truenorth", 1},
  };
  for (const auto& c : cases) {
    // The opposite answer first, so that only this line can set the result.
    const std::string first = c.answer ? "FALSE" : "TRUE";
    LoadReport report;
    const Records r = Parse("Statement\r\n" + first + "\r\n" + c.line + "\r\n\r\n", TenEach, &report);
    ASSERT_EQ(r.size(), 1u) << c.line;
    EXPECT_EQ(r[0]->answer, c.answer) << c.line;
    EXPECT_EQ(report.blocks[0].answerLines, 2) << c.line;
  }
  // Too short to be an answer: it is text, and the block keeps answer 0.
  const Records r = Parse("Statement\r\nTru\r\nFals\r\n\r\n");
  EXPECT_EQ(r[0]->answer, 0);
  EXPECT_EQ(Lines(r[0]->statement), std::vector<std::string>{"Statement Tru Fals  "});
}

TEST(QuestionFile, SecondAnswerLineOverridesAndEndsTheExplanation) {
  LoadReport report;
  const Records r = Parse("Falsetto is a high voice.\r\nTRUE\r\nSingers use it.\r\n\r\n" +
                              Block("Milk is white.", "TRUE", "Mostly. FALSE teeth are not milk.") +
                              "Q\r\nTRUE\r\nkept\r\nFalse alarm\r\ndropped\r\n\r\n",
                          TenEach, &report);
  ASSERT_EQ(r.size(), 3u);
  // The statement line was taken as the answer: nothing is left to show.
  EXPECT_EQ(r[0]->answer, 1);
  EXPECT_EQ(r[0]->statement.count, 1);
  EXPECT_TRUE(r[0]->IsBlank());
  EXPECT_EQ(report.blocks[0].answerLines, 2);
  // "FALSE" later in a line is only text.
  EXPECT_EQ(report.blocks[1].answerLines, 1);
  EXPECT_EQ(r[2]->answer, 0);
  EXPECT_EQ(Lines(r[2]->explanation), std::vector<std::string>{"kept  "});
}

TEST(QuestionFile, BlockCutOffByTheEndOfTheFileIsDropped) {
  const std::string two = Block("One", "TRUE", "First") + "Two\r\nFALSE\r\nSecond\r\n";
  LoadReport report;
  Records r = Parse(two, TenEach, &report);
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0]->statement.lines[0], "One  ");
  EXPECT_TRUE(report.unfinishedBlock);

  report = LoadReport{};
  r = Parse(two + "\r\n", TenEach, &report);
  EXPECT_EQ(r.size(), 2u);
  EXPECT_FALSE(report.unfinishedBlock);

  EXPECT_TRUE(Parse("").empty());
  EXPECT_TRUE(Parse("Lonely statement without an end").empty());
}

TEST(QuestionFile, BlankRecords) {
  const Records r = Parse(Block("Good", "TRUE", "Fine") + "\r\n" +   // an empty block
                          "No explanation\r\nFALSE\r\n\r\n" +
                          Block(" Led by a space", "TRUE", "Fine") +
                          Block("Fine", "TRUE", "   ") +
                          // a space-led first line that wraps to two lines is shown
                          Block(" " + std::string(30, 'w') + " " + std::string(30, 'v'), "TRUE",
                                "Fine") +
                          "No answer line\r\nstill statement\r\n\r\n");
  ASSERT_EQ(r.size(), 7u);
  const bool blank[] = {false, true, true, true, true, false, true};
  for (std::size_t i = 0; i < r.size(); ++i) {
    EXPECT_EQ(r[i]->IsBlank(), blank[i]) << "record " << i;
    EXPECT_EQ(r[i]->IsDrawable(), !blank[i]) << "record " << i;
  }
  EXPECT_EQ(Lines(r[1]->statement), std::vector<std::string>{"  "});
  EXPECT_EQ(r[5]->statement.count, 2);
  EXPECT_EQ(r[6]->answer, 0);
  EXPECT_EQ(Lines(r[6]->statement), std::vector<std::string>{"No answer line still statement  "});
}

// Only three file lines of a statement are shown; a line feed alone ends a
// line; a NUL byte ends the text of its line.
TEST(QuestionFile, LinesAsTheFileGivesThem) {
  const struct {
    std::string text;
    std::vector<std::string> statement, explanation;
    int answer, fileLines;
  } cases[] = {
      {"l1\r\nl2\r\nl3\r\nl4\r\nl5\r\nl6\r\nTRUE\r\ne\r\n\r\n", {"l1 l2 l3  "}, {"e  "}, 1, 6},
      {"A cow\nTRUE\nx\n\n", {"A cow  "}, {"x  "}, 1, 1},
      {"B\r\nFALSE\r\ny\n\n", {"B  "}, {"y  "}, 0, 1},
      {std::string("Cows\0hidden\r\nTR\0UE\r\nTRUE\r\nx\r\n\r\n", 31), {"Cows TR  "}, {"x  "}, 1, 2},
  };
  for (const auto& c : cases) {
    LoadReport report;
    const Records r = Parse(c.text, TenEach, &report);
    ASSERT_EQ(r.size(), 1u) << c.text;
    EXPECT_EQ(Lines(r[0]->statement), c.statement);
    EXPECT_EQ(Lines(r[0]->explanation), c.explanation);
    EXPECT_EQ(r[0]->answer, c.answer);
    EXPECT_EQ(report.blocks[0].statementFileLines, c.fileLines);
  }
}

TEST(QuestionFile, LongLinesArriveInPiecesWithoutLosingText) {
  std::string words;
  while (words.size() < 300) words += "moo" + std::to_string(words.size()) + " ";
  words.pop_back();
  LoadReport report;
  const Records r = Parse(Block(words, "TRUE", "e"), TwoEach, &report);
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(report.blocks[0].statementFileLines, 2);
  std::string shown;
  for (const std::string& line : Lines(r[0]->statement)) shown += line;
  std::erase(shown, ' ');
  std::erase(words, ' ');
  EXPECT_EQ(shown, words);
}

TEST(QuestionFile, LineEndAfterAFullPieceDoesNotEndTheBlock) {
  for (const std::string& tail : {std::string("\r\n"), std::string("\n")}) {
    for (std::size_t length : {253u, 254u, 255u}) {
      const std::string statement(length, 's');
      const Records r = Parse(statement + tail + "TRUE" + tail + "e" + tail + tail, Flat);
      ASSERT_EQ(r.size(), 1u) << length;
      EXPECT_EQ(r[0]->answer, 1) << length;
      EXPECT_EQ(r[0]->statement.lines[0].substr(0, length), statement) << length;
      EXPECT_EQ(Lines(r[0]->explanation), std::vector<std::string>{"e  "}) << length;
    }
  }
}

// --- wrapping -----------------------------------------------------------------

TEST(QuestionWrap, LinesAsTheyAreShown) {
  const std::string x(20, 'a');                              // 200 px
  const std::string y421 = std::string(21, 'a') + "bbbbbb";  // "x y" = 200 + 5 + 216 = 421
  const std::string y420 = std::string(21, 'a') + "bbbbb";   // 420
  const std::string wide(50, 'x');                           // 500 px: wider than any line
  const std::string w(40, 'a');                              // 400 px: one word per line
  const struct {
    std::vector<std::string> file;
    TextMeasure measure;
    int needed;
    std::vector<std::string> shown;
  } cases[] = {
      // Breaks at the first space where the line reaches 421 pixels.
      {{x + " " + y421 + " cc"}, Tuned, 2, {x + " ", y421 + " cc  "}},
      {{x + " " + y420 + " cc"}, Tuned, 2, {x + " " + y420 + " ", "cc  "}},
      // Joins three lines, trimming the first two.
      {{"one  ", "two   ", "three  ", "four"}, Flat, 1, {"one two three    "}},
      {{}, TenEach, 1, {"  "}},
      // A word too wide stays alone; the second closing space starts a line.
      {{"ab " + wide + " cd " + wide}, TenEach, 5, {"ab ", wide + " ", "cd ", wide + " ", " "}},
      {{wide}, TenEach, 2, {wide + " ", " "}},
      // Five lines are kept of what was needed.
      {{w + " " + w + " " + w, w + " " + w + " " + w, w}, TenEach, 7, std::vector<std::string>(5, w + " ")},
      // Lines never exceed their field.
      {{std::string(250, 'a'), std::string(250, 'b'), std::string(250, 'c')}, Flat, 1,
       {std::string(250, 'a') + " bbbb"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file.empty() ? "" : c.file[0]);
    QuestionSection s = Section(c.file);
    EXPECT_EQ(WrapSection(s, c.measure), c.needed);
    EXPECT_EQ(Lines(s), c.shown);
  }
  LoadReport report;
  Parse(Block(w + " " + w + " " + w + " " + w + " " + w + " " + w, "TRUE", "e"), TenEach, &report);
  EXPECT_EQ(report.blocks[0].statementLinesNeeded, 6);
  EXPECT_EQ(report.blocks[0].explanationLinesNeeded, 1);
}

// --- the store ------------------------------------------------------------------

class StoreTest : public ::testing::Test {
 protected:
  // Loads the given blocks through the store (no fonts: one line each).
  void Load(const std::string& text) {
    const test_support::ScratchDir dir;
    ASSERT_EQ(store.LoadFile(dir.write("Verimoo.txt", text)), 1);
  }
  std::string Blocks(int drawable, int blank) {
    std::string text;
    for (int i = 0; i < drawable; ++i) text += Block("Q" + std::to_string(i), "TRUE", "E");
    for (int i = 0; i < blank; ++i) text += "Blank" + std::to_string(i) + "\r\nTRUE\r\n\r\n";
    return text;
  }
  int IndexOf(const QuestionRecord* r) const {
    for (int i = 0; i < store.RecordCount(); ++i)
      if (&store.Record(i) == r) return i;
    return -1;
  }

  testing_support::HeadlessServices services;
  QuestionStore store;
};

// Each draw takes the generator's value modulo the count.
TEST_F(StoreTest, DrawsByTheGeneratorNoRecordTwiceBetweenResetsAndAllWithinAFewCycles) {
  constexpr int kCount = 12;
  Load(Blocks(kCount, 0));
  QuizRandom random(1);  // 41, 18467, 6334, ...
  std::vector<int> order;
  for (int cycle = 0; cycle < 6; ++cycle) {
    std::set<int> drawn;
    while (QuestionRecord* r = order.size() < 100 ? store.DrawNext(random) : nullptr) {
      order.push_back(IndexOf(r));
      EXPECT_EQ(store.Current(), r);
      EXPECT_EQ(r->used, 1);
      EXPECT_TRUE(drawn.insert(IndexOf(r)).second) << "drawn twice in cycle " << cycle;
    }
    EXPECT_FALSE(drawn.empty());
    store.ResetUsedFlags();
    for (int i = 0; i < kCount; ++i) EXPECT_EQ(store.Record(i).used, 0);
  }
  ASSERT_GE(order.size(), 3u);
  EXPECT_EQ(std::vector<int>(order.begin(), order.begin() + 3), (std::vector<int>{5, 11, 10}));
  EXPECT_EQ(std::set<int>(order.begin(), order.end()).size(), static_cast<std::size_t>(kCount));
}

// A failed draw keeps the current record; a missing file leaves the records.
TEST_F(StoreTest, BlankRecordsAreNeverDrawnAndEndTheDraw) {
  Load(Blocks(6, 0));
  EXPECT_EQ(store.LoadFile("/no/such/Verimoo.txt"), 0);
  Load(Blocks(0, 3));  // appends
  ASSERT_EQ(store.RecordCount(), 9);
  QuizRandom random(7);
  std::set<int> everDrawn;
  int failures = 0;
  const QuestionRecord* last = nullptr;
  for (int i = 0; i < 500; ++i) {
    QuestionRecord* r = store.DrawNext(random);
    if (!r) {
      ++failures;
      EXPECT_EQ(store.Current(), last);
      store.ResetUsedFlags();
      continue;
    }
    last = r;
    ASSERT_FALSE(r->IsBlank());
    everDrawn.insert(IndexOf(r));
  }
  EXPECT_EQ(everDrawn, (std::set<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_GT(failures, 0);
  for (int i = 6; i < 9; ++i) EXPECT_EQ(store.Record(i).used, 0);
  store.Clear();
  EXPECT_EQ(store.RecordCount(), 0);
  EXPECT_EQ(store.Current(), nullptr);
}

// --- with the real statement font ---------------------------------------------------

TEST_F(StoreTest, DrawsEachLineOfTheCurrentRecordOneFontHeightApartWithTheRealFont) {
  ASSERT_EQ(store.LoadFonts(services.qv, kFontPath), 1);
  const gfx::BitmapFont* font = store.StatementFont();
  std::string words = "Moo";  // wider than one line, narrower than two
  while (font->TextWidth(words.c_str()) < 600) words += " moo";
  Load(Block(words, "FALSE", "Short"));
  constexpr uint16_t kPaper = 0xF81F;  // a colour no glyph uses
  platform::Surface target(800, 600);
  target.fill(kPaper);
  store.DrawStatement(&target, *font, 195, 289);  // no current record: nothing
  auto inked = [&](int top, int bottom) {
    for (int y = top; y < bottom; ++y)
      for (int x = 195; x < 700; ++x)
        if (target.pixel16(x, y) != kPaper) return true;
    return false;
  };
  EXPECT_FALSE(inked(0, 600));

  QuizRandom random(1);
  ASSERT_NE(store.DrawNext(random), nullptr);
  ASSERT_EQ(store.Current()->statement.count, 2);
  const int h = font->Height();
  store.DrawStatement(&target, *font, 195, 289);
  EXPECT_TRUE(inked(289, 289 + h));
  EXPECT_TRUE(inked(289 + h, 289 + 2 * h));
  EXPECT_FALSE(inked(289 + 2 * h, 600));
  EXPECT_FALSE(inked(0, 289));

  target.fill(kPaper);
  store.DrawExplanation(&target, *store.ExplanationFont(), 195, 289);
  EXPECT_TRUE(inked(289, 289 + h));
  EXPECT_FALSE(inked(289 + h, 600));
}

}  // namespace
