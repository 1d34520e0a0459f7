// Steps of the game frame that the level and renderer code serve: tile
// animation, palette banks and effects, camera limits and plane scrolling.
// Tile animation, the bank switch, the easing and the scrolling are the
// world's own; palette effects are a no-op until their code installs them.
#pragma once
#include <cstdint>

namespace tolv {

extern void (*animate_tiles)();
extern void (*select_palette_bank)(int bank);
extern void (*run_palette_effects)();
extern void (*ease_camera_limits)();
extern void (*update_plane_scroll)();

// Host state the steps read.
extern uint32_t game_frame_counter;  // game frames since start; never reset by a level load
extern uint8_t view_count;           // 2 when the second view is drawn

}  // namespace tolv
