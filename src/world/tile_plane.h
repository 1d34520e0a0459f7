// Tile planes: grids of tile ids, and the collision probe that movers use.
#pragma once
#include <cstdint>

namespace tolv {

struct TilePlane {
  uint32_t width = 0;   // in tiles
  uint32_t height = 0;
  uint16_t* map = nullptr;  // row by row: cell (x, y) at row_starts[y] + x
  uint32_t cell_count = 0;
  uint8_t type = 0;  // 0 Flat, 1 Relative, 2 H Tiled, 3 V Tiled, 4 H Lined, 5 V Lined
  uint8_t active_view0 = 0;
  uint8_t active_view1 = 0;
  uint16_t plane_function = 0xFFFF;
  uint32_t* row_starts = nullptr;
  uint32_t* line_wraps = nullptr;
  uint32_t other_wrap = 0;
  int32_t* line_offsets = nullptr;
  int32_t other_offset = 0;
  uint8_t* line_factors = nullptr;
  uint8_t other_factor = 0;
  uint16_t flags = 0;
};

extern TilePlane* planes;
extern uint8_t plane_count;

// Plane and point of the next tile lookup.
extern int32_t tile_probe_plane;
extern int32_t tile_probe_x;
extern int32_t tile_probe_y;

// The plane tile_probe_plane names, or null.
TilePlane* ProbePlane();
// Collision byte at pixel (x, y) of tile_probe_plane: 0 outside the plane,
// for a missing plane or a tile id beyond the tile set.
uint8_t ProbeCollision(int32_t x, int32_t y);

}  // namespace tolv
