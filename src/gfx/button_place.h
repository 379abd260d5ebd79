// One row of a screen's table of buttons: its name, its picture strip and
// where it stands.
#pragma once

namespace gfx {

struct ButtonPlace {
  const char* name;
  const char* file;  // a strip of `states` looks side by side; none: a bare hotspot
  int x, y;
  int states = 2;
  int width = 0, height = 0;  // a bare hotspot's size
};

}  // namespace gfx
