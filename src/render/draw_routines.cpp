#include "render/draw_routines.h"

namespace tolv {

void SkipTileDraw(const Tile*, int32_t, int32_t, int32_t, int32_t) {}
int32_t SkipSpriteDraw(const SpriteFrame*, int32_t, int32_t, int32_t, int32_t) { return 0; }
void SkipClippedTileDraw(const Tile*, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) {}
int32_t SkipClippedSpriteDraw(const SpriteFrame*, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t,
                              int32_t) {
  return 0;
}
void SkipPlaneDraw(const TilePlane*) {}

static int32_t NoClip(int32_t*, int32_t*, int32_t*, int32_t*) { return 0; }
static void NoHLine(int32_t, int32_t, int32_t, uint8_t) {}
static void NoLine(int32_t, int32_t, int32_t, int32_t, uint8_t) {}

static constexpr DrawRoutines kSkipAll = {
    SkipTileDraw,
    SkipTileDraw,
    {SkipSpriteDraw, SkipSpriteDraw, SkipSpriteDraw, SkipSpriteDraw},
    SkipClippedTileDraw,
    SkipClippedTileDraw,
    {SkipClippedSpriteDraw, SkipClippedSpriteDraw, SkipClippedSpriteDraw, SkipClippedSpriteDraw},
    NoClip,
    NoHLine,
    NoHLine,
    NoLine,
    {SkipPlaneDraw, SkipPlaneDraw, SkipPlaneDraw, SkipPlaneDraw, SkipPlaneDraw, SkipPlaneDraw},
    {SkipPlaneDraw, SkipPlaneDraw, SkipPlaneDraw, SkipPlaneDraw, SkipPlaneDraw, SkipPlaneDraw},
};

DrawRoutines draw_routines = kSkipAll;
DrawRoutines saved_draw_routines = kSkipAll;
uint16_t cell_object_counts[18];

void SwapInSkipRoutines() {
  DrawRoutines& r = draw_routines;
  r.draw_tile_opaque = r.draw_tile_transparent = SkipTileDraw;
  r.draw_tile_opaque_clipped = r.draw_tile_transparent_clipped = SkipClippedTileDraw;
  for (int f = 0; f < 4; f++) {
    r.draw_sprite[f] = SkipSpriteDraw;
    r.draw_sprite_clipped[f] = SkipClippedSpriteDraw;
  }
  for (int t = 0; t < kPlaneTypes; t++) r.draw_plane[t] = r.draw_plane_opaque[t] = SkipPlaneDraw;
}

void RestoreDrawRoutines() { draw_routines = saved_draw_routines; }

}  // namespace tolv
