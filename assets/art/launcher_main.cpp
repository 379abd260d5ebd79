// Draws the launcher's pictures into the launcher directory and every bitmap
// font (the quiz's two into the game directory).
#include <cstdio>
#include <string>

#include "art_common.h"
#include "launcher_art.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <launcher dir> <game dir>\n", argv[0]);
    return 2;
  }
  const std::string launcher_dir = argv[1];
  const std::string game_dir = argv[2];
  const bool ok = art::DrawLauncherArt(launcher_dir) && art::DrawFonts(launcher_dir, game_dir);
  art::ReleaseFontCaches();
  if (!ok) {
    std::fprintf(stderr, "%s: could not write every picture\n", argv[0]);
    return 1;
  }
  return 0;
}
