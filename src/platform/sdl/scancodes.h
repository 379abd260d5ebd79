// Physical keys: SDL scancodes (USB usage ids) to the DirectInput scan
// codes and virtual-key codes the programs work with.
#pragma once
#include <cstdint>

namespace platform::sdl {

// The PC set-1 scan code of a key position (0x80 added for extended keys),
// 0 for keys the programs do not know.
int ScanCodeFromSdl(int sdlScancode);
// The virtual-key code a key message carries, 0 when none.
uint32_t VirtualKeyFromSdl(int sdlScancode);

}  // namespace platform::sdl
