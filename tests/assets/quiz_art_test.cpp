// Checks of the quiz's pictures beyond size and transparency: that each one
// agrees with the board it is drawn on, at the place the quiz draws it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "assets/bmp24.h"

namespace {

using assets_test::IsKey;
using assets_test::Luma;
using assets_test::Picture;
using assets_test::ReadBmp24;
namespace fs = std::filesystem;

const std::string kGameDir = std::string(PAV_DIST_DIR) + "/Verimoo";
const std::string kLauncherDir = PAV_DIST_DIR;

// Where the quiz puts things on its 800 x 600 board.
constexpr int kBullX = 164, kBullY = 14, kBullW = 415, kBullH = 251, kBullOpaqueRows = 230;

Picture Load(const std::string& path) {
  std::string why;
  auto pic = ReadBmp24(path, &why);
  if (!pic) {
    ADD_FAILURE() << path << ": " << why;
    return {};
  }
  return *pic;
}

double MeanLuma(const Picture& pic, int x0, int y0, int w, int h) {
  double sum = 0;
  for (int y = y0; y < y0 + h; ++y) {
    for (int x = x0; x < x0 + w; ++x) sum += Luma(pic.At(x, y));
  }
  return sum / (w * h);
}

class QuizArt : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(kGameDir + "/background.bmp") || !fs::exists(kGameDir + "/bullanim.bmp")) {
      GTEST_SKIP() << "the quiz pictures have not been generated";
    }
    board_ = Load(kGameDir + "/background.bmp");
    ASSERT_EQ(board_.width, 800);
    ASSERT_EQ(board_.height, 600);
  }
  Picture board_;
};

// The bull is drawn without any restore, so the backdrop inside its frames
// must be the board itself, and every pose must be a different picture.
TEST_F(QuizArt, BullFramesShowTheBoardBehindTheBullAndSixteenDifferentPoses) {
  const Picture bull = Load(kGameDir + "/bullanim.bmp");
  ASSERT_EQ(bull.width, 4 * kBullW);
  ASSERT_EQ(bull.height, 4 * kBullH);
  std::vector<std::vector<uint32_t>> frames;
  for (int f = 0; f < 16; ++f) {
    const int ox = (f % 4) * kBullW, oy = (f / 4) * kBullH;
    int margin_mismatch = 0, changed = 0;
    std::vector<uint32_t> pixels;
    for (int y = 0; y < kBullOpaqueRows; ++y) {
      for (int x = 0; x < kBullW; ++x) {
        const uint32_t c = bull.At(ox + x, oy + y);
        const uint32_t under = board_.At(kBullX + x, kBullY + y);
        pixels.push_back(c);
        if (c != under) ++changed;
        // The outer 30 columns on each side never hold any part of the bull.
        if ((x < 30 || x >= kBullW - 30) && c != under) ++margin_mismatch;
      }
    }
    EXPECT_EQ(margin_mismatch, 0) << "frame " << f << ": the backdrop does not match the board";
    EXPECT_GT(changed, kBullW * kBullOpaqueRows / 10) << "frame " << f << " shows hardly any bull";
    frames.push_back(std::move(pixels));
  }
  for (int a = 0; a < 16; ++a) {
    for (int b = a + 1; b < 16; ++b) {
      int differing = 0;
      for (size_t i = 0; i < frames[a].size(); ++i) differing += frames[a][i] != frames[b][i];
      EXPECT_GT(differing, 400) << "poses " << a << " and " << b << " are hard to tell apart";
    }
  }
}

// The question font is smoothed against one paper colour; any texture or
// gradient under the text would leave halos around the letters.
TEST_F(QuizArt, QuestionPaperIsOneLightColourUnderTheText) {
  const uint32_t paper = board_.At(195, 289);
  EXPECT_GT(Luma(paper), 230);
  int off = 0;
  for (int y = 258; y < 402; ++y) {
    for (int x = 182; x < 614; ++x) off += board_.At(x, y) != paper;
  }
  EXPECT_EQ(off, 0) << "the paper of the question panel is not flat";
}

// Score digits are light gold; the boxes they are drawn in must be dark.
TEST_F(QuizArt, ScoreBoxesAreDarkBehindTheLightDigits) {
  const Picture digits = Load(kGameDir + "/scorefont.bmp");
  int brightest = 0;
  for (uint32_t c : digits.pixels) {
    if (!IsKey(c)) brightest = std::max(brightest, Luma(c));
  }
  for (int box_x : {10, 650}) {
    const double inside = MeanLuma(board_, box_x + 2, 12, 132, 30);
    EXPECT_LT(inside + 100, brightest) << "the score box at x " << box_x << " is too light for the digits";
  }
}

// Each rung plate covers its well (same outline), so the well never peeks out beside it.
TEST_F(QuizArt, RungTilesCoverTheirWells) {
  for (const char* file : {"allscore.bmp", "allscorehighlight.bmp"}) {
    const Picture tiles = Load(kGameDir + "/" + file);
    ASSERT_EQ(tiles.width, 1360);
    for (int i = 0; i < 10; ++i) {
      int covered = 0;
      for (int y = 0; y < tiles.height; ++y) {
        for (int x = 0; x < 136; ++x) covered += !IsKey(tiles.At(i * 136 + x, y));
      }
      EXPECT_GT(covered, 136 * 40 * 98 / 100) << file << " rung " << i << " leaves its well showing";
    }
  }
}

// The timer picture is cut from the top: row 0 is the rising edge and every
// row below the edge is the same, so the bar looks alike at any height.
TEST_F(QuizArt, TimeBarIsAnEdgeOverAUniformColumn) {
  const Picture bar = Load(kGameDir + "/bulltimer.bmp");
  ASSERT_EQ(bar.width, 136);
  ASSERT_EQ(bar.height, 440);
  auto row = [&](int y) {
    return std::vector<uint32_t>(bar.pixels.begin() + y * bar.width, bar.pixels.begin() + (y + 1) * bar.width);
  };
  const auto last = row(bar.height - 1);
  int first_uniform = bar.height - 1;
  while (first_uniform > 0 && row(first_uniform - 1) == last) --first_uniform;
  EXPECT_LE(first_uniform, 12) << "the column below the edge is not uniform";
  EXPECT_NE(row(0), last) << "the bar has no visible leading edge";
  int opaque = 0;
  for (int x = 0; x < bar.width; ++x) {
    EXPECT_EQ(IsKey(bar.At(x, 0)), IsKey(last[x])) << "the edge and the column differ in width at x " << x;
    opaque += !IsKey(last[x]);
  }
  // The column fills the gauge's glass, where the streak flowers sit on it.
  EXPECT_GT(opaque, 120);
}

// The launcher writes light names with a dark rim on these plates.
TEST_F(QuizArt, TitleNamePlatesAreDarkAndPlain) {
  const Picture title = Load(kGameDir + "/title/titlebackground.bmp");
  const Picture names = Load(kLauncherDir + "/n_font.bmp");
  ASSERT_EQ(title.width, 800);
  int text = 0;
  for (uint32_t c : names.pixels) {
    if (!IsKey(c)) text = std::max(text, Luma(c));
  }
  const int plates[8][2] = {{239, 378}, {408, 378}, {238, 420}, {408, 420},
                            {238, 464}, {408, 464}, {238, 510}, {408, 510}};
  for (const auto& p : plates) {
    // The middle of the plate, where the text goes.
    const double mean = MeanLuma(title, p[0] + 6, p[1] + 8, 138, 18);
    double spread = 0;
    for (int y = p[1] + 8; y < p[1] + 26; ++y) {
      for (int x = p[0] + 6; x < p[0] + 144; ++x) spread = std::max(spread, std::fabs(Luma(title.At(x, y)) - mean));
    }
    EXPECT_LT(mean + 110, text) << "plate at " << p[0] << "," << p[1] << " is too light for the names";
    EXPECT_LT(spread, 40) << "plate at " << p[0] << "," << p[1] << " is too busy for text";
  }
}

TEST_F(QuizArt, NoticesAreOpaqueCards) {
  for (const char* file : {"hallfamepop.bmp", "gameover.bmp"}) {
    const Picture pic = Load(kGameDir + "/" + file);
    int keyed = 0;
    for (uint32_t c : pic.pixels) keyed += IsKey(c);
    EXPECT_EQ(keyed, 0) << file << " has see-through pixels";
  }
}

}  // namespace
