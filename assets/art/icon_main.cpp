// The desktop icons of the launcher and the quiz, in the freedesktop hicolor
// layout: PNG at every usual size and one scalable SVG per program.
// usage: gen_icons <output directory> <launcher icon name> <quiz icon name>
#include <cairo-svg.h>
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "art_common.h"
#include "quiz_art.h"

namespace art {
namespace {

// Both icons are drawn in a 256-unit square and scaled to the size asked for.
constexpr double kUnits = 256;
constexpr int kPngSizes[] = {16, 24, 32, 48, 64, 128, 256};
// The tile inside the square; the margin leaves room for its shadow.
constexpr double kTileX = 14, kTileY = 10, kTileSize = 228, kTileRadius = 46;

void TileShadow(cairo_t* cr) {
  RoundedRect(cr, kTileX + 2, kTileY + 8, kTileSize - 4, kTileSize - 2, kTileRadius);
  SetSource(cr, WithAlpha(palette::kInk, 0.35));
  cairo_fill(cr);
}

void TileRim(cairo_t* cr) {
  // Gloss over the upper half, then the dark rim every house button has.
  RoundedRect(cr, kTileX + 10, kTileY + 8, kTileSize - 20, kTileSize * 0.42, kTileRadius - 10);
  FillVertical(cr, kTileY + 8, kTileY + 8 + kTileSize * 0.42, Colour{1, 1, 1, 0.30}, Colour{1, 1, 1, 0.0});
  RoundedRect(cr, kTileX, kTileY, kTileSize, kTileSize, kTileRadius);
  SetSource(cr, palette::kInk);
  cairo_set_line_width(cr, 7);
  cairo_stroke(cr);
}

// The launcher: the logo's sun rising behind a candy "P" on a plum tile.
void PaintLauncherIcon(cairo_t* cr) {
  TileShadow(cr);
  RoundedRect(cr, kTileX, kTileY, kTileSize, kTileSize, kTileRadius);
  FillVertical(cr, kTileY, kTileY + kTileSize, Hex(0x8A4DB3), Hex(0x55287A));

  cairo_save(cr);
  RoundedRect(cr, kTileX, kTileY, kTileSize, kTileSize, kTileRadius);
  cairo_clip(cr);
  const double sx = 84, sy = 80;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i < 12; ++i) {
    const double a = i * M_PI / 6 + M_PI / 12;
    cairo_move_to(cr, sx + 54 * std::cos(a), sy + 54 * std::sin(a));
    cairo_line_to(cr, sx + 72 * std::cos(a), sy + 72 * std::sin(a));
  }
  SetSource(cr, Hex(0xFFB02E));
  cairo_set_line_width(cr, 10);
  cairo_stroke(cr);
  PaintLogoSun(cr, sx, sy, 44, -10, -12, 6, 4);
  cairo_restore(cr);

  // The letter: ink rim and shadow first, then the logo's gradient face.
  DrawLogoLettering(cr, "P", 140, 214, {190, 22, 8, 0.45, 140, 0, 0});
  StarPath(cr, 206, 62, 22, 9);
  SetSource(cr, palette::kSun);
  cairo_fill_preserve(cr);
  SetSource(cr, palette::kInk);
  cairo_set_line_width(cr, 4);
  cairo_stroke(cr);
  TileRim(cr);
}

// The quiz: the bull's head over the pasture's sky and meadow.
void PaintQuizIcon(cairo_t* cr) {
  TileShadow(cr);
  cairo_save(cr);
  RoundedRect(cr, kTileX, kTileY, kTileSize, kTileSize, kTileRadius);
  cairo_clip(cr);
  cairo_rectangle(cr, kTileX, kTileY, kTileSize, kTileSize);
  FillVertical(cr, kTileY, kTileY + 160, quiz::tone::kSkyTop, quiz::tone::kSkyLow);
  cairo_move_to(cr, kTileX, 178);
  cairo_curve_to(cr, 80, 160, 170, 166, kTileX + kTileSize, 174);
  cairo_line_to(cr, kTileX + kTileSize, kTileY + kTileSize);
  cairo_line_to(cr, kTileX, kTileY + kTileSize);
  cairo_close_path(cr);
  FillVertical(cr, 160, kTileY + kTileSize, quiz::tone::kMeadow, quiz::tone::kMeadowDeep);
  cairo_translate(cr, 128, 140);
  cairo_scale(cr, 0.86, 0.86);
  quiz::PaintBullHead(cr);
  cairo_restore(cr);
  TileRim(cr);
}

using Painter = void (*)(cairo_t*);

bool WritePng(const std::string& path, int size, Painter paint) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
  cairo_t* cr = cairo_create(surface);
  cairo_scale(cr, size / kUnits, size / kUnits);
  paint(cr);
  cairo_destroy(cr);
  const bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return Reported(path, ok);
}

bool WriteSvg(const std::string& path, Painter paint) {
  cairo_surface_t* surface = cairo_svg_surface_create(path.c_str(), kUnits, kUnits);
  cairo_t* cr = cairo_create(surface);
  paint(cr);
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  const bool ok = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return Reported(path, ok);
}

bool WriteIcon(const std::string& root, const std::string& name, Painter paint) {
  bool ok = true;
  std::error_code error;
  for (const int size : kPngSizes) {
    const std::string dir = JoinPath(root, "hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/apps");
    std::filesystem::create_directories(dir, error);
    ok = WritePng(JoinPath(dir, name + ".png"), size, paint) && ok;
  }
  const std::string dir = JoinPath(root, "hicolor/scalable/apps");
  std::filesystem::create_directories(dir, error);
  return WriteSvg(JoinPath(dir, name + ".svg"), paint) && ok;
}

}  // namespace
}  // namespace art

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <output directory> <launcher icon name> <quiz icon name>\n", argv[0]);
    return 2;
  }
  bool ok = art::WriteIcon(argv[1], argv[2], art::PaintLauncherIcon);
  ok = art::WriteIcon(argv[1], argv[3], art::PaintQuizIcon) && ok;
  art::ReleaseFontCaches();
  return ok ? 0 : 1;
}
