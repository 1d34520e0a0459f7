// Plain plane drawers: correct for every plane type and both kinds, one
// cell run at a time with full wrapping on every line. They stand in the
// plane slots until the per-geometry plane drawers replace them.
#include "render/frame.h"
#include "render/geometry.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

static int64_t FloorDiv8(int64_t v) { return v >> 3; }
// v wrapped into [lo, hi); hi > lo.
static int64_t WrapInto(int64_t v, int64_t lo, int64_t hi) {
  int64_t n = hi - lo, m = (v - lo) % n;
  return lo + (m < 0 ? m + n : m);
}
static int32_t RegisterValue(uint32_t r) { return registers && r < register_count ? registers[r] : 0; }

// The tile at a plane cell, or null for a cell or id outside the plane.
static const Tile* CellTile(const TilePlane* p, int64_t row, int64_t col, bool opaque) {
  if (row < 0 || col < 0 || row >= int64_t{p->height} || col >= int64_t{p->width}) return nullptr;
  int64_t cell = (p->row_starts ? int64_t{p->row_starts[row]} : row * p->width) + col;
  if (cell >= int64_t{p->cell_count}) return nullptr;
  uint16_t id = p->map[cell];
  const Tile& t = TileAt(id);
  if ((!opaque && id == 0) || &t == &kEmptyTile || !t.current_frame) return nullptr;  // beyond the set: nothing
  return &t;
}

static void PutPixel(uint8_t* dst, uint8_t c, bool opaque) {
  if (opaque || c) *dst = c;
}

// One frame row: plane pixel row k of tile row `row`, starting at plane x
// = ox, cell columns wrapped into [lo, hi).
static void DrawRowRun(const TilePlane* p, uint8_t* dst, int64_t row, int k, int64_t ox, int64_t lo, int64_t hi,
                       bool opaque) {
  for (int32_t x = 0; x < frame_width; x++) {
    int64_t px = ox + x;
    const Tile* t = CellTile(p, row, WrapInto(FloorDiv8(px), lo, hi), opaque);
    if (t) PutPixel(dst + x, t->current_frame[k * 8 + (px & 7)], opaque);
  }
}

// One frame column: plane pixel column k of tile column `col`, from plane
// y = oy, cell rows wrapped into [lo, hi).
static void DrawColumnRun(const TilePlane* p, int32_t x, int64_t col, int k, int64_t oy, int64_t lo, int64_t hi,
                          bool opaque, int32_t rows) {
  for (int32_t y = 0; y < rows; y++) {
    int64_t py = oy + y;
    const Tile* t = CellTile(p, WrapInto(FloorDiv8(py), lo, hi), col, opaque);
    if (t) PutPixel(frame_buffer + row_offsets[y] + x, t->current_frame[(py & 7) * 8 + k], opaque);
  }
}

// kRows: the rows filled, 0 for the installed frame's height.
template <uint8_t kType, bool kOpaque, int32_t kRows>
static void DrawPlane(const TilePlane* p) {
  const int32_t rows = kRows ? kRows : frame_height;
  // Flat reads no line arrays, so any plane may be drawn as one (the level
  // editor draws the plane it edits so).
  if (!p || !p->map || (kType != 0 && p->type != kType)) return;
  if (kType > 0 && (!p->line_offsets || !p->line_wraps || p->other_wrap == 0)) return;
  const int64_t lines = PlaneLineCount(p->type, p->width, p->height), other = p->other_wrap;
  auto line_wrap = [&](int64_t l) { return l < lines ? int64_t{p->line_wraps[l]} : 0; };
  auto line_offset = [&](int64_t l) { return l < lines ? int64_t{p->line_offsets[l]} : 0; };
  if constexpr (kType == 0) {  // Flat: the camera, repeating outside the player's camera limits
    int32_t pl = RegisterValue(kRegPlayer) == 1 ? 1 : 0;
    int64_t left = FloorDiv8(RegisterValue(23 + pl)), top = FloorDiv8(RegisterValue(25 + pl));
    int64_t right = FloorDiv8(RegisterValue(27 + pl)) + (RegisterValue(27 + pl) % 8 != 0);
    int64_t bottom = FloorDiv8(RegisterValue(29 + pl)) + (RegisterValue(29 + pl) % 8 != 0);
    if (right <= left || bottom <= top) return;
    int64_t ox = RegisterValue(kRegCameraX), oy = RegisterValue(kRegCameraY);
    for (int32_t y = 0; y < rows; y++)
      DrawRowRun(p, frame_buffer + row_offsets[y], WrapInto(FloorDiv8(oy + y), top, bottom), int((oy + y) & 7), ox,
                 left, right, kOpaque);
  } else if constexpr (kType == 1 || kType == 2 || kType == 4) {  // rows of their own x offset
    const int64_t oy = p->other_offset;
    for (int32_t y = 0; y < rows; y++) {
      int64_t py = oy + y, row = WrapInto(FloorDiv8(py), 0, other);
      int64_t l = kType == 1 ? 0 : kType == 2 ? row : WrapInto(py, 0, other * 8);
      int64_t wrap = line_wrap(l);
      if (wrap > 0)
        DrawRowRun(p, frame_buffer + row_offsets[y], row, int(py & 7), line_offset(l), 0, wrap, kOpaque);
    }
  } else {  // columns of their own y offset
    const int64_t ox = p->other_offset;
    for (int32_t x = 0; x < frame_width; x++) {
      int64_t px = ox + x, col = WrapInto(FloorDiv8(px), 0, other);
      int64_t l = kType == 3 ? col : WrapInto(px, 0, other * 8);
      int64_t wrap = line_wrap(l);
      if (wrap > 0) DrawColumnRun(p, x, col, int(px & 7), line_offset(l), 0, wrap, kOpaque, rows);
    }
  }
}

template <int32_t kRows>
static void InstallRows(DrawRoutines& r) {
  r.draw_plane[0] = DrawPlane<0, false, kRows>, r.draw_plane_opaque[0] = DrawPlane<0, true, kRows>;
  r.draw_plane[1] = DrawPlane<1, false, kRows>, r.draw_plane_opaque[1] = DrawPlane<1, true, kRows>;
  r.draw_plane[2] = DrawPlane<2, false, kRows>, r.draw_plane_opaque[2] = DrawPlane<2, true, kRows>;
  r.draw_plane[3] = DrawPlane<3, false, kRows>, r.draw_plane_opaque[3] = DrawPlane<3, true, kRows>;
  r.draw_plane[4] = DrawPlane<4, false, kRows>, r.draw_plane_opaque[4] = DrawPlane<4, true, kRows>;
  r.draw_plane[5] = DrawPlane<5, false, kRows>, r.draw_plane_opaque[5] = DrawPlane<5, true, kRows>;
}

// The 640x440 view stops 40 rows short of its 480-row frame.
void InstallPlaneDrawers(FrameGeometry g, DrawRoutines& r) {
  if (g == k640x440) return InstallRows<440>(r);
  InstallRows<0>(r);
}

}  // namespace tolv
