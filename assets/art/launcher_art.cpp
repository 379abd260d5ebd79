#include "launcher_art.h"

#include "launcher_parts.h"

namespace art {

bool DrawLauncherArt(const std::string& launcher_dir) {
  bool ok = DrawCatalogueArt(launcher_dir);
  ok = DrawTitleButtons(launcher_dir) && ok;
  ok = DrawPlayersPopup(launcher_dir) && ok;
  ok = DrawHallOfFamePopup(launcher_dir) && ok;
  ok = DrawFocusFrame(launcher_dir) && ok;
  return ok;
}

}  // namespace art
