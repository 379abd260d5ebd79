// Text fields on their own: the click rule, typing limits, the keys that
// end typing, drawing and the cursor's blink.
#include "launcher/text_field.h"

#include <algorithm>
#include <string>

#include "gfx/bitmap_font.h"
#include "gfx/gfx_fixture.h"

namespace launcher_test {
namespace {

constexpr int kShift = 0x100;
constexpr int kScanA = 30, kScanW = 17, kScanM = 50;

class TextFieldTest : public gfx_test::GfxTest {
 protected:
  gfx::BitmapFont normal{svc.qv}, highlight{svc.qv};
  launcher::TextField field{ctx};

  void SetUp() override {
    ASSERT_EQ(normal.Load(std::string(PAV_DIST_DIR) + "/n_font.bmp"), 1);
    ASSERT_EQ(highlight.Load(std::string(PAV_DIST_DIR) + "/h_font.bmp"), 1);
    field.SetCapacity(64);
    field.SetFont(&normal);
    field.SetFont(&highlight);
    field.SetCursorImage(std::string(PAV_DIST_DIR) + "/blockcursor.bmp");
    field.SetRect(100, 200, 150, 30);
  }
  void Queue(int code, int times = 1) {
    for (int i = 0; i < times; ++i) svc.keys.Push(code);
  }
  // Pixels of the rectangle that are not black.
  int Lit(int x, int y, int w, int h) {
    int lit = 0;
    for (int j = y; j < y + h; ++j)
      for (int i = x; i < x + w; ++i) lit += back().pixel16(i, j) != 0;
    return lit;
  }
};

TEST_F(TextFieldTest, FirstClickSelectsSecondEditsThirdStopsAndOutsideClears) {
  EXPECT_EQ(field.Click(100, 200), 0);  // the top-left corner is inside
  EXPECT_EQ(field.Selected(), 1);
  EXPECT_EQ(field.Click(250, 230), 1);  // so is the bottom-right one
  EXPECT_EQ(field.Click(175, 215), 0);
  EXPECT_EQ(field.Selected(), 1);
  EXPECT_EQ(field.Click(251, 215), 0);
  EXPECT_EQ(field.Selected(), 0);

  // Without selection a click inside edits, outside stops.
  field.SetClickSelects(0);
  EXPECT_EQ(field.Click(175, 215), 1);
  EXPECT_EQ(field.Click(175, 215), 1);
  EXPECT_EQ(field.Selected(), 0);
  EXPECT_EQ(field.Click(175, 231), 0);

  // The offset moves the field's place on the screen.
  field.SetOffset(50, 20);
  EXPECT_EQ(field.Click(175, 215), 0);
  EXPECT_EQ(field.Click(225, 235), 1);
}

TEST_F(TextFieldTest, StartingToEditDropsEarlierKeys) {
  Queue(kScanA, 3);
  field.SetEditing(1);
  Queue(kScanA);
  field.SetEditing(1);  // already editing: the queue stays
  EXPECT_EQ(field.ProcessKeys(), 0);
  EXPECT_EQ(field.Text(), "a");
}

TEST_F(TextFieldTest, TypingStopsAtTheCapacityAndSetTextAcceptsOneMore) {
  field.SetRect(0, 0, 100000, 30);
  field.SetEditing(1);
  Queue(kScanA, 70);
  field.ProcessKeys();
  EXPECT_EQ(field.Text(), std::string(62, 'a'));
  field.SetText(std::string(63, 'b'));
  EXPECT_EQ(field.Text(), std::string(63, 'b'));
  field.SetText(std::string(64, 'c'));
  EXPECT_EQ(field.Text(), std::string(63, 'b'));
}

TEST_F(TextFieldTest, TypingStopsBeforeTheTextReachesTheFieldsWidth) {
  field.SetEditing(1);
  Queue(kScanW + kShift, 40);
  field.ProcessKeys();
  const int width = normal.TextWidth(field.Text().c_str());
  EXPECT_LT(width, 150);
  EXPECT_GE(width + normal.CharWidth('W'), 150);
  EXPECT_FALSE(field.Text().empty());
}

TEST_F(TextFieldTest, BackspaceEnterAndTabActOnlyWithoutShift) {
  field.SetText("ab");
  field.SetEditing(1);
  for (int code : {14 + kShift, 15 + kShift, 28 + kShift, kScanM + kShift, 14, 14, 14, 14, kScanM, 15, kScanA})
    Queue(code);
  EXPECT_EQ(field.ProcessKeys(), 15);
  EXPECT_EQ(field.Text(), "m");
  EXPECT_EQ(field.Editing(), 1);
  // The key after Tab is still queued.
  for (int code : {28, kScanA}) Queue(code);
  EXPECT_EQ(field.ProcessKeys(), 28);
  EXPECT_EQ(field.Text(), "ma");
  EXPECT_EQ(field.Editing(), 0);
  EXPECT_EQ(field.ProcessKeys(), 0);
  EXPECT_EQ(svc.keys.Pop(), kScanA);

  // Labels that take no keyboard leave the queue alone.
  field.SetKeyboardInput(0);
  field.SetEditing(1);
  Queue(kScanA);
  EXPECT_EQ(field.ProcessKeys(), 0);
  EXPECT_EQ(svc.keys.Pop(), kScanA);
}

// (The selected field's own font is checked on the title screen's plates.)
TEST_F(TextFieldTest, DrawsWithABlinkingCursorOnlyWhileEditing) {
  field.SetText("Hi");
  back().fill(0);
  field.Draw(&back());
  const int textWidth = normal.TextWidth("Hi");
  EXPECT_GT(Lit(100, 200, textWidth, normal.Height()), 0);
  // Not editing: no cursor after the text.
  EXPECT_EQ(Lit(100 + textWidth, 200, 10, 20), 0);


  // Editing: the cursor shows in one half-second and not in the next.
  field.SetEditing(1);
  int shown = 0, hidden = 0;
  for (int step = 0; step < 8; ++step) {
    back().fill(0);
    field.Draw(&back());
    (Lit(100 + textWidth, 200, 10, 20) > 0 ? shown : hidden)++;
    svc.advance(260);
  }
  EXPECT_GE(std::min(shown, hidden), 3);
}

}  // namespace
}  // namespace launcher_test
