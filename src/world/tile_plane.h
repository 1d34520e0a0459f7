// Tile planes: grids of tile ids with their parallax type and per-line
// scroll data, and the collision probe that movers use.
#pragma once
#include <cstdint>

namespace tolv {

enum PlaneType : uint8_t {
  kPlaneFlat = 0,
  kPlaneRelative = 1,
  kPlaneHTiled = 2,
  kPlaneVTiled = 3,
  kPlaneHLined = 4,
  kPlaneVLined = 5,
};

constexpr uint16_t kNoPlaneFunction = 0xFFFF;
constexpr uint16_t kPlaneOpaque = 1;       // flags bit 0: tile 0 cells are drawn
constexpr uint32_t kMaxPlaneSide = 65535;  // tiles, either axis

struct TilePlane {
  uint32_t width = 0;   // in tiles
  uint32_t height = 0;
  // Row by row: cell (x, y) at row_starts[y] + x. Planes the engine builds
  // hold width * (height + 1) + 1 cells: a spare row of tile 0 below the
  // last row and one cell more.
  uint16_t* map = nullptr;
  // The cells up to the other-axis wrap (width x height for planes the
  // engine builds; less for some loaded ones). Rows past it still hold
  // the file's cells: reads are bounded by map_cells, not by this.
  uint32_t cell_count = 0;
  uint64_t map_cells = 0;  // cells the map was allocated with
  uint8_t type = 0;  // PlaneType
  uint8_t active_view0 = 0;
  uint8_t active_view1 = 0;
  uint16_t plane_function = kNoPlaneFunction;
  uint32_t* row_starts = nullptr;  // height entries, width * y
  // One entry per scroll line (PlaneLineCount); wraps in tiles, offsets in
  // pixels written by plane scrolling, factors index the scroll tables.
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

// The scroll lines of a type: 1 for Flat and Relative (and any unknown
// type), a tile row or column each for the Tiled types, a pixel row or
// column each for the Lined ones.
uint32_t PlaneLineCount(uint8_t type, uint32_t width, uint32_t height);
// V Tiled and V Lined split columns: their lines wrap vertically.
inline bool PlaneSplitsColumns(uint8_t type) { return type == kPlaneVTiled || type == kPlaneVLined; }
// The extent a line wraps over (width, or height for column types) and the
// other axis' extent.
inline uint32_t PlaneLineExtent(const TilePlane& p) { return PlaneSplitsColumns(p.type) ? p.height : p.width; }
inline uint32_t PlaneOtherExtent(const TilePlane& p) { return PlaneSplitsColumns(p.type) ? p.width : p.height; }
// Cells a map of width x height is allocated with.
inline uint64_t PlaneMapCells(uint32_t width, uint32_t height) { return uint64_t(width) * (height + 1ull) + 1; }

// A fresh plane: map of tile 0, row starts, line arrays at the type's
// defaults, view bytes 0, no plane function; flags are left alone. Sides
// are kept to 1..kMaxPlaneSide. Frees nothing: p must hold no arrays.
void InitPlane(TilePlane& p, uint8_t type, uint32_t width, uint32_t height);
// Rebuilds row starts and line arrays for a new type; map, view bytes and
// flags stay, the plane function is dropped.
void SetPlaneType(TilePlane& p, uint8_t type);
// dst becomes a copy of src's map, size, type and scroll data, with no
// plane function; its view bytes and flags stay.
void CopyPlane(const TilePlane& src, TilePlane& dst);
// Releases the arrays; the record keeps its other fields.
void FreePlane(TilePlane& p);

// Cell (column, row) of a plane's map; null outside the plane or the
// cells its map was allocated with.
uint16_t* PlaneCell(const TilePlane& p, int64_t column, int64_t row);
// The plane at index i, or null.
inline TilePlane* PlaneAt(uint32_t i) { return planes && i < plane_count ? &planes[i] : nullptr; }

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
