#include "world/tile_plane.h"

#include "world/tile.h"

namespace tolv {

TilePlane* planes = nullptr;
uint8_t plane_count = 0;
int32_t tile_probe_plane = 0;
int32_t tile_probe_x = 0;
int32_t tile_probe_y = 0;

TilePlane* ProbePlane() {
  if (!planes || tile_probe_plane < 0 || tile_probe_plane >= plane_count) return nullptr;
  return &planes[tile_probe_plane];
}

uint8_t ProbeCollision(int32_t x, int32_t y) {
  tile_probe_x = x;
  tile_probe_y = y;
  const TilePlane* p = ProbePlane();
  if (!p || !p->map || x < 0 || y < 0) return 0;
  uint32_t tx = static_cast<uint32_t>(x) >> 3, ty = static_cast<uint32_t>(y) >> 3;
  if (tx >= p->width || ty >= p->height) return 0;
  uint32_t cell = p->row_starts ? p->row_starts[ty] + tx : ty * p->width + tx;
  if (cell >= p->cell_count) return 0;
  uint16_t id = p->map[cell];
  if (id >= tile_count) return 0;
  return tiles[id].collision[(x & 7) * 8 + (y & 7)];
}

}  // namespace tolv
