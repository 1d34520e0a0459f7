// The drawing-routine slots. SetScreenMode fills them with the routines of
// the installed geometry; everything that draws calls through them, so the
// geometry is chosen once and never tested in a loop.
#pragma once
#include <cstdint>

#include "world/sprite_frame.h"
#include "world/tile.h"
#include "world/tile_plane.h"

namespace tolv {

// Tiles: the current 8x8 frame with its top-left pixel at (x - cam_x, y - cam_y).
using TileRoutine = void (*)(const Tile* tile, int32_t cam_x, int32_t cam_y, int32_t x, int32_t y);
using ClippedTileRoutine = void (*)(const Tile* tile, int32_t cam_x, int32_t cam_y, int32_t x, int32_t y,
                                    int32_t left, int32_t right, int32_t top, int32_t bottom);
// Sprites: 1 drawn, 0 not. The clipped forms keep to the rectangle
// left..right, top..bottom (inclusive) and never wrap.
using SpriteRoutine = int32_t (*)(const SpriteFrame* frame, int32_t cam_x, int32_t cam_y, int32_t x, int32_t y);
using ClippedSpriteRoutine = int32_t (*)(const SpriteFrame* frame, int32_t cam_x, int32_t cam_y, int32_t x,
                                         int32_t y, int32_t left, int32_t right, int32_t top, int32_t bottom);
// Lines: clip first (1 draw, 0 reject), then draw the clipped values.
using ClipLineRoutine = int32_t (*)(int32_t* x1, int32_t* y1, int32_t* x2, int32_t* y2);
using HLineRoutine = void (*)(int32_t x1, int32_t y, int32_t x2, uint8_t colour);  // x1 .. x2 - 1
using VLineRoutine = void (*)(int32_t x, int32_t y1, int32_t y2, uint8_t colour);  // y1 .. y2 - 1
using LineRoutine = void (*)(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t colour);
using PlaneRoutine = void (*)(const TilePlane* plane);

constexpr int kPlaneTypes = 6;  // Flat, Relative, H Tiled, V Tiled, H Lined, V Lined

// Sprite slots are indexed by flip bits: 0 normal, 1 mirrored left to
// right, 2 upside down, 3 both.
enum SpriteFlip { kDrawNormal = 0, kDrawBackward = 1, kDrawUpsideDown = 2, kDrawBoth = 3 };

struct DrawRoutines {
  TileRoutine draw_tile_opaque;
  TileRoutine draw_tile_transparent;
  SpriteRoutine draw_sprite[4];
  ClippedTileRoutine draw_tile_opaque_clipped;
  ClippedTileRoutine draw_tile_transparent_clipped;
  ClippedSpriteRoutine draw_sprite_clipped[4];
  ClipLineRoutine clip_line;
  HLineRoutine draw_hline;
  VLineRoutine draw_vline;
  LineRoutine draw_line;
  PlaneRoutine draw_plane[kPlaneTypes];
  PlaneRoutine draw_plane_opaque[kPlaneTypes];
};

// The live slots (empty routines until a screen mode is installed) and
// the copy that a dropped frame's skip routines are restored from.
extern DrawRoutines draw_routines;
extern DrawRoutines saved_draw_routines;

// Objects seen per view and wrap cell by the last draw pass (view x 9 + cell).
extern uint16_t cell_object_counts[18];

void SkipTileDraw(const Tile*, int32_t, int32_t, int32_t, int32_t);
int32_t SkipSpriteDraw(const SpriteFrame*, int32_t, int32_t, int32_t, int32_t);
void SkipClippedTileDraw(const Tile*, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t);
int32_t SkipClippedSpriteDraw(const SpriteFrame*, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t,
                              int32_t);
void SkipPlaneDraw(const TilePlane*);

// A dropped frame: the tile, sprite, clipped and plane slots draw nothing
// until RestoreDrawRoutines puts saved_draw_routines back.
void SwapInSkipRoutines();
void RestoreDrawRoutines();

}  // namespace tolv
