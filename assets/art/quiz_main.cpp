// gen_quiz_art <game dir>: draws every picture of the quiz into its game
// directory and its title/ folder.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "quiz_art.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <game dir>\n", argv[0]);
    return 2;
  }
  using namespace art::quiz;
  const std::string dir = argv[1];
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(dir) / "title", error);
  if (error) {
    std::fprintf(stderr, "%s: cannot create %s/title: %s\n", argv[0], dir.c_str(), error.message().c_str());
    return 1;
  }
  bool ok = true;
  {
    art::Canvas board(800, 600);
    PaintBoard(board);
    ok = board.SaveOpaque(art::JoinPath(dir, "background.bmp"));
    // Everything that sits on the board is blended into the board's own pixels.
    ok = WriteBullFrames(dir, board) && ok;
    ok = WriteTimeBar(dir) && ok;
    ok = WriteLadderTiles(dir, board) && ok;
    ok = WriteControls(dir, board) && ok;
    ok = WriteMarks(dir, board) && ok;
    ok = WritePopups(dir) && ok;
    ok = WriteTitleArt(dir) && ok;
    ok = WriteGameTile(dir) && ok;
  }
  art::ReleaseFontCaches();
  if (!ok) {
    std::fprintf(stderr, "%s: could not write every picture into %s\n", argv[0], dir.c_str());
    return 1;
  }
  return 0;
}
