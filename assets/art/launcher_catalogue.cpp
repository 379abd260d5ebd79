#include "art_common.h"
#include "canvas.h"
#include "launcher_parts.h"

namespace art {

bool DrawCatalogueArt(const std::string& dir) {
  bool ok = SaveStrip(JoinPath(dir, "backbutton.bmp"), 80, 40, 2, [](cairo_t* cr, int frame) {
    PaintLabelButton(cr, 80, 40, "Back", palette::kSky, StateOfFrame(frame));
  });
  return ok;
}

}  // namespace art
