// One game frame: the world update, the global scripts, then each view's
// camera, scrolling and draw pass.
#pragma once
#include <cstdint>

namespace tolv {

extern uint32_t game_frame_counter;  // game frames since start; never reset by a level load
extern uint8_t view_count;           // 2 when the second view is drawn
extern int32_t screen_shake_x, screen_shake_y;  // added to the drawn view's camera

void RunGameFrame();

}  // namespace tolv
