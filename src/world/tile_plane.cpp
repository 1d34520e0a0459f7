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

uint16_t* PlaneCell(const TilePlane& p, int64_t column, int64_t row) {
  if (!p.map || column < 0 || row < 0 || column >= p.width || row >= p.height) return nullptr;
  uint64_t cell = (p.row_starts ? p.row_starts[row] : uint64_t(row) * p.width) + uint64_t(column);
  return cell < p.map_cells ? &p.map[cell] : nullptr;
}

uint8_t ProbeCollision(int32_t x, int32_t y) {
  tile_probe_x = x;
  tile_probe_y = y;
  const TilePlane* p = ProbePlane();
  const uint16_t* cell = p ? PlaneCell(*p, x >> 3, y >> 3) : nullptr;
  return cell ? TileAt(*cell).collision[(x & 7) * 8 + (y & 7)] : 0;
}

}  // namespace tolv
