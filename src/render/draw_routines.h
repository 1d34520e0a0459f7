// Drawing-routine slots the renderer installs; the object drawers call
// through them. Defaults draw nothing (headless).
#pragma once
#include <cstdint>

#include "world/sprite_frame.h"
#include "world/tile.h"

namespace tolv {

using SpriteRoutine = void (*)(const SpriteFrame* frame, int32_t cam_x, int32_t cam_y, int32_t x, int32_t y);
using TileRoutine = void (*)(const Tile* tile, int32_t cam_x, int32_t cam_y, int32_t x, int32_t y);

enum SpriteFlip { kDrawNormal = 0, kDrawBackward = 1, kDrawUpsideDown = 2, kDrawBoth = 3 };

// Indexed by flip bits (bit 0 horizontal, bit 1 vertical).
extern SpriteRoutine sprite_routines[4];
extern TileRoutine draw_tile_opaque;
extern TileRoutine draw_tile_transparent;

// Objects seen per wrap cell and view by the draw pass.
extern uint16_t cell_object_counts[18];

}  // namespace tolv
