// One game frame: the world update, the global scripts, then each view's
// camera, scrolling and draw pass.
#pragma once
#include <cstdint>

namespace tolv {

extern uint32_t game_frame_counter;  // game frames since start; never reset by a level load
extern uint8_t view_count;           // 2 when the second view is drawn
extern int32_t screen_shake_x, screen_shake_y;  // added to the drawn view's camera

// Steps owned by the level and renderer code, installed when they exist;
// no-ops until then (a headless run needs none of them).
extern void (*animate_tiles)();
extern void (*select_palette_bank)(int bank);
extern void (*run_palette_effects)();
extern void (*ease_camera_limits)();
extern void (*update_plane_scroll)();

void RunGameFrame();

}  // namespace tolv
