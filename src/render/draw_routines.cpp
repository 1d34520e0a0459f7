#include "render/draw_routines.h"

namespace tolv {

static void NoSprite(const SpriteFrame*, int32_t, int32_t, int32_t, int32_t) {}
static void NoTile(const Tile*, int32_t, int32_t, int32_t, int32_t) {}

SpriteRoutine sprite_routines[4] = {NoSprite, NoSprite, NoSprite, NoSprite};
TileRoutine draw_tile_opaque = NoTile;
TileRoutine draw_tile_transparent = NoTile;
uint16_t cell_object_counts[18];

}  // namespace tolv
