// The services of a running program on the headless back end, plus the
// redraw queue and sprite list that the widgets share, bundled as the
// context every screen, sprite and button is given.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "support/bmp_file.h"
#include "support/scratch_dir.h"
#include "gfx/context.h"
#include "gfx/redraw_queue.h"
#include "gfx/sprite_list.h"
#include "platform/surface.h"
#include "support/headless_services.h"

namespace gfx_test {

struct Rgb {
  int r = 0, g = 0, b = 0;
};
inline constexpr Rgb kBlue{0, 0, 255};

constexpr uint16_t kBlue565 = platform::Rgb565(0, 0, 255);
constexpr uint16_t kRed565 = platform::Rgb565(255, 0, 0);
constexpr uint16_t kGreen565 = platform::Rgb565(0, 255, 0);
constexpr uint16_t kWhite565 = platform::Rgb565(255, 255, 255);
constexpr uint16_t kGrey565 = platform::Rgb565(128, 128, 128);
constexpr platform::ColourKey kBlueKey{kBlue565, kBlue565};

// A surface of one colour, as sprite frames and button images are.
inline std::shared_ptr<platform::Surface> Filled(int w, int h, uint16_t colour) {
  auto s = std::make_shared<platform::Surface>(w, h);
  s->fill(colour);
  return s;
}

// The pixels at the given points, to compare with a Px list in one go.
using Px = std::vector<uint16_t>;
inline Px At(const platform::Surface& s, std::initializer_list<std::pair<int, int>> points) {
  Px out;
  for (auto [x, y] : points) out.push_back(s.pixel16(x, y));
  return out;
}

class GfxTest : public ::testing::Test {
 protected:
  testing_support::HeadlessServices svc;
  gfx::RedrawQueue redraw;
  gfx::SpriteList sprites;
  gfx::Context ctx{svc.qv, svc.timers, svc.mouse, svc.pump, redraw, sprites};
  test_support::ScratchDir tmp;

  platform::Surface& back() { return svc.backBuffer(); }

  // A picture of one colour, with an optional single pixel of another.
  std::string Solid(const std::string& name, int w, int h, Rgb colour) {
    return Picture(name, w, h, [&](int, int) { return colour; });
  }
  std::string Picture(const std::string& name, int w, int h,
                      const std::function<Rgb(int, int)>& colour) {
    const std::string p = tmp.file(name);
    test_support::WriteBmp24(p, w, h, [&](int x, int y) {
      const Rgb c = colour(x, y);
      return uint32_t(c.r << 16 | c.g << 8 | c.b);
    });
    return p;
  }
  // The mouse as the poll sees it: position set by the window procedure,
  // buttons read by the next timer tick.
  void Mouse(int x, int y, bool leftDown) {
    svc.mouse.SetPosition(x, y);
    if (leftDown)
      svc.backend.mouseDown(x, y);
    else
      svc.backend.mouseUp(x, y);
    svc.pumpAndPoll();
  }
};

}  // namespace gfx_test
