// The launcher picture groups, one file each.
#pragma once
#include <string>

namespace art {

bool DrawCatalogueArt(const std::string& dir);    // backdrop, slot frame, page controls, info page
bool DrawTitleButtons(const std::string& dir);    // title-screen buttons, sound switches, cursor
bool DrawPlayersPopup(const std::string& dir);    // player editor and its buttons
bool DrawHallOfFamePopup(const std::string& dir); // high-score panel and its buttons
bool DrawFocusFrame(const std::string& dir);      // the keyboard focus mark

}  // namespace art
