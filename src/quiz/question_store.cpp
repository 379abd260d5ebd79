#include "quiz/question_store.h"

#include <fstream>

#include "platform/paths.h"

namespace quiz {
namespace {

void DrawSection(const QuestionSection& section, platform::Surface* target,
                 const gfx::BitmapFont& font, int x, int y) {
  for (int i = 0; i < section.count; ++i) {
    font.DrawText(target, section.lines[static_cast<std::size_t>(i)].c_str(), x,
                  y + i * font.Height(), 0, -1);
  }
}

}  // namespace

QuestionStore::QuestionStore() = default;

QuestionStore::~QuestionStore() = default;

int QuestionStore::LoadFonts(platform::Qv& qv, const std::string& path) {
  statementFont_ = std::make_unique<gfx::BitmapFont>(qv);
  explanationFont_ = std::make_unique<gfx::BitmapFont>(qv);
  const int statement = statementFont_->Load(path);
  const int explanation = explanationFont_->Load(path);
  return statement && explanation ? 1 : 0;
}

void QuestionStore::FreeFonts() {
  statementFont_.reset();
  explanationFont_.reset();
}

TextMeasure QuestionStore::Measure() const {
  const gfx::BitmapFont* font = statementFont_.get();
  return [font](const char* text) { return font ? font->TextWidth(text) : 0; };
}

int QuestionStore::LoadFile(const std::string& path) {
  std::ifstream in(platform::ResolvePath(path), std::ios::binary);
  if (!in) return 0;
  lastLoad_ = LoadReport{};
  ReadQuestions(in, Measure(), records_, &lastLoad_);
  return 1;
}

bool QuestionStore::HasDrawable() const {
  for (const auto& record : records_) {
    if (record->IsDrawable()) return true;
  }
  return false;
}

QuestionRecord* QuestionStore::DrawNext(QuizRandom& random) {
  if (!HasDrawable()) return nullptr;
  const int count = RecordCount();
  for (int tries = 0; tries < count; ++tries) {
    QuestionRecord& record = *records_[static_cast<std::size_t>(random.Next() % count)];
    if (record.used) continue;
    if (record.IsBlank()) return nullptr;
    record.used = 1;
    if (!record.statement.lines[0].empty()) {
      current_ = &record;
      return current_;
    }
  }
  return nullptr;
}

void QuestionStore::ResetUsedFlags() {
  for (auto& record : records_) record->used = 0;
}

void QuestionStore::DrawStatement(platform::Surface* target, const gfx::BitmapFont& font, int x,
                                  int y) const {
  if (current_) DrawSection(current_->statement, target, font, x, y);
}

void QuestionStore::DrawExplanation(platform::Surface* target, const gfx::BitmapFont& font, int x,
                                    int y) const {
  if (current_) DrawSection(current_->explanation, target, font, x, y);
}

void QuestionStore::Clear() {
  records_.clear();
  current_ = nullptr;
}

}  // namespace quiz
