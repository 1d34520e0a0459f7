// One game frame: the world update, the global scripts, then each view's
// camera, scrolling and draw pass.
#pragma once
#include <cstdint>

#include "world/frame_steps.h"  // game_frame_counter, view_count

namespace tolv {

void RunGameFrame();

}  // namespace tolv
