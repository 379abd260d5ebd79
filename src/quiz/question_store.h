// The quiz's questions: the two fonts they are drawn with, every record of
// the question file in file order, and the random draw of the next one.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "gfx/bitmap_font.h"
#include "quiz/question_loader.h"
#include "quiz/question_record.h"
#include "quiz/quiz_random.h"

namespace platform { class Qv; class Surface; }

namespace quiz {

class QuestionStore {
 public:
  QuestionStore();
  ~QuestionStore();
  QuestionStore(const QuestionStore&) = delete;
  QuestionStore& operator=(const QuestionStore&) = delete;

  // Loads the statement font and the explanation font, both from path.
  // 1 when both loaded. Every wrap is measured with the statement font;
  // without one no text has a width and each section stays on one line.
  int LoadFonts(platform::Qv& qv, const std::string& path = "font.bmp");
  void FreeFonts();
  const gfx::BitmapFont* StatementFont() const { return statementFont_.get(); }
  const gfx::BitmapFont* ExplanationFont() const { return explanationFont_.get(); }

  // Appends the complete blocks of the question file (Windows-style path)
  // to the records; the caller clears the records of an earlier load first.
  // 1 when the file could be opened, else 0 with the records unchanged.
  int LoadFile(const std::string& path);
  // What the last LoadFile met, block by block.
  const LoadReport& LastLoad() const { return lastLoad_; }

  // Draws a record at random, trying at most as many times as there are
  // records: a used record is passed over, and meeting a blank record ends
  // the draw with none. The record drawn is marked used and made current.
  // None means either that the tries ran out (the caller then resets the
  // used flags and draws again) or, when HasDrawable() is false, that no
  // record can ever be drawn: the draw then gives up at once.
  QuestionRecord* DrawNext(QuizRandom& random);
  // Whether any record could be drawn once the used flags are reset.
  bool HasDrawable() const;
  void ResetUsedFlags();
  QuestionRecord* Current() const { return current_; }

  // Line i of the current record's section at (x, y + i * the font's
  // height), left-aligned without a limit. Nothing without a current record.
  void DrawStatement(platform::Surface* target, const gfx::BitmapFont& font, int x, int y) const;
  void DrawExplanation(platform::Surface* target, const gfx::BitmapFont& font, int x,
                       int y) const;

  // Frees every record.
  void Clear();
  int RecordCount() const { return static_cast<int>(records_.size()); }
  QuestionRecord& Record(int index) { return *records_.at(static_cast<std::size_t>(index)); }
  const QuestionRecord& Record(int index) const {
    return *records_.at(static_cast<std::size_t>(index));
  }

 private:
  TextMeasure Measure() const;

  std::unique_ptr<gfx::BitmapFont> statementFont_;
  std::unique_ptr<gfx::BitmapFont> explanationFont_;
  std::vector<std::unique_ptr<QuestionRecord>> records_;
  QuestionRecord* current_ = nullptr;
  LoadReport lastLoad_;
};

}  // namespace quiz
