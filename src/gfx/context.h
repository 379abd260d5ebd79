// The program-wide services every screen, pop-up, sprite and button works
// with. The application object owns them all and hands each screen this
// bundle of references, so nothing is reached through globals.
#pragma once

namespace platform { class Qv; class Display; class ProgramLauncher; }
namespace shell { class Timers; class MouseCursor; class KeyQueue; class MessagePump; class WindowTitle; }

namespace gfx {

class RedrawQueue;
class SpriteList;

struct Context {
  platform::Qv& qv;                 // display pages, bitmaps, keys, message boxes via its back end
  shell::Timers& timers;            // tick counter, game clock
  shell::MouseCursor& mouse;
  shell::KeyQueue& keys;
  shell::MessagePump& pump;         // one pass of the message pump, for modal loops
  shell::WindowTitle& title;
  platform::ProgramLauncher& launcher;
  RedrawQueue& redraw;
  SpriteList& sprites;
  int screenWidth = 800;
  int screenHeight = 600;
};

}  // namespace gfx
