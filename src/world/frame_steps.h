// Steps of the game frame that the level and renderer code serve: tile
// animation, palette banks and effects, camera limits and plane scrolling.
// Tile animation and the bank switch are the tile set's and the palette's
// own; the others are no-ops until their code installs them (a headless
// run needs none).
#pragma once

namespace tolv {

extern void (*animate_tiles)();
extern void (*select_palette_bank)(int bank);
extern void (*run_palette_effects)();
extern void (*ease_camera_limits)();
extern void (*update_plane_scroll)();

}  // namespace tolv
