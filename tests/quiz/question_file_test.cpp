// The shipped question file as the quiz itself reads it: every block must
// become a record the draw can show, whose texts fit the question area when
// measured with the real statement font.
#include <gtest/gtest.h>

#include <string>

#include "quiz/question_store.h"
#include "support/headless_services.h"

namespace {

constexpr const char* kQuestions = PAV_DIST_DIR "/Verimoo/Verimoo.txt";
constexpr const char* kFont = PAV_DIST_DIR "/Verimoo/font.bmp";

TEST(ShippedQuestionFile, EveryBlockLoadsAsAShowableQuestion) {
  testing_support::HeadlessServices services;
  quiz::QuestionStore store;
  ASSERT_EQ(store.LoadFonts(services.qv, kFont), 1) << "font.bmp does not hold the 94 glyphs";
  ASSERT_EQ(store.LoadFile(kQuestions), 1);

  const quiz::LoadReport& report = store.LastLoad();
  EXPECT_FALSE(report.unfinishedBlock) << "the last block is not followed by an empty line";
  ASSERT_EQ(static_cast<int>(report.blocks.size()), store.RecordCount());
  EXPECT_GE(store.RecordCount(), 150);

  int trueCount = 0;
  for (int i = 0; i < store.RecordCount(); ++i) {
    const quiz::QuestionRecord& record = store.Record(i);
    const quiz::BlockReport& block = report.blocks[static_cast<std::size_t>(i)];
    const std::string where = "block at line " + std::to_string(block.firstLine) + ": " +
                              record.statement.lines[0];
    EXPECT_FALSE(record.IsBlank()) << where << " is blank and would never be shown";
    EXPECT_EQ(block.answerLines, 1) << where << " (a text line read as an answer line?)";
    EXPECT_LE(block.statementFileLines, 3) << where << ": lines after the third are not shown";
    EXPECT_LE(block.explanationFileLines, 3) << where << ": lines after the third are not shown";
    EXPECT_LE(block.statementLinesNeeded, quiz::QuestionSection::kMaxLines)
        << where << ": the statement wraps to " << block.statementLinesNeeded << " lines";
    EXPECT_LE(block.explanationLinesNeeded, quiz::QuestionSection::kMaxLines)
        << where << ": the explanation wraps to " << block.explanationLinesNeeded << " lines";
    trueCount += record.answer;
  }
  // Neither answer may be a safe guess.
  EXPECT_GT(trueCount * 3, store.RecordCount());
  EXPECT_LT(trueCount * 3, store.RecordCount() * 2);
}

}  // namespace
