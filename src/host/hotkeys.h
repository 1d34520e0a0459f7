// The host's hotkeys, read from the pressed row after each screen frame:
// Esc ends the program, F8 returns to game select, F2 and F3 enter and
// leave the editors, F9 saves the game's state and F10 loads it, F11
// toggles the FPS display (register 248 bit 0), F12 takes a screenshot.
#pragma once

namespace tolv {

extern bool quit_requested;  // Esc: the window closes after this frame

void RunHotkeys();

}  // namespace tolv
