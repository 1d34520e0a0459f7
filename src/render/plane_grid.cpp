// Tile-grid plane drawers: Flat, Relative and H Tiled walk the frame one
// tile row at a time; V Tiled one row of cells at a time across its tile
// columns, each column keeping its own phase. W and R (frame width and
// rows filled) are constants of each member; only the cells on the view's
// edges are cut.
#include "render/frame.h"
#include "render/geometry.h"
#include "render/plane_band.h"
#include "render/plane_drawers.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

static int64_t RegisterValue(uint32_t r) { return registers && r < register_count ? registers[r] : 0; }

// One tile row across the view: its cell ids (row[c]), the column of its
// first cell, the columns' wrap range [lo, hi) and the shift s (0..7) of
// the first cell's left edge out of the view.
struct BandLine {
  const uint16_t* row;
  int64_t col, lo, hi;
  int s;
};

template <int W, bool kOpaque, int kRows>
static void DrawTileRow(uint8_t* dst, int k0, int rows, const BandLine& b) {
  DrawBand<W, kOpaque, kRows>(dst, k0, rows, b.s, MapCursor<kOpaque>{b.row, b.col, b.lo, b.hi});
}

// Tile rows from plane y = oy down, their index wrapped into [top,
// bottom); line_of(row) gives each row's BandLine.
template <int W, int R, bool kOpaque, typename LineOf>
static void DrawRows(int64_t oy, int64_t top, int64_t bottom, LineOf line_of) {
  int64_t r = top + WrapIndex((oy >> 3) - top, bottom - top);
  const int t = int(oy & 7);
  // The first and last tile rows may be cut; the rows between are whole.
  int y0 = -t;
  if (t) {
    DrawTileRow<W, kOpaque, 0>(frame_buffer, t, 8 - t, line_of(r));
    if (++r == bottom) r = top;
    y0 += 8;
  }
  for (; y0 + 8 <= R; y0 += 8) {
    DrawTileRow<W, kOpaque, 8>(frame_buffer + y0 * W, 0, 8, line_of(r));
    if (++r == bottom) r = top;
  }
  if (y0 < R) DrawTileRow<W, kOpaque, 0>(frame_buffer + y0 * W, 0, R - y0, line_of(r));
}

// Flat: the camera's position, wrapping at the current player's camera
// limits (kept inside the plane).
template <int W, int R, bool kOpaque>
static void DrawPlaneFlat(const TilePlane* p) {
  if (!PlaneDrawable(p, kPlaneFlat)) return;
  const uint32_t pl = RegisterValue(kRegPlayer) == 1 ? 1 : 0;
  const int64_t w = p->width, h = p->height;
  const int64_t left = std::clamp<int64_t>(RegisterValue(23 + pl) >> 3, 0, w - 1);
  const int64_t top = std::clamp<int64_t>(RegisterValue(25 + pl) >> 3, 0, h - 1);
  const int64_t right = std::clamp<int64_t>((RegisterValue(27 + pl) + 7) >> 3, left + 1, w);
  const int64_t bottom = std::clamp<int64_t>((RegisterValue(29 + pl) + 7) >> 3, top + 1, h);
  const int64_t ox = RegisterValue(kRegCameraX), oy = RegisterValue(kRegCameraY);
  const int64_t col = left + WrapIndex((ox >> 3) - left, right - left);
  const uint16_t* map = p->map;
  DrawRows<W, R, kOpaque>(oy, top, bottom, [&](int64_t r) {
    return BandLine{map + r * w, col, left, right, int(ox & 7)};
  });
}

// Relative: one x offset for the whole plane.
template <int W, int R, bool kOpaque>
static void DrawPlaneRelative(const TilePlane* p) {
  if (!PlaneDrawable(p, kPlaneRelative)) return;
  const int64_t w = p->width, ox = p->line_offsets[0];
  const int64_t wrap = ClampWrap(p->line_wraps[0], w), col = WrapIndex(ox >> 3, wrap);
  const uint16_t* map = p->map;
  DrawRows<W, R, kOpaque>(p->other_offset, 0, ClampWrap(p->other_wrap, p->height),
                          [&](int64_t r) { return BandLine{map + r * w, col, 0, wrap, int(ox & 7)}; });
}

// H Tiled: each tile row its own x offset and wrap.
template <int W, int R, bool kOpaque>
static void DrawPlaneHTiled(const TilePlane* p) {
  if (!PlaneDrawable(p, kPlaneHTiled)) return;
  const int64_t w = p->width;
  const uint16_t* map = p->map;
  LineWrapper wrap_line;
  DrawRows<W, R, kOpaque>(p->other_offset, 0, ClampWrap(p->other_wrap, p->height), [&](int64_t r) {
    const int64_t ox = p->line_offsets[r], wrap = ClampWrap(p->line_wraps[r], w);
    return BandLine{map + r * w, wrap_line(ox >> 3, wrap), 0, wrap, int(ox & 7)};
  });
}

// A tile column of a V Tiled plane on its way down the view: frame
// columns x .. x + cols - 1 show pixel columns c0 .. of its cells; `cell`
// is the cell of map row r, rows wrapping into [0, wrap); the first cell
// is shifted t rows up out of the view.
struct TileColumn {
  const uint16_t* cell;
  const uint16_t* top;  // the cell of row 0
  int64_t r, wrap, width;
  int x, c0, cols, t;
  void Next() {
    if (++r == wrap) r = 0, cell = top;
    else cell += width;
  }
};

// Cells are drawn a row of cells at a time across all columns (each column
// keeps its own phase), so the frame is written in bands that stay in cache.
template <int W, int R, bool kOpaque>
static void DrawPlaneVTiled(const TilePlane* p) {
  if (!PlaneDrawable(p, kPlaneVTiled)) return;
  const int64_t ox = p->other_offset, wrap = ClampWrap(p->other_wrap, p->width), w = p->width;
  int64_t c = WrapIndex(ox >> 3, wrap);
  const int s = int(ox & 7);
  constexpr int kMost = W / 8 + 1;
  TileColumn cols[kMost];
  LineWrapper wrap_line;
  int n = 0;
  for (int x0 = -s; x0 < W; x0 += 8, c = c + 1 == wrap ? 0 : c + 1) {
    const int64_t oy = p->line_offsets[c], cw = ClampWrap(p->line_wraps[c], p->height), r = wrap_line(oy >> 3, cw);
    const int c0 = x0 < 0 ? -x0 : 0;
    cols[n++] = TileColumn{p->map + r * w + c, p->map + c, r, cw, w, x0 + c0, c0, std::min(8, W - x0) - c0, int(oy & 7)};
  }
  // The top cells (rows t..7 at frame rows 0..7 - t), the whole cells, the
  // bottom cells (rows 0..t - 1 at frame rows R - t ..).
  for (int j = 0; j < n; j++) {
    TileColumn& tc = cols[j];
    WritePartCell<W>(frame_buffer + tc.x, CellOf<kOpaque>(*tc.cell), tc.t, 8 - tc.t, tc.c0, tc.cols);
    tc.Next();
  }
  // Each row of cells looked up first, then written: the lookups overlap.
  CellSource cells[kMost];
  for (int i = 1; i < R / 8; i++) {
    for (int j = 0; j < n; j++) cells[j] = CellOf<kOpaque>(*cols[j].cell), cols[j].Next();
    WritePartCell<W>(frame_buffer + (8 * i - cols[0].t) * W + cols[0].x, cells[0], 0, 8, cols[0].c0, cols[0].cols);
    for (int j = 1; j < n - 1; j++) WriteWholeCell<W>(frame_buffer + (8 * i - cols[j].t) * W + cols[j].x, cells[j]);
    const TileColumn& last = cols[n - 1];
    if (n > 1) WritePartCell<W>(frame_buffer + (8 * i - last.t) * W + last.x, cells[n - 1], 0, 8, last.c0, last.cols);
  }
  for (int j = 0; j < n; j++) {
    const TileColumn& tc = cols[j];
    WritePartCell<W>(frame_buffer + (R - tc.t) * W + tc.x, CellOf<kOpaque>(*tc.cell), 0, tc.t, tc.c0, tc.cols);
  }
}

template <int W, int R>
static void Install(DrawRoutines& r) {
  r.draw_plane[kPlaneFlat] = DrawPlaneFlat<W, R, false>;
  r.draw_plane[kPlaneRelative] = DrawPlaneRelative<W, R, false>;
  r.draw_plane[kPlaneHTiled] = DrawPlaneHTiled<W, R, false>;
  r.draw_plane[kPlaneVTiled] = DrawPlaneVTiled<W, R, false>;
  r.draw_plane_opaque[kPlaneFlat] = DrawPlaneFlat<W, R, true>;
  r.draw_plane_opaque[kPlaneRelative] = DrawPlaneRelative<W, R, true>;
  r.draw_plane_opaque[kPlaneHTiled] = DrawPlaneHTiled<W, R, true>;
  r.draw_plane_opaque[kPlaneVTiled] = DrawPlaneVTiled<W, R, true>;
}

void InstallGridPlaneDrawers(FrameGeometry g, DrawRoutines& r) {
  WithViewGeometry(g, [&r]<int W, int R>() { Install<W, R>(r); });
}

}  // namespace tolv
