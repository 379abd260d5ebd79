// The launcher's pictures and the bitmap fonts, each written as a BMP file.
#pragma once
#include <string>

namespace art {

// Catalogue, title-screen buttons and the players / hall-of-fame pop-ups.
bool DrawLauncherArt(const std::string& launcher_dir);
// n_font, h_font and the hall fonts into the launcher directory, the quiz's
// question font and score digits into the game directory.
bool DrawFonts(const std::string& launcher_dir, const std::string& game_dir);

}  // namespace art
