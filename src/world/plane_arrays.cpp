// Building, retyping, copying and freeing the arrays of a tile plane.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "world/tile_plane.h"

namespace tolv {

uint32_t PlaneLineCount(uint8_t type, uint32_t width, uint32_t height) {
  switch (type) {
    case kPlaneHTiled: return height;
    case kPlaneVTiled: return width;
    case kPlaneHLined: return height * 8;
    case kPlaneVLined: return width * 8;
    default: return 1;
  }
}

static uint32_t Side(uint32_t n) { return std::clamp<uint32_t>(n, 1, kMaxPlaneSide); }

static void FreeLines(TilePlane& p) {
  delete[] p.row_starts;
  delete[] p.line_wraps;
  delete[] p.line_offsets;
  delete[] p.line_factors;
  p.row_starts = nullptr;
  p.line_wraps = nullptr;
  p.line_offsets = nullptr;
  p.line_factors = nullptr;
}

// Row starts and line arrays for the plane's type and size, every wrap at
// its default and every factor and offset 0.
static void BuildLines(TilePlane& p) {
  const uint32_t lines = PlaneLineCount(p.type, p.width, p.height);
  p.row_starts = new uint32_t[p.height];
  for (uint32_t y = 0; y < p.height; y++) p.row_starts[y] = p.width * y;
  p.line_wraps = new uint32_t[lines];
  std::fill_n(p.line_wraps, lines, PlaneLineExtent(p));
  p.line_offsets = new int32_t[lines]();
  p.line_factors = new uint8_t[lines]();
  p.other_wrap = PlaneOtherExtent(p);
  p.other_offset = 0;
  p.other_factor = 0;
  p.cell_count = p.width * p.height;
  p.plane_function = kNoPlaneFunction;
}

// Maps come zeroed from calloc: the pages of a large, mostly empty map are
// not touched until a cell is written. The map is sized for the plane's
// width and height.
static void AllocMap(TilePlane& p) {
  const uint64_t cells = PlaneMapCells(p.width, p.height);
  void* m = std::calloc(cells, sizeof(uint16_t));
  if (!m) throw std::bad_alloc();
  p.map = static_cast<uint16_t*>(m);
  p.map_cells = cells;
}

void FreePlane(TilePlane& p) {
  FreeLines(p);
  std::free(p.map);
  p.map = nullptr;
  p.map_cells = 0;
}

void InitPlane(TilePlane& p, uint8_t type, uint32_t width, uint32_t height) {
  FreePlane(p);
  p.type = type;
  p.width = Side(width);
  p.height = Side(height);
  p.active_view0 = p.active_view1 = 0;
  AllocMap(p);
  BuildLines(p);
}

void SetPlaneType(TilePlane& p, uint8_t type) {
  FreeLines(p);
  p.type = type;
  BuildLines(p);
}

void CopyPlane(const TilePlane& src, TilePlane& dst) {
  if (&src == &dst) return;
  TilePlane t = dst;  // keeps the view bytes and flags
  t.type = src.type;
  t.width = src.width;
  t.height = src.height;
  AllocMap(t);
  if (src.map)
    for (uint32_t y = 0; y < src.height; y++) {
      const uint32_t from = src.row_starts ? src.row_starts[y] : src.width * y;
      std::memcpy(t.map + size_t(src.width) * y, src.map + from, src.width * sizeof(uint16_t));
    }
  BuildLines(t);
  const uint32_t lines = PlaneLineCount(src.type, src.width, src.height);
  if (src.line_wraps) std::copy_n(src.line_wraps, lines, t.line_wraps);
  if (src.line_offsets) std::copy_n(src.line_offsets, lines, t.line_offsets);
  if (src.line_factors) std::copy_n(src.line_factors, lines, t.line_factors);
  t.other_wrap = src.other_wrap;
  t.other_offset = src.other_offset;
  t.other_factor = src.other_factor;
  t.cell_count = src.cell_count;
  FreePlane(dst);
  dst = t;
}

}  // namespace tolv
