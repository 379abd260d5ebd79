// Free helpers over surfaces: colour keys given as red, green, blue, pixel
// reads for hit tests and font measuring, blank surfaces, cutting a bitmap
// into frames, and the two clipped, colour-keyed copies everything is drawn
// with. None of them owns the surfaces it is given.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/surface.h"

namespace platform { class Qv; }

namespace gfx::SurfaceUtils {

using SurfaceList = std::vector<std::unique_ptr<platform::Surface>>;

// The colour in the surface's pixel format, from its channel bit counts.
uint16_t KeyValue(const platform::Surface* surface, int red, int green, int blue);
// Makes that colour the surface's transparent source colour.
void SetColourKey(platform::Surface* surface, int red, int green, int blue);
// The raw pixel at (x, y); -1 when the surface is missing or the point lies
// outside it.
int ReadPixel(const platform::Surface* surface, int x, int y);
// Width and height; 0, 0 for no surface.
void Size(const platform::Surface* surface, int& width, int& height);
// A plain surface made by the display, with a colour key of 0; none before
// the display exists or for an empty size.
std::unique_ptr<platform::Surface> CreateBlank(platform::Qv& qv, int width, int height);
void FillRaw(platform::Surface* surface, uint16_t value);
// The surface's size centred in the given area.
platform::Rect CentreRect(const platform::Surface* surface, int left, int top, int width,
                          int height);
// Cuts source into frameWidth x frameHeight pieces, row by row, each a new
// surface keyed on pure blue appended to list. Remainders are ignored.
// 0 when a piece could not be made (the pieces made so far are kept) or the
// frame size is not positive.
int SplitSurface(platform::Qv& qv, const platform::Surface* source, SurfaceList& list,
                 int frameWidth, int frameHeight);
// Loads path and cuts it into count equal pictures, side by side or
// (vertical non-zero) stacked, appended to list. The whole strip; none, and
// nothing appended, when count is not positive or the file cannot be loaded.
std::unique_ptr<platform::Surface> LoadStrip(platform::Qv& qv, const std::string& path, int count,
                                             int vertical, SurfaceList& list);
// Loads path and splits it; 0 when it cannot be loaded.
int SplitFile(platform::Qv& qv, const std::string& path, SurfaceList& list, int frameWidth,
              int frameHeight);
// Keyed copy of the source rectangle to (dx, dy), clipped to the destination.
void CopyRect(const platform::Surface* source, int x, int y, int width, int height,
              platform::Surface* destination, int dx, int dy);
// Keyed copy of the whole source to (x, y), clipped to the destination.
void DrawKeyed(const platform::Surface* source, platform::Surface* destination, int x, int y);

}  // namespace gfx::SurfaceUtils
