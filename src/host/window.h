// The host window: a GTK+ 2 window, its menu bar over a drawing area that
// is SDL 1.2's video surface, and the idle tick that runs the frame loop.
// With its menu and icon files the only part of the host that knows GTK
// and SDL (library tolv_host_window).
#pragma once
#include <cstdint>

namespace tolv {

constexpr int32_t kWindowWidth = 640;
constexpr int32_t kWindowHeight = 480;

// Starts GTK and SDL's timer, builds the window, points SDL_WINDOWID at
// its drawing area and starts SDL video there, fills the renderer's
// surface and flip and the host's title and icon slots. On a failure it
// prints why ("Error: unable to initialize timer: ...", the SDL error) and
// returns false.
bool OpenHostWindow(int* argc, char*** argv);
// One call of the idle callback: paces, and on a released frame pumps the
// SDL events, folds the keys into the key state and the key maps, runs
// the screen dispatcher and the hotkeys. False once the program should end.
bool IdleTick();
// One turn of the main loop: GTK's pending events, then IdleTick.
bool TickWindow();
// GTK's main loop with IdleTick until Esc, the File menu's Exit or the
// window is closed.
void RunHostWindow();
// SDL stopped, SDL_WINDOWID removed, the window destroyed.
void CloseHostWindow();

// Whether a key (X key symbol) is down on the keyboard now: F8 held at
// start-up opens the launcher.
bool KeyDownNow(uint32_t keysym);
// The drawing area's X id.
unsigned long HostWindowId();
// A key event put into GTK's queue as the X server delivers it to the
// drawing area (X key symbol and key code); window tests press keys so.
void PutWindowKeyEvent(uint32_t keysym, uint32_t keycode, bool down);

}  // namespace tolv
