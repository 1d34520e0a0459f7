#include "plane_reference.h"

#include <algorithm>

#include "script/operands.h"
#include "script/registers.h"
#include "world/tile.h"

namespace tolv::test {
namespace {

int64_t FloorDiv(int64_t a, int64_t n) { return a >= 0 ? a / n : -((-a + n - 1) / n); }
int64_t FloorMod(int64_t a, int64_t n) { return a - FloorDiv(a, n) * n; }
int64_t RegisterAt(uint32_t r) { return registers && r < register_count ? registers[r] : 0; }

// Where a view pixel comes from: plane cell and pixel within the tile.
struct Source {
  int64_t col, row;
  int64_t tx, ty;
};

// The cell under plane pixel (px, py) with columns wrapped into [lo, lo + nx)
// and rows into [top, top + ny).
Source Cell(int64_t px, int64_t py, int64_t lo, int64_t nx, int64_t top, int64_t ny) {
  return {lo + FloorMod(FloorDiv(px, 8) - lo, nx), top + FloorMod(FloorDiv(py, 8) - top, ny), FloorMod(px, 8),
          FloorMod(py, 8)};
}

Source Locate(const TilePlane& p, uint8_t type, int64_t x, int64_t y) {
  const int64_t w = p.width, h = p.height;
  auto wrap = [](int64_t v, int64_t extent) { return std::clamp<int64_t>(v, 1, extent); };
  switch (type) {
    case kPlaneFlat: {
      int64_t pl = RegisterAt(kRegPlayer) == 1 ? 1 : 0;
      int64_t left = std::clamp<int64_t>(FloorDiv(RegisterAt(23 + pl), 8), 0, w - 1);
      int64_t top = std::clamp<int64_t>(FloorDiv(RegisterAt(25 + pl), 8), 0, h - 1);
      int64_t right = std::clamp<int64_t>(FloorDiv(RegisterAt(27 + pl) + 7, 8), left + 1, w);
      int64_t bottom = std::clamp<int64_t>(FloorDiv(RegisterAt(29 + pl) + 7, 8), top + 1, h);
      return Cell(RegisterAt(kRegCameraX) + x, RegisterAt(kRegCameraY) + y, left, right - left, top, bottom - top);
    }
    case kPlaneRelative:
      return Cell(p.line_offsets[0] + x, p.other_offset + y, 0, wrap(p.line_wraps[0], w), 0, wrap(p.other_wrap, h));
    case kPlaneHTiled: {
      int64_t py = p.other_offset + y, row = FloorMod(FloorDiv(py, 8), wrap(p.other_wrap, h));
      Source s = Cell(p.line_offsets[row] + x, py, 0, wrap(p.line_wraps[row], w), 0, 1);
      return {s.col, row, s.tx, s.ty};
    }
    case kPlaneVTiled: {
      int64_t px = p.other_offset + x, col = FloorMod(FloorDiv(px, 8), wrap(p.other_wrap, w));
      Source s = Cell(px, p.line_offsets[col] + y, 0, 1, 0, wrap(p.line_wraps[col], h));
      return {col, s.row, s.tx, s.ty};
    }
    case kPlaneHLined: {
      int64_t line = FloorMod(p.other_offset + y, wrap(p.other_wrap, h) * 8);
      Source s = Cell(p.line_offsets[line] + x, 0, 0, wrap(p.line_wraps[line], w), 0, 1);
      return {s.col, line / 8, s.tx, line % 8};
    }
    default: {
      int64_t line = FloorMod(p.other_offset + x, wrap(p.other_wrap, w) * 8);
      Source s = Cell(0, p.line_offsets[line] + y, 0, 1, 0, wrap(p.line_wraps[line], h));
      return {line / 8, s.row, line % 8, s.ty};
    }
  }
}

}  // namespace

void DrawPlaneReference(const TilePlane* p, uint8_t type, bool opaque, int W, int R, uint8_t* view) {
  if (!p || !p->map || !p->width || !p->height || uint64_t{p->width} * p->height > p->map_cells) return;
  if (type != kPlaneFlat && (p->type != type || !p->line_offsets || !p->line_wraps)) return;
  for (int64_t y = 0; y < R; y++)
    for (int64_t x = 0; x < W; x++) {
      Source s = Locate(*p, type, x, y);
      uint16_t id = p->map[s.row * p->width + s.col];
      if (id >= tile_count || (!opaque && id == 0) || !tiles[id].current_frame) continue;
      const Tile& t = tiles[id];
      uint8_t c = t.current_frame[s.ty * 8 + s.tx];
      if (opaque || t.opaque || c) view[y * W + x] = c;
    }
}

}  // namespace tolv::test
