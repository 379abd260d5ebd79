// Keys and clicks of any kind on a text field with the launcher's fonts:
// the text never outgrows its capacity or its width, and it draws.
#include <algorithm>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "gfx/bitmap_font.h"
#include "gfx/context.h"
#include "gfx/redraw_queue.h"
#include "gfx/sprite_list.h"
#include "launcher/text_field.h"
#include "support/headless_services.h"

using fuzz_support::Check;

namespace {

struct Harness {
  Harness() {
    Check(normal.Load(PAV_DIST_DIR "/n_font.bmp") == 1 && highlight.Load(PAV_DIST_DIR "/h_font.bmp") == 1);
  }
  testing_support::HeadlessServices svc;
  gfx::RedrawQueue redraw;
  gfx::SpriteList sprites;
  gfx::Context ctx{svc.qv, svc.timers, svc.mouse, svc.pump, redraw, sprites};
  gfx::BitmapFont normal{svc.qv}, highlight{svc.qv};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Harness h;
  if (size < 3) return 0;
  launcher::TextField field(h.ctx);
  field.SetCapacity(data[0] % 80);
  field.SetFont(&h.normal);
  field.SetFont(&h.highlight);
  field.SetCursorImage(PAV_DIST_DIR "/blockcursor.bmp");
  field.SetRect(100, 200, data[1] * 3, 30);
  field.SetClickSelects(data[2] & 1);
  const std::string text(reinterpret_cast<const char*>(data) + 3, size - 3);
  field.SetText(text);
  const bool typedOnly = field.Text().empty();  // the text was too long to set
  for (size_t i = 3; i + 1 < size; i += 2) {
    const int code = data[i] | (data[i + 1] & 1) << 8;
    if (data[i + 1] & 2) {
      field.Click(data[i] * 3, 150 + (data[i + 1] >> 2));  // around the field
    } else if (code != 0) {
      h.svc.keys.Push(code);
      field.ProcessKeys();
    }
    Check(int(field.Text().size()) < std::max(field.Capacity(), 1));
  }
  if (typedOnly) Check(field.Text().empty() || h.normal.TextWidth(field.Text().c_str()) < field.Width());
  field.Draw(&h.svc.backBuffer());
  while (h.svc.keys.Pop() != 0) {
  }
  return 0;
}
