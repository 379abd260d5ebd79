// Checks the shipped question file as the quiz will meet it: the exact bytes,
// the block layout, and the limits that keep every question drawable.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* kQuestionFile = PAV_DIST_DIR "/Verimoo/Verimoo.txt";

// Each section must wrap into at most five display lines; kept to one file
// line of this many characters it needs about four.
constexpr std::size_t kMaxSectionChars = 150;
// A word this long could not be wrapped onto its own display line.
constexpr std::size_t kMaxWordChars = 35;
constexpr std::size_t kMinBlocks = 150;

struct Block {
    std::size_t firstLine = 0;  // 1-based line number of the statement
    std::string statement;
    std::string answer;
    std::string explanation;
};

std::string readBytes(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return {};
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Splits on CR LF only; a lone CR or LF stays inside a line and is caught by
// the byte checks.
std::vector<std::string> splitCrLf(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t pos = bytes.find("\r\n"); pos != std::string_view::npos;
         pos = bytes.find("\r\n", start)) {
        lines.emplace_back(bytes.substr(start, pos - start));
        start = pos + 2;
    }
    if (start < bytes.size()) {
        lines.emplace_back(bytes.substr(start));
    }
    return lines;
}

std::string upper(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return out;
}

// The quiz takes any line that starts with these letters, in any case, as an
// answer line.
bool readAsAnswer(std::string_view line) {
    const std::string up = upper(line);
    return up.rfind("FALSE", 0) == 0 || up.rfind("TRUE", 0) == 0;
}

// Groups lines four at a time; the layout test reports anything that does
// not fit, so this only needs to avoid reading past the end.
std::vector<Block> parseBlocks(const std::vector<std::string>& lines) {
    std::vector<Block> blocks;
    for (std::size_t i = 0; i + 3 < lines.size(); i += 4) {
        blocks.push_back({i + 1, lines[i], lines[i + 1], lines[i + 2]});
    }
    return blocks;
}

// Letters and digits only, lower-cased, so that two statements differing in
// case or punctuation still count as the same question.
std::string normalised(std::string_view text) {
    std::string out;
    for (unsigned char c : text) {
        if (std::isalnum(c)) {
            out.push_back(static_cast<char>(std::tolower(c)));
        }
    }
    return out;
}

std::size_t longestWord(std::string_view text) {
    std::size_t longest = 0;
    std::size_t run = 0;
    for (char c : text) {
        run = (c == ' ') ? 0 : run + 1;
        longest = std::max(longest, run);
    }
    return longest;
}

class QuestionFile : public ::testing::Test {
protected:
    void SetUp() override {
        bytes_ = readBytes(kQuestionFile);
        ASSERT_FALSE(bytes_.empty()) << "question file missing or empty: " << kQuestionFile;
        lines_ = splitCrLf(bytes_);
        blocks_ = parseBlocks(lines_);
    }

    std::string bytes_;
    std::vector<std::string> lines_;
    std::vector<Block> blocks_;
};

TEST_F(QuestionFile, BytesArePrintableAsciiWithCrLfLineEnds) {
    std::size_t badBytes = 0;
    std::size_t badEnds = 0;
    for (std::size_t i = 0; i < bytes_.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes_[i]);
        if (c == '\r') {
            if (i + 1 >= bytes_.size() || bytes_[i + 1] != '\n') {
                ++badEnds;
                ADD_FAILURE() << "lone CR at byte " << i;
            }
        } else if (c == '\n') {
            if (i == 0 || bytes_[i - 1] != '\r') {
                ++badEnds;
                ADD_FAILURE() << "lone LF at byte " << i;
            }
        } else if (c < 32 || c > 126) {
            ++badBytes;
            ADD_FAILURE() << "byte " << static_cast<int>(c) << " at offset " << i;
        }
        if (badBytes + badEnds > 20) {
            FAIL() << "too many bad bytes, stopping";
        }
    }
    ASSERT_GE(bytes_.size(), 4U);
    EXPECT_EQ(bytes_.substr(bytes_.size() - 4), "\r\n\r\n")
        << "the last block must be followed by an empty line";
}

TEST_F(QuestionFile, EveryBlockIsStatementAnswerExplanationBlank) {
    ASSERT_EQ(lines_.size() % 4, 0U) << "the file does not divide into four-line blocks";
    for (std::size_t i = 0; i < lines_.size(); i += 4) {
        const std::size_t n = i + 1;
        EXPECT_FALSE(lines_[i].empty()) << "line " << n << ": missing statement";
        EXPECT_TRUE(lines_[i + 1] == "TRUE" || lines_[i + 1] == "FALSE")
            << "line " << n + 1 << ": answer line is \"" << lines_[i + 1] << "\"";
        EXPECT_FALSE(lines_[i + 2].empty()) << "line " << n + 2 << ": missing explanation";
        EXPECT_TRUE(lines_[i + 3].empty()) << "line " << n + 3 << ": block not closed by an empty line";
    }
}

TEST_F(QuestionFile, HasEnoughQuestionsBalancedBetweenTrueAndFalse) {
    ASSERT_GE(blocks_.size(), kMinBlocks);
    const auto trueCount = static_cast<std::size_t>(std::count_if(
        blocks_.begin(), blocks_.end(), [](const Block& b) { return b.answer == "TRUE"; }));
    const double share = static_cast<double>(trueCount) / static_cast<double>(blocks_.size());
    EXPECT_GE(share, 0.40) << trueCount << " of " << blocks_.size() << " are true";
    EXPECT_LE(share, 0.60) << trueCount << " of " << blocks_.size() << " are true";
}

TEST_F(QuestionFile, TextLinesAreNeverTakenForAnswersOrBlanks) {
    ASSERT_FALSE(blocks_.empty());
    for (const Block& b : blocks_) {
        for (const auto& [offset, text] : {std::pair{0U, &b.statement}, std::pair{2U, &b.explanation}}) {
            const std::size_t n = b.firstLine + offset;
            EXPECT_FALSE(readAsAnswer(*text)) << "line " << n << " reads as an answer: " << *text;
            ASSERT_FALSE(text->empty()) << "line " << n << " is empty";
            EXPECT_NE(text->front(), ' ') << "line " << n << " starts with a space";
            EXPECT_NE(text->back(), ' ') << "line " << n << " ends with a space";
        }
    }
}

TEST_F(QuestionFile, SectionsFitTheDisplayBudget) {
    ASSERT_FALSE(blocks_.empty());
    for (const Block& b : blocks_) {
        for (const auto& [offset, text] : {std::pair{0U, &b.statement}, std::pair{2U, &b.explanation}}) {
            const std::size_t n = b.firstLine + offset;
            EXPECT_LE(text->size(), kMaxSectionChars) << "line " << n << " is too long: " << *text;
            EXPECT_LE(longestWord(*text), kMaxWordChars) << "line " << n << " has a word too long to wrap";
        }
    }
}

TEST_F(QuestionFile, StatementsAreNotRepeated) {
    std::set<std::string> seen;
    for (const Block& b : blocks_) {
        EXPECT_TRUE(seen.insert(normalised(b.statement)).second)
            << "line " << b.firstLine << " repeats an earlier statement: " << b.statement;
    }
}

}  // namespace
