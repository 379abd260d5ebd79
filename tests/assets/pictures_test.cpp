// Checks every generated picture as the programs will meet it: 24-bit BMPs of
// the planned sizes, keyed by pure blue, strips that divide into frames with
// one shared silhouette, backgrounds without holes, fonts that measure to 94
// glyphs, and a generator that gives the same bytes every time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "assets/bmp24.h"

namespace {

namespace fs = std::filesystem;
using assets_test::Picture;
using assets_test::ReadBmp24;
using assets_test::IsKey;
using assets_test::Luma;

const std::string kLauncherDir = PAV_DIST_DIR;
const std::string kGameDir = std::string(PAV_DIST_DIR) + "/Verimoo";

// ----------------------------------------------------------------- masks

std::vector<bool> FrameMask(const Picture& pic, int fx, int fy, int fw, int fh) {
  std::vector<bool> mask(static_cast<size_t>(fw) * fh);
  for (int y = 0; y < fh; ++y) {
    for (int x = 0; x < fw; ++x) mask[static_cast<size_t>(y) * fw + x] = !IsKey(pic.At(fx + x, fy + y));
  }
  return mask;
}

size_t CountKey(const Picture& pic) {
  return static_cast<size_t>(std::count_if(pic.pixels.begin(), pic.pixels.end(), IsKey));
}

// --------------------------------------------------------- the picture list

enum class Kind {
  kBackground,  // full screen, restored with the key: no key pixel at all
  kPage,        // pop-up page: fully opaque
  kTile,        // game-slot picture: fully opaque
  kButtons,     // state strip: every frame the same silhouette
  kSprite,      // keyed picture, frames (if any) independent
  kDigits,      // ten digit cells
  kFont,        // one-row bitmap font
};

struct Planned {
  const char* dir;  // "L" launcher directory, "G" game directory
  const char* name;
  int width, height;
  int cols, rows;  // frame layout
  Kind kind;
  bool quiz_art;   // drawn by the quiz's own generator
};

const Planned kPictures[] = {
    // Catalogue.
    {"L", "background.bmp", 800, 600, 1, 1, Kind::kBackground, false},
    {"L", "PageArrowsLeft.bmp", 88, 44, 2, 1, Kind::kButtons, false},
    {"L", "PageArrowsRight.bmp", 88, 44, 2, 1, Kind::kButtons, false},
    {"L", "Info.bmp", 152, 44, 2, 1, Kind::kButtons, false},
    {"L", "SmallExit.bmp", 152, 44, 2, 1, Kind::kButtons, false},
    {"L", "GameButton.bmp", 750, 100, 3, 1, Kind::kButtons, false},
    {"L", "PageNumbers.bmp", 160, 22, 10, 1, Kind::kDigits, false},
    {"L", "CollectButton.bmp", 250, 100, 1, 1, Kind::kTile, false},
    {"L", "infoscreen.bmp", 780, 520, 1, 1, Kind::kPage, false},
    {"L", "backbutton.bmp", 160, 40, 2, 1, Kind::kButtons, false},
    // Title screen and its pop-ups.
    {"L", "HowToPlayButton.bmp", 320, 60, 2, 1, Kind::kButtons, false},
    {"L", "PlayButton.bmp", 320, 60, 2, 1, Kind::kButtons, false},
    {"L", "HighScoresButton.bmp", 320, 60, 2, 1, Kind::kButtons, false},
    {"L", "MenuButton.bmp", 320, 60, 2, 1, Kind::kButtons, false},
    {"L", "CreditsButton.bmp", 320, 60, 2, 1, Kind::kButtons, false},
    {"L", "ExitButton.bmp", 320, 60, 2, 1, Kind::kButtons, false},
    {"L", "PlayersButton.bmp", 472, 52, 2, 1, Kind::kButtons, false},
    {"L", "sfx.bmp", 100, 50, 2, 1, Kind::kButtons, false},
    {"L", "music.bmp", 100, 50, 2, 1, Kind::kButtons, false},
    {"L", "n_font.bmp", 0, 20, 1, 1, Kind::kFont, false},
    {"L", "h_font.bmp", 0, 20, 1, 1, Kind::kFont, false},
    {"L", "blockcursor.bmp", 10, 20, 1, 1, Kind::kSprite, false},
    {"L", "PlayerInfo.bmp", 694, 564, 1, 1, Kind::kPage, false},
    {"L", "EnterButton.bmp", 240, 48, 2, 1, Kind::kButtons, false},
    {"L", "RemoveButton.bmp", 216, 48, 2, 1, Kind::kButtons, false},
    {"L", "yesno.bmp", 200, 40, 2, 1, Kind::kButtons, false},
    {"L", "HallOfFameScreen.bmp", 694, 564, 1, 1, Kind::kPage, false},
    {"L", "UploadButton.bmp", 260, 52, 2, 1, Kind::kButtons, false},
    {"L", "ClearScores.bmp", 260, 52, 2, 1, Kind::kButtons, false},
    {"L", "HallBlackFont.bmp", 0, 20, 1, 1, Kind::kFont, false},
    {"L", "HallPurpleFont.bmp", 0, 20, 1, 1, Kind::kFont, false},
    {"L", "FocusFrame.bmp", 36, 36, 1, 1, Kind::kSprite, false},
    // The quiz's fonts.
    {"G", "font.bmp", 0, 22, 1, 1, Kind::kFont, false},
    {"G", "scorefont.bmp", 150, 22, 10, 1, Kind::kDigits, false},
    // Per-game art read by the launcher, and the quiz's own art.
    {"G", "PavloraButton.bmp", 250, 100, 1, 1, Kind::kTile, true},
    {"G", "title/titlebackground.bmp", 800, 600, 1, 1, Kind::kBackground, true},
    {"G", "title/Credits.bmp", 694, 564, 1, 1, Kind::kPage, true},
    {"G", "title/HowToPlay.bmp", 694, 564, 1, 1, Kind::kPage, true},
    {"G", "background.bmp", 800, 600, 1, 1, Kind::kBackground, true},
    {"G", "newgame.bmp", 180, 70, 2, 1, Kind::kButtons, true},
    {"G", "info.bmp", 180, 70, 2, 1, Kind::kButtons, true},
    {"G", "back.bmp", 180, 70, 2, 1, Kind::kButtons, true},
    {"G", "exit.bmp", 180, 70, 2, 1, Kind::kButtons, true},
    {"G", "truepie.bmp", 240, 110, 2, 1, Kind::kButtons, true},
    {"G", "passpie.bmp", 240, 110, 2, 1, Kind::kButtons, true},
    {"G", "falsepie.bmp", 240, 110, 2, 1, Kind::kButtons, true},
    {"G", "true.bmp", 104, 32, 1, 1, Kind::kSprite, true},
    {"G", "false.bmp", 104, 32, 1, 1, Kind::kSprite, true},
    {"G", "flower.bmp", 40, 40, 1, 1, Kind::kSprite, true},
    {"G", "bullanim.bmp", 1660, 1004, 4, 4, Kind::kButtons, true},
    {"G", "bulltimer.bmp", 136, 440, 1, 1, Kind::kSprite, true},
    {"G", "allscore.bmp", 1360, 40, 10, 1, Kind::kSprite, true},
    {"G", "allscorehighlight.bmp", 1360, 40, 10, 1, Kind::kSprite, true},
    {"G", "hallfamepop.bmp", 400, 110, 1, 1, Kind::kSprite, true},
    {"G", "gameover.bmp", 450, 170, 1, 1, Kind::kSprite, true},
};

void PrintTo(const Planned& planned, std::ostream* os) { *os << planned.name; }

std::string PathOf(const Planned& planned) {
  return (std::string(planned.dir) == "L" ? kLauncherDir : kGameDir) + "/" + planned.name;
}

// Loads a listed picture; a quiz picture that is not drawn yet skips the test.
#define LOAD_OR_SKIP(planned, pic)                                                          \
  const std::string path_ = PathOf(planned);                                                \
  if ((planned).quiz_art && !fs::exists(path_)) {                                           \
    GTEST_SKIP() << (planned).name << " is quiz art that has not been generated yet";       \
  }                                                                                      \
  std::string why_;                                                                      \
  const std::optional<Picture> loaded_ = ReadBmp24(path_, &why_);                        \
  ASSERT_TRUE(loaded_.has_value()) << path_ << ": " << why_;                             \
  const Picture& pic = *loaded_

std::optional<Picture> LoadNamed(const char* name, std::string* why) {
  for (const Planned& s : kPictures) {
    if (std::string(s.name) == name) return ReadBmp24(PathOf(s), why);
  }
  *why = "not listed";
  return std::nullopt;
}

// ---------------------------------------------------------- font measuring

// The loader's rule: a column is empty when every pixel is the key; glyph i
// starts at the next non-empty column and ends at the next empty one.
struct Measured {
  bool loaded = false;
  std::vector<std::pair<int, int>> glyphs;  // [start, end)
  int widest = 0;
  int extra_segments = 0;  // ink runs after the 94th glyph
};

Measured MeasureFont(const Picture& pic) {
  auto empty = [&](int x) {
    for (int y = 0; y < pic.height; ++y) {
      if (!IsKey(pic.At(x, y))) return false;
    }
    return true;
  };
  Measured m;
  const int w = pic.width;
  int c = 0;
  for (int i = 0; i < 94; ++i) {
    if (c > w) return m;
    int start = -1;
    while (c < w) {
      const bool e = empty(c);
      ++c;
      if (!e) {
        start = c - 1;
        break;
      }
    }
    if (start < 0) return m;
    int end = w;
    while (c < w) {
      const bool e = empty(c);
      ++c;
      if (e) {
        end = c - 1;
        break;
      }
    }
    m.glyphs.emplace_back(start, end);
    m.widest = std::max(m.widest, end - start);
  }
  m.loaded = true;
  bool in_ink = false;
  for (; c < w; ++c) {
    const bool e = empty(c);
    if (!e && !in_ink) ++m.extra_segments;
    in_ink = !e;
  }
  return m;
}

// ------------------------------------------------------------- the checks

std::vector<Planned> Where(bool (*keep)(const Planned&)) {
  std::vector<Planned> out;
  for (const Planned& s : kPictures) {
    if (keep(s)) out.push_back(s);
  }
  return out;
}
bool IsOpaqueKind(const Planned& s) {
  return s.kind == Kind::kBackground || s.kind == Kind::kPage || s.kind == Kind::kTile;
}

class PictureTest : public ::testing::TestWithParam<Planned> {};
class OpaquePictureTest : public ::testing::TestWithParam<Planned> {};
class KeyedPictureTest : public ::testing::TestWithParam<Planned> {};
class StateStripTest : public ::testing::TestWithParam<Planned> {};
class FontTest : public ::testing::TestWithParam<Planned> {};
class DigitStripTest : public ::testing::TestWithParam<Planned> {};

TEST_P(PictureTest, HasItsSizeAndDividesIntoFrames) {
  const Planned& planned = GetParam();
  LOAD_OR_SKIP(planned, pic);
  EXPECT_EQ(pic.height, planned.height) << planned.name;
  if (planned.width > 0) {
    EXPECT_EQ(pic.width, planned.width) << planned.name;
  }
  EXPECT_EQ(pic.width % planned.cols, 0) << planned.name << " does not divide into " << planned.cols << " columns";
  EXPECT_EQ(pic.height % planned.rows, 0) << planned.name << " does not divide into " << planned.rows << " rows";
  // Every frame shows something.
  const int fw = pic.width / planned.cols, fh = pic.height / planned.rows;
  for (int f = 0; f < planned.cols * planned.rows; ++f) {
    const auto mask = FrameMask(pic, (f % planned.cols) * fw, (f / planned.cols) * fh, fw, fh);
    EXPECT_TRUE(std::find(mask.begin(), mask.end(), true) != mask.end())
        << planned.name << " frame " << f << " is fully transparent";
  }
}

TEST_P(OpaquePictureTest, HasNoTransparentPixel) {
  const Planned& planned = GetParam();
  LOAD_OR_SKIP(planned, pic);
  EXPECT_EQ(CountKey(pic), 0u) << planned.name << " has pixels the screen would treat as transparent";
}

TEST_P(StateStripTest, FramesShareOneSilhouette) {
  const Planned& planned = GetParam();
  LOAD_OR_SKIP(planned, pic);
  const int fw = pic.width / planned.cols, fh = pic.height / planned.rows;
  const auto first = FrameMask(pic, 0, 0, fw, fh);
  for (int f = 1; f < planned.cols * planned.rows; ++f) {
    const auto mask = FrameMask(pic, (f % planned.cols) * fw, (f / planned.cols) * fh, fw, fh);
    EXPECT_TRUE(mask == first) << planned.name << ": frame " << f << " differs in shape from frame 0";
  }
  // Frames must also differ in look, or the state change would be invisible.
  if (std::string(planned.name) != "bullanim.bmp") {
    bool differs = false;
    for (int y = 0; y < fh && !differs; ++y) {
      for (int x = 0; x < fw && !differs; ++x) differs = pic.At(x, y) != pic.At(fw + x, y);
    }
    EXPECT_TRUE(differs) << planned.name << ": frames 0 and 1 look the same";
  }
}

TEST_P(KeyedPictureTest, EdgesNeverBlendTowardTheKey) {
  const Planned& planned = GetParam();
  LOAD_OR_SKIP(planned, pic);
  // An opaque pixel next to the key that is far bluer than it is red or green
  // is a smoothing step toward the key colour: it shows as a blue fringe.
  int fringe = 0;
  for (int y = 0; y < pic.height; ++y) {
    for (int x = 0; x < pic.width; ++x) {
      const uint32_t c = pic.At(x, y);
      if (IsKey(c)) continue;
      bool at_edge = false;
      for (const auto& [dx, dy] : {std::pair{-1, 0}, std::pair{1, 0}, std::pair{0, -1}, std::pair{0, 1}}) {
        const int nx = x + dx, ny = y + dy;
        if (nx >= 0 && ny >= 0 && nx < pic.width && ny < pic.height && IsKey(pic.At(nx, ny))) at_edge = true;
      }
      const int r = c >> 16, g = (c >> 8) & 0xFF, b = c & 0xFF;
      if (at_edge && b - std::max(r, g) > 120) ++fringe;
    }
  }
  EXPECT_EQ(fringe, 0) << planned.name << " has " << fringe << " edge pixels blended toward blue";
}

TEST_P(FontTest, MeasuresToAllGlyphs) {
  const Planned& planned = GetParam();
  LOAD_OR_SKIP(planned, pic);
  const Measured m = MeasureFont(pic);
  ASSERT_TRUE(m.loaded) << planned.name << " holds fewer than 94 glyphs";
  // A glyph split by a blue column would leave extra ink after the 94th.
  EXPECT_EQ(m.extra_segments, 0) << planned.name << " has ink beyond its 94 glyphs (a split glyph?)";
  const auto width_of = [&](char ch) { return m.glyphs[ch - 33].second - m.glyphs[ch - 33].first; };
  for (int i = 0; i < 94; ++i) EXPECT_GE(width_of(static_cast<char>(33 + i)), 1);
  // The space and the letter gap come from the widest glyph, so it must be a
  // letter-sized one; and thin marks must stay thinner than capitals.
  const int letters = std::max(width_of('W'), width_of('M'));
  EXPECT_LE(m.widest, letters + letters / 4) << planned.name << ": a glyph is much wider than W/M";
  EXPECT_LT(width_of('.'), width_of('H'));
  EXPECT_LT(width_of('i'), width_of('m'));
  EXPECT_GE(m.widest / 2, 5) << planned.name << ": the space would be too narrow to see";
  // Glyph colours: opaque pixels hold at least two clearly different tones
  // (text and its rim or its smoothing), never a single flat blob.
  std::set<uint32_t> colours;
  for (uint32_t c : pic.pixels) {
    if (!IsKey(c)) colours.insert(c);
  }
  EXPECT_GE(colours.size(), 2u);
}

TEST_P(DigitStripTest, CellsHoldTenDifferentDigits) {
  const Planned& planned = GetParam();
  LOAD_OR_SKIP(planned, pic);
  ASSERT_EQ(pic.width % 10, 0);
  const int cell = pic.width / 10;
  std::set<std::vector<bool>> shapes;
  for (int d = 0; d < 10; ++d) {
    const auto mask = FrameMask(pic, d * cell, 0, cell, pic.height);
    EXPECT_TRUE(std::find(mask.begin(), mask.end(), true) != mask.end()) << "digit " << d << " is empty";
    shapes.insert(mask);
  }
  EXPECT_EQ(shapes.size(), 10u) << planned.name << ": two digits have the same shape";
}

std::string NameOf(const ::testing::TestParamInfo<Planned>& info) {
  std::string name = std::string(info.param.dir) + "_" + info.param.name;
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Assets, PictureTest, ::testing::ValuesIn(kPictures), NameOf);
INSTANTIATE_TEST_SUITE_P(Assets, OpaquePictureTest, ::testing::ValuesIn(Where(IsOpaqueKind)), NameOf);
INSTANTIATE_TEST_SUITE_P(Assets, KeyedPictureTest,
                         ::testing::ValuesIn(Where([](const Planned& s) { return !IsOpaqueKind(s); })), NameOf);
INSTANTIATE_TEST_SUITE_P(Assets, StateStripTest,
                         ::testing::ValuesIn(Where([](const Planned& s) { return s.kind == Kind::kButtons; })),
                         NameOf);
INSTANTIATE_TEST_SUITE_P(Assets, FontTest,
                         ::testing::ValuesIn(Where([](const Planned& s) { return s.kind == Kind::kFont; })), NameOf);
INSTANTIATE_TEST_SUITE_P(Assets, DigitStripTest,
                         ::testing::ValuesIn(Where([](const Planned& s) { return s.kind == Kind::kDigits; })),
                         NameOf);

// ------------------------------------------------------- particular pictures

TEST(LauncherPictures, SlotFrameHasAClearWindowAndAChangingBorder) {
  std::string why;
  const auto pic = LoadNamed("GameButton.bmp", &why);
  ASSERT_TRUE(pic) << why;
  const int fw = pic->width / 3;
  for (int f = 0; f < 3; ++f) {
    // The game picture must show through the whole inside of the frame.
    for (int y = 14; y < pic->height - 14; ++y) {
      for (int x = 14; x < fw - 14; ++x) {
        ASSERT_EQ(pic->At(f * fw + x, y), 0x0000FFu) << "frame " << f << " covers (" << x << "," << y << ")";
      }
    }
    // And the border runs all the way round.
    EXPECT_FALSE(IsKey(pic->At(f * fw + fw / 2, 2)));
    EXPECT_FALSE(IsKey(pic->At(f * fw + fw / 2, pic->height - 3)));
    EXPECT_FALSE(IsKey(pic->At(f * fw + 2, pic->height / 2)));
    EXPECT_FALSE(IsKey(pic->At(f * fw + fw - 3, pic->height / 2)));
  }
  EXPECT_NE(pic->At(fw / 2, 3), pic->At(fw + fw / 2, 3)) << "hover border looks like the normal one";
  EXPECT_NE(pic->At(fw / 2, 3), pic->At(2 * fw + fw / 2, 3)) << "pressed border looks like the normal one";
}

TEST(LauncherPictures, YesNoSwitchIsFullyOpaque) {
  std::string why;
  const auto pic = LoadNamed("yesno.bmp", &why);
  ASSERT_TRUE(pic) << why;
  EXPECT_EQ(CountKey(*pic), 0u);
}

// The fields' text is drawn straight onto these pages, so the places where it
// lands must be calm and contrast with the fonts drawn there.
TEST(LauncherPictures, PlayersPageHasDarkEntryBoxesForTheGoldText) {
  std::string why;
  const auto page = LoadNamed("PlayerInfo.bmp", &why);
  ASSERT_TRUE(page) << why;
  const auto font = LoadNamed("h_font.bmp", &why);
  ASSERT_TRUE(font) << why;
  int brightest_glyph = 0;
  for (uint32_t c : font->pixels) {
    if (!IsKey(c)) brightest_glyph = std::max(brightest_glyph, Luma(c));
  }
  for (int field_y : {270, 336, 404}) {
    long sum = 0, count = 0;
    for (int y = field_y + 2; y < field_y + 22; ++y) {
      for (int x = 52; x < 628; ++x) {
        sum += Luma(page->At(x, y));
        ++count;
      }
    }
    const long mean = sum / count;
    EXPECT_GT(brightest_glyph - mean, 110) << "entry box at y " << field_y << " is too light for h_font";
  }
}

TEST(LauncherPictures, HallOfFameRowsArePlainPaperUnderTheText) {
  std::string why;
  const auto page = LoadNamed("HallOfFameScreen.bmp", &why);
  ASSERT_TRUE(page) << why;
  for (const char* font_name : {"HallBlackFont.bmp", "HallPurpleFont.bmp"}) {
    const auto font = LoadNamed(font_name, &why);
    ASSERT_TRUE(font) << why;
    int darkest = 255;
    for (uint32_t c : font->pixels) {
      if (!IsKey(c)) darkest = std::min(darkest, Luma(c));
    }
    for (int col = 0; col < 2; ++col) {
      const int name_x = col == 0 ? 56 : 387;
      for (int r = 0; r < 10; ++r) {
        const int top = 275 + 26 * r;
        // Name and score areas of the row: one even colour, far lighter than the text.
        size_t same = 0, total = 0;
        const uint32_t paper = page->At(name_x + 2, top + 2);
        for (int y = top; y < top + 20; ++y) {
          for (int x = name_x; x < name_x + 180; ++x) {
            same += page->At(x, y) == paper;
            ++total;
          }
        }
        EXPECT_GT(same * 100, total * 97) << font_name << " row " << r << " column " << col;
        EXPECT_GT(Luma(paper) - darkest, 120) << font_name << " does not stand out from the rows";
      }
    }
  }
}

TEST(QuizPictures, BullFramesShareOneOpaqueBodyAndAClearBottomBand) {
  const std::string path = kGameDir + "/bullanim.bmp";
  if (!fs::exists(path)) GTEST_SKIP() << "bullanim.bmp is quiz art that has not been generated yet";
  std::string why;
  const auto pic = ReadBmp24(path, &why);
  ASSERT_TRUE(pic) << why;
  ASSERT_EQ(pic->width, 4 * 415);
  ASSERT_EQ(pic->height, 4 * 251);
  for (int f = 0; f < 16; ++f) {
    const int ox = (f % 4) * 415, oy = (f / 4) * 251;
    int holes = 0, spill = 0;
    for (int y = 0; y < 251; ++y) {
      for (int x = 0; x < 415; ++x) {
        const bool key = IsKey(pic->At(ox + x, oy + y));
        if (y < 230 && key) ++holes;
        if (y >= 230 && !key) ++spill;
      }
    }
    EXPECT_EQ(holes, 0) << "frame " << f << " has transparent pixels above row 230";
    EXPECT_EQ(spill, 0) << "frame " << f << " paints below row 229, over the question area";
  }
}

TEST(QuizPictures, LitRungsHaveTheSameShapeAsTheirPlainRungs) {
  const std::string plain_path = kGameDir + "/allscore.bmp";
  const std::string lit_path = kGameDir + "/allscorehighlight.bmp";
  if (!fs::exists(plain_path) || !fs::exists(lit_path)) {
    GTEST_SKIP() << "the ladder tiles are quiz art that has not been generated yet";
  }
  std::string why;
  const auto plain = ReadBmp24(plain_path, &why);
  ASSERT_TRUE(plain) << why;
  const auto lit = ReadBmp24(lit_path, &why);
  ASSERT_TRUE(lit) << why;
  ASSERT_EQ(plain->width, lit->width);
  ASSERT_EQ(plain->height, lit->height);
  const int tile = plain->width / 10;
  for (int i = 0; i < 10; ++i) {
    EXPECT_TRUE(FrameMask(*plain, i * tile, 0, tile, plain->height) ==
                FrameMask(*lit, i * tile, 0, tile, lit->height))
        << "rung " << i << " changes shape when it blinks";
  }
  EXPECT_NE(plain->pixels, lit->pixels) << "the lit rungs look like the plain ones";
}

TEST(QuizPictures, TruthStampsHaveOneSize) {
  const std::string t = kGameDir + "/true.bmp", f = kGameDir + "/false.bmp";
  if (!fs::exists(t) || !fs::exists(f)) GTEST_SKIP() << "the stamps are quiz art that has not been generated yet";
  std::string why;
  const auto a = ReadBmp24(t, &why);
  ASSERT_TRUE(a) << why;
  const auto b = ReadBmp24(f, &why);
  ASSERT_TRUE(b) << why;
  EXPECT_EQ(a->width, b->width);
  EXPECT_EQ(a->height, b->height);
}

// ------------------------------------------------------------ the generator

std::vector<std::pair<std::string, std::string>> ReadTree(const fs::path& root) {
  std::vector<std::pair<std::string, std::string>> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    files.emplace_back(fs::relative(entry.path(), root).string(),
                       std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
  }
  std::sort(files.begin(), files.end());
  return files;
}

#ifdef PAV_GEN_LAUNCHER_ART
// Runs every picture generator into a scratch tree; returns false on failure.
bool Generate(const fs::path& root) {
  const fs::path game = root / "Verimoo";
  fs::create_directories(game / "title");
  std::string command = std::string("\"") + PAV_GEN_LAUNCHER_ART + "\" \"" + root.string() + "\" \"" +
                        game.string() + "\"";
  if (std::system(command.c_str()) != 0) return false;
#ifdef PAV_GEN_QUIZ_ART
  command = std::string("\"") + PAV_GEN_QUIZ_ART + "\" \"" + game.string() + "\"";
  if (std::system(command.c_str()) != 0) return false;
#endif
  return true;
}

TEST(PictureGenerator, SameSourceGivesSameBytesQuickly) {
  const fs::path base =
      fs::temp_directory_path() /
      ("pav_pictures_" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
  fs::remove_all(base);
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(Generate(base / "one"));
  const auto elapsed = std::chrono::steady_clock::now() - start;
  ASSERT_TRUE(Generate(base / "two"));
  const auto one = ReadTree(base / "one");
  const auto two = ReadTree(base / "two");
  fs::remove_all(base);
  EXPECT_GT(one.size(), 30u);
  ASSERT_EQ(one.size(), two.size());
  for (size_t i = 0; i < one.size(); ++i) {
    EXPECT_EQ(one[i].first, two[i].first);
    EXPECT_TRUE(one[i].second == two[i].second) << one[i].first << " differs between two runs";
  }
  EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 10000)
      << "drawing every picture took too long";
}
#endif

}  // namespace
