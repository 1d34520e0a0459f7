// The screen dispatcher: one screen frame of whatever active_screen
// selects, the frame-skip swaps, the overlays and the presentation.
#pragma once
#include <cstdint>

namespace tolv {

// The routine that runs one frame of a screen: the game (0), the start
// countdown (1), the launcher (128), the object editor (252, with its
// placement cursor) and the level editor (253); every other screen shows
// a blank frame.
using ScreenRoutine = void (*)();
ScreenRoutine ScreenRoutineFor(uint8_t screen);

// Counts register 55; on a frame frame skip drops (register 249 non-zero)
// swaps the skip routines into the drawing slots around the screen's
// frame, restores them and counts 249 down; otherwise runs the screen's
// frame, starts 249 again from register 250, draws the overlays (with
// `fps`) and presents the frame.
void RunScreenFrame(uint32_t fps);

// Frames presented since start-up (tests).
extern uint32_t frames_presented;

}  // namespace tolv
