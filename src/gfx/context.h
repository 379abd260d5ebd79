// The program-wide services every screen, pop-up, sprite and button draws
// and reads input with. The application object owns them all and hands each
// screen this bundle of references, so nothing is reached through globals;
// what only a program's own screens need (starting programs, the window
// caption) they are given on their own.
#pragma once

namespace platform { class Qv; }
namespace shell { class Timers; class MouseCursor; class MessagePump; }

namespace gfx {

class RedrawQueue;
class SpriteList;

struct Context {
  platform::Qv& qv;                 // display pages, bitmaps, keys, message boxes via its back end
  shell::Timers& timers;            // tick counter, game clock
  shell::MouseCursor& mouse;
  shell::MessagePump& pump;         // one pass of the message pump (and the keys it took), for modal loops
  RedrawQueue& redraw;
  SpriteList& sprites;              // the program's free-running sprites
  int screenWidth = 800;
  int screenHeight = 600;
};

}  // namespace gfx
