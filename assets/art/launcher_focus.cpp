// The keyboard focus mark: a gold frame with the house's dark rim, drawn
// around the focused tile or button. Its corners are a third of its side
// each and its edges are straight in the middle third, so the launcher can
// stretch it to any size.
#include "art_common.h"
#include "launcher_parts.h"

namespace art {

bool DrawFocusFrame(const std::string& dir) {
  constexpr int kSide = 36;
  const std::string path = JoinPath(dir, "FocusFrame.bmp");
  return Reported(path, SaveStrip(path, kSide, kSide, 1, [](cairo_t* cr, int) {
                    const double inset = 3.5, size = kSide - 2 * inset, radius = 8;
                    RoundedRect(cr, inset, inset, size, size, radius);
                    SetSource(cr, palette::kInk);
                    cairo_set_line_width(cr, 7);
                    cairo_stroke(cr);
                    RoundedRect(cr, inset, inset, size, size, radius);
                    SetSource(cr, palette::kSun);
                    cairo_set_line_width(cr, 3.5);
                    cairo_stroke(cr);
                    RoundedRect(cr, inset - 0.8, inset - 0.8, size, size, radius);
                    SetSource(cr, WithAlpha(Lighter(palette::kSun, 0.7), 0.9));
                    cairo_set_line_width(cr, 1.2);
                    cairo_stroke(cr);
                  }));
}

}  // namespace art
