// Every generated picture as the programs' own loaders meet it: planned
// sizes, frames with one silhouette, fonts, contrasting text areas, and a
// generator that gives the same bytes every time.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "assets/picture.h"
#include "gfx/bitmap_font.h"
#include "support/headless_services.h"
#include "support/scratch_dir.h"

namespace {

namespace fs = std::filesystem;
using assets_test::Load;
using assets_test::Luma;
using assets_test::Picture;

const std::string kDist = PAV_DIST_DIR "/";
const std::string kGame = kDist + "Verimoo/";

enum class Kind { kOpaque, kButtons, kSprite, kDigits, kFont };

struct Planned {
  const char* path;  // inside the laid-out tree
  int width, height, cols, rows;  // width 0: any (fonts)
  Kind kind;
};

// kO opaque, kB buttons (one silhouette), kS sprite, kD digits, kF font.
constexpr Kind kO = Kind::kOpaque, kB = Kind::kButtons, kS = Kind::kSprite, kD = Kind::kDigits, kF = Kind::kFont;
const Planned kPictures[] = {
    {"background.bmp", 800, 600, 1, 1, kO}, {"PageArrowsLeft.bmp", 88, 44, 2, 1, kB},
    {"PageArrowsRight.bmp", 88, 44, 2, 1, kB}, {"Info.bmp", 152, 44, 2, 1, kB},
    {"SmallExit.bmp", 152, 44, 2, 1, kB}, {"GameButton.bmp", 750, 100, 3, 1, kB},
    {"PageNumbers.bmp", 160, 22, 10, 1, kD}, {"CollectButton.bmp", 250, 100, 1, 1, kO},
    {"infoscreen.bmp", 780, 520, 1, 1, kO}, {"backbutton.bmp", 160, 40, 2, 1, kB},
    {"HowToPlayButton.bmp", 320, 60, 2, 1, kB}, {"PlayButton.bmp", 320, 60, 2, 1, kB},
    {"HighScoresButton.bmp", 320, 60, 2, 1, kB}, {"MenuButton.bmp", 320, 60, 2, 1, kB},
    {"CreditsButton.bmp", 320, 60, 2, 1, kB}, {"ExitButton.bmp", 320, 60, 2, 1, kB},
    {"PlayersButton.bmp", 472, 52, 2, 1, kB}, {"sfx.bmp", 100, 50, 2, 1, kB}, {"music.bmp", 100, 50, 2, 1, kB},
    {"n_font.bmp", 0, 20, 1, 1, kF}, {"h_font.bmp", 0, 20, 1, 1, kF}, {"blockcursor.bmp", 10, 20, 1, 1, kS},
    {"PlayerInfo.bmp", 694, 564, 1, 1, kO}, {"EnterButton.bmp", 240, 48, 2, 1, kB},
    {"RemoveButton.bmp", 216, 48, 2, 1, kB}, {"yesno.bmp", 200, 40, 2, 1, kB},
    {"HallOfFameScreen.bmp", 694, 564, 1, 1, kO}, {"UploadButton.bmp", 260, 52, 2, 1, kB},
    {"ClearScores.bmp", 260, 52, 2, 1, kB}, {"HallBlackFont.bmp", 0, 20, 1, 1, kF},
    {"HallPurpleFont.bmp", 0, 20, 1, 1, kF}, {"FocusFrame.bmp", 36, 36, 1, 1, kS},
    {"Verimoo/font.bmp", 0, 22, 1, 1, kF}, {"Verimoo/scorefont.bmp", 150, 22, 10, 1, kD},
    {"Verimoo/PavloraButton.bmp", 250, 100, 1, 1, kO},
    {"Verimoo/title/titlebackground.bmp", 800, 600, 1, 1, kO},
    {"Verimoo/title/Credits.bmp", 694, 564, 1, 1, kO}, {"Verimoo/title/HowToPlay.bmp", 694, 564, 1, 1, kO},
    {"Verimoo/background.bmp", 800, 600, 1, 1, kO}, {"Verimoo/newgame.bmp", 180, 70, 2, 1, kB},
    {"Verimoo/info.bmp", 180, 70, 2, 1, kB}, {"Verimoo/back.bmp", 180, 70, 2, 1, kB},
    {"Verimoo/exit.bmp", 180, 70, 2, 1, kB}, {"Verimoo/truepie.bmp", 240, 110, 2, 1, kB},
    {"Verimoo/passpie.bmp", 240, 110, 2, 1, kB}, {"Verimoo/falsepie.bmp", 240, 110, 2, 1, kB},
    {"Verimoo/true.bmp", 104, 32, 1, 1, kS}, {"Verimoo/false.bmp", 104, 32, 1, 1, kS},
    {"Verimoo/flower.bmp", 40, 40, 1, 1, kS}, {"Verimoo/bullanim.bmp", 1660, 1004, 4, 4, kB},
    {"Verimoo/bulltimer.bmp", 136, 440, 1, 1, kS}, {"Verimoo/allscore.bmp", 1360, 40, 10, 1, kS},
    {"Verimoo/allscorehighlight.bmp", 1360, 40, 10, 1, kS}, {"Verimoo/hallfamepop.bmp", 400, 110, 1, 1, kO},
    {"Verimoo/gameover.bmp", 450, 170, 1, 1, kO},
};

class Pictures : public ::testing::TestWithParam<Planned> {};

TEST_P(Pictures, MeetTheirPlan) {
  const Planned& p = GetParam();
  const Picture pic = Load(kDist + p.path);
  ASSERT_TRUE(pic.s);
  EXPECT_EQ(std::pair(p.width ? pic.width : 0, pic.height), std::pair(p.width, p.height));
  ASSERT_EQ(pic.width % p.cols, 0);
  ASSERT_EQ(pic.height % p.rows, 0);
  const int fw = pic.width / p.cols, fh = pic.height / p.rows;
  std::set<std::vector<bool>> shapes;
  for (int f = 0; f < p.cols * p.rows; ++f) {
    const auto mask = pic.Mask((f % p.cols) * fw, (f / p.cols) * fh, fw, fh);
    EXPECT_NE(std::count(mask.begin(), mask.end(), true), 0) << "frame " << f << " is fully transparent";
    shapes.insert(mask);
  }
  EXPECT_EQ(p.kind == Kind::kOpaque ? pic.CountKey() : 0, 0) << "holes the screen would show through";
  EXPECT_EQ(p.kind == Kind::kDigits ? shapes.size() : 10u, 10u) << "two digits have the same shape";
  if (p.kind == Kind::kButtons) {
    // One silhouette for every state, yet each state looks different.
    EXPECT_EQ(shapes.size(), 1u) << "the frames differ in shape";
    bool differs = p.cols * p.rows == 16;  // the bull's poses are checked on their own
    for (int y = 0; y < fh && !differs; ++y)
      for (int x = 0; x < fw && !differs; ++x) differs = pic.Raw(x, y) != pic.Raw(fw + x, y);
    EXPECT_TRUE(differs) << "frames 0 and 1 look the same";
  }
  // An opaque pixel next to the key that is far bluer than red or green is a
  // smoothing step toward the key: it shows as a blue fringe.
  int fringe = 0;
  for (int y = 1; y + 1 < pic.height; ++y) {
    for (int x = 1; x + 1 < pic.width; ++x) {
      const uint32_t c = pic.At(x, y);
      const int r = int(c >> 16), g = int(c >> 8 & 0xFF), b = int(c & 0xFF);
      const bool edge = pic.Key(x - 1, y) || pic.Key(x + 1, y) || pic.Key(x, y - 1) || pic.Key(x, y + 1);
      fringe += !pic.Key(x, y) && edge && b - std::max(r, g) > 120;
    }
  }
  EXPECT_EQ(fringe, 0) << "edge pixels blended toward blue";
}

INSTANTIATE_TEST_SUITE_P(Assets, Pictures, ::testing::ValuesIn(kPictures), [](const auto& info) {
  std::string n = info.param.path;
  for (char& c : n)
    if (!isalnum(static_cast<unsigned char>(c))) c = '_';
  return n;
});

// Every font through the programs' own loader: 94 glyphs, nothing after
// them (a glyph split by a key column), and a spacing that reads well.
TEST(Fonts, LoadWithAllGlyphsAndEvenSpacing) {
  for (const Planned& p : kPictures) {
    if (p.kind != Kind::kFont) continue;
    SCOPED_TRACE(p.path);
    testing_support::HeadlessServices services;
    gfx::BitmapFont font(services.qv);
    ASSERT_EQ(font.Load(kDist + p.path), 1);
    EXPECT_EQ(font.Height(), p.height);
    const platform::Surface& s = *font.Surface();
    for (int x = font.GlyphAt(93).end; x < s.width(); ++x)
      for (int y = 0; y < s.height(); ++y) ASSERT_EQ(s.pixel16(x, y), assets_test::kKey) << "ink at x " << x;
    EXPECT_TRUE(font.SpaceWidth() >= 5 && font.SpaceWidth() <= 14) << font.SpaceWidth();
    EXPECT_LT(font.CharWidth('.'), font.CharWidth('H'));
    EXPECT_GT(font.TextWidth("Mm"), font.TextWidth("il"));
    std::set<uint16_t> tones;
    for (int x = 0; x < s.width(); ++x)
      for (int y = 0; y < s.height(); ++y) tones.insert(s.pixel16(x, y));
    EXPECT_GE(tones.size(), 3u) << "text without a rim or smoothing";
  }
}

// The brightest (or darkest) glyph pixel of a font.
int FontLuma(const char* path, bool brightest) {
  const Picture f = Load(kDist + path);
  int v = brightest ? 0 : 255;
  for (int y = 0; y < f.height; ++y)
    for (int x = 0; x < f.width; ++x)
      if (!f.Key(x, y)) v = brightest ? std::max(v, Luma(f.At(x, y))) : std::min(v, Luma(f.At(x, y)));
  return v;
}

// Mean and largest deviation of the luma over an area.
std::pair<int, int> AreaLuma(const Picture& p, int x0, int y0, int w, int h) {
  long sum = 0;
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x) sum += Luma(p.At(x, y));
  const int mean = int(sum / (w * h));
  int spread = 0;
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x) spread = std::max(spread, std::abs(Luma(p.At(x, y)) - mean));
  return {mean, spread};
}

// Where the programs draw text straight onto a page, the page must be calm
// and contrast with the font drawn there.
TEST(Art, TextAreasContrastWithTheirFonts) {
  struct Area {
    const char* page;
    const char* font;
    bool lightText;
    int x, y, w, h, maxSpread;
  };
  std::vector<Area> areas = {
      {"Verimoo/background.bmp", "Verimoo/scorefont.bmp", true, 12, 12, 132, 30, 255},
      {"Verimoo/background.bmp", "Verimoo/scorefont.bmp", true, 652, 12, 132, 30, 255},
      {"Verimoo/background.bmp", "Verimoo/font.bmp", false, 182, 258, 432, 144, 0},
  };
  for (int y : {270, 336, 404}) areas.push_back({"PlayerInfo.bmp", "h_font.bmp", true, 52, y + 2, 576, 20, 255});
  for (int r = 0; r < 10; ++r)
    for (int x : {56, 387})
      for (const char* font : {"HallBlackFont.bmp", "HallPurpleFont.bmp"})
        areas.push_back({"HallOfFameScreen.bmp", font, false, x, 275 + 26 * r, 180, 20, 8});
  for (int y : {378, 420, 464, 510})
    for (int x : {238, 408}) areas.push_back({"Verimoo/title/titlebackground.bmp", "n_font.bmp", true, x + 6, y + 8, 138, 18, 40});
  for (const Area& a : areas) {
    SCOPED_TRACE(std::string(a.page) + " at " + std::to_string(a.x) + "," + std::to_string(a.y));
    const Picture page = Load(kDist + a.page);
    ASSERT_TRUE(page.s);
    const auto [mean, spread] = AreaLuma(page, a.x, a.y, a.w, a.h);
    const int text = FontLuma(a.font, a.lightText);
    EXPECT_GT(a.lightText ? text - mean : mean - text, 100);
    EXPECT_LE(spread, a.maxSpread);
  }
}

TEST(Art, SlotFrameHasAClearWindowAndAChangingBorder) {
  const Picture pic = Load(kDist + "GameButton.bmp");
  ASSERT_TRUE(pic.s);
  const int fw = pic.width / 3;
  for (int f = 0; f < 3; ++f) {
    EXPECT_EQ(pic.Mask(f * fw + 14, 14, fw - 28, pic.height - 28), std::vector<bool>(size_t(fw - 28) * 72, false))
        << "frame " << f << " covers the game picture";
    for (auto [x, y] : {std::pair{fw / 2, 2}, {fw / 2, pic.height - 3}, {2, pic.height / 2}, {fw - 3, pic.height / 2}})
      EXPECT_FALSE(pic.Key(f * fw + x, y)) << "frame " << f << " border gap at " << x << "," << y;
  }
  EXPECT_NE(pic.Raw(fw / 2, 3), pic.Raw(fw + fw / 2, 3)) << "hover border looks like the normal one";
  EXPECT_NE(pic.Raw(fw / 2, 3), pic.Raw(2 * fw + fw / 2, 3)) << "pressed border looks like the normal one";
  EXPECT_EQ(Load(kDist + "yesno.bmp").CountKey(), 0);
}

// The bull is drawn without a restore: each pose is opaque above row 230,
// clear below it, shows the board itself at its sides, and differs from
// every other pose.
TEST(Art, BullPosesSitOnTheBoard) {
  constexpr int kX = 164, kY = 14, kW = 415, kH = 251, kOpaqueRows = 230;
  const Picture bull = Load(kGame + "bullanim.bmp"), board = Load(kGame + "background.bmp");
  ASSERT_TRUE(bull.s && board.s);
  std::vector<std::vector<uint16_t>> poses;
  for (int f = 0; f < 16; ++f) {
    const int ox = (f % 4) * kW, oy = (f / 4) * kH;
    int holes = 0, spill = 0, margin = 0, changed = 0;
    poses.emplace_back();
    for (int y = 0; y < kH; ++y) {
      for (int x = 0; x < kW; ++x) {
        const bool key = bull.Key(ox + x, oy + y);
        if (y >= kOpaqueRows) {
          spill += !key;
          continue;
        }
        holes += key;
        const bool same = bull.Raw(ox + x, oy + y) == board.Raw(kX + x, kY + y);
        changed += !same;
        margin += (x < 30 || x >= kW - 30) && !same;
        poses.back().push_back(bull.Raw(ox + x, oy + y));
      }
    }
    EXPECT_EQ(holes + spill + margin, 0) << "pose " << f << ": holes, spill below the bull, or a wrong backdrop";
    EXPECT_GT(changed, kW * kOpaqueRows / 10) << "pose " << f << " shows hardly any bull";
  }
  for (int a = 0; a < 16; ++a)
    for (int b = a + 1; b < 16; ++b) {
      int differing = 0;
      for (size_t i = 0; i < poses[a].size(); ++i) differing += poses[a][i] != poses[b][i];
      EXPECT_GT(differing, 400) << "poses " << a << " and " << b << " are hard to tell apart";
    }
}

// A lit rung keeps its plain rung's shape and covers its well; the time bar
// is an edge over a uniform column, so it looks alike at any height.
TEST(Art, RungsAndTimeBarKeepTheirShape) {
  const Picture plain = Load(kGame + "allscore.bmp"), lit = Load(kGame + "allscorehighlight.bmp");
  ASSERT_TRUE(plain.s && lit.s);
  bool looksLit = false;
  for (int i = 0; i < 10; ++i) {
    const auto mask = plain.Mask(i * 136, 0, 136, 40);
    EXPECT_EQ(mask, lit.Mask(i * 136, 0, 136, 40)) << "rung " << i << " changes shape when lit";
    EXPECT_GT(std::count(mask.begin(), mask.end(), true), 136 * 40 * 98 / 100) << "rung " << i << " leaves its well showing";
    for (int x = 0; x < 136 && !looksLit; ++x) looksLit = plain.Raw(i * 136 + x, 20) != lit.Raw(i * 136 + x, 20);
  }
  EXPECT_TRUE(looksLit) << "the lit rungs look like the plain ones";
  const Picture bar = Load(kGame + "bulltimer.bmp");
  ASSERT_TRUE(bar.s);
  auto row = [&](int y) {
    std::vector<uint16_t> r;
    for (int x = 0; x < bar.width; ++x) r.push_back(bar.Raw(x, y));
    return r;
  };
  int firstUniform = bar.height - 1;
  while (firstUniform > 0 && row(firstUniform - 1) == row(bar.height - 1)) --firstUniform;
  EXPECT_LE(firstUniform, 12) << "the column below the edge is not uniform";
  EXPECT_NE(row(0), row(bar.height - 1)) << "the bar has no visible leading edge";
  EXPECT_EQ(bar.Mask(0, 0, bar.width, 1), bar.Mask(0, bar.height - 1, bar.width, 1)) << "edge and column differ in width";
  const auto column = bar.Mask(0, bar.height - 1, bar.width, 1);
  EXPECT_GT(std::count(column.begin(), column.end(), true), 120);
}

#ifdef PAV_GEN_LAUNCHER_ART
// The generators, run again into a scratch tree, quickly give the bytes the
// build laid out.
TEST(PictureGenerator, SameSourceGivesSameBytesQuickly) {
  const test_support::ScratchDir base;
  const fs::path root = base.path(), game = root / "Verimoo";
  fs::create_directories(game / "title");
  std::string command = "\"" PAV_GEN_LAUNCHER_ART "\" \"" + root.string() + "\" \"" + game.string() + "\"";
#ifdef PAV_GEN_QUIZ_ART
  command += " && \"" PAV_GEN_QUIZ_ART "\" \"" + game.string() + "\"";
#endif
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10)) << "drawing took too long";
  int files = 0;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    const std::string name = fs::relative(e.path(), root).string();
    files += e.is_regular_file();
    EXPECT_TRUE(e.is_directory() || base.read(name) == base.ReadFile(kDist + name)) << name << " differs";
  }
  EXPECT_GT(files, 30);
}
#endif

}  // namespace
