// V Lined plane drawers: every pixel column of the plane with its own y
// offset and wrap. Adjacent columns that share them go together as runs
// of up to 8 columns of a tile, drawn as one; a column of its own costs a
// tile lookup and 8 single bytes per cell, which no ordering of the work
// was found to beat.
#include "render/frame.h"
#include "render/geometry.h"
#include "render/plane_cells.h"
#include "render/plane_drawers.h"

namespace tolv {

// Frame columns x .. x + cols - 1 showing pixel columns k .. k + cols - 1
// of the cells down one plane column with one y offset oy; `cell` is the
// cell of map row r, rows wrapping into [0, wrap).
struct ColumnRun {
  const uint16_t* cell;
  const uint16_t* top;  // the cell of row 0
  int64_t r, wrap, width;
  int64_t oy;
  int x, k, cols, t;
  void Next() {
    if (++r == wrap) r = 0, cell = top;
    else cell += width;
  }
};

// The view's runs, left to right; returns their count.
template <int W>
static int FindRuns(const TilePlane* p, ColumnRun* runs) {
  const int64_t columns = ClampWrap(p->other_wrap, p->width) * 8, w = p->width;
  int64_t l = WrapIndex(p->other_offset, columns);
  LineWrapper wrap_line;
  int n = 0;
  for (int x = 0; x < W; x++, l = l + 1 == columns ? 0 : l + 1) {
    const int64_t oy = p->line_offsets[l], wrap = ClampWrap(p->line_wraps[l], p->height), tc = l >> 3;
    const int k = int(l & 7);
    ColumnRun* last = n ? &runs[n - 1] : nullptr;
    if (last && k == last->k + last->cols && last->top == p->map + tc && last->oy == oy && last->wrap == wrap) {
      last->cols++;
      continue;
    }
    const int64_t r = wrap_line(oy >> 3, wrap);
    runs[n++] = ColumnRun{p->map + r * w + tc, p->map + tc, r, wrap, w, oy, x, k, 1, int(oy & 7)};
  }
  return n;
}

// Runs a row of cells at a time across the view, each keeping its own
// phase; a row's cells are looked up first, so the lookups overlap.
template <int W, int R, bool kOpaque>
static void DrawRuns(ColumnRun* runs, int n) {
  CellSource cells[W];
  auto row_of_cells = [&] {
    for (int j = 0; j < n; j++) cells[j] = CellOf<kOpaque>(*runs[j].cell), runs[j].Next();
  };
  // Rows k0 .. k0 + rows - 1 of run j's cell at frame row y.
  auto put = [&](int j, int y, int k0, int rows) {
    WritePartCell<W>(frame_buffer + y * W + runs[j].x, cells[j], k0, rows, runs[j].k, runs[j].cols);
  };
  row_of_cells();
  for (int j = 0; j < n; j++) put(j, 0, runs[j].t, 8 - runs[j].t);
  for (int i = 1; i < R / 8; i++) {
    row_of_cells();
    for (int j = 0; j < n; j++) put(j, 8 * i - runs[j].t, 0, 8);
  }
  row_of_cells();
  for (int j = 0; j < n; j++) put(j, R - runs[j].t, 0, runs[j].t);
}

template <int W, int R, bool kOpaque>
static void DrawPlaneVLined(const TilePlane* p) {
  if (!PlaneDrawable(p, kPlaneVLined)) return;
  ColumnRun runs[W];
  DrawRuns<W, R, kOpaque>(runs, FindRuns<W>(p, runs));
}

template <int W, int R>
static void Install(DrawRoutines& r) {
  r.draw_plane[kPlaneVLined] = DrawPlaneVLined<W, R, false>;
  r.draw_plane_opaque[kPlaneVLined] = DrawPlaneVLined<W, R, true>;
}

void InstallVLinedPlaneDrawers(FrameGeometry g, DrawRoutines& r) {
  WithViewGeometry(g, [&r]<int W, int R>() { Install<W, R>(r); });
}

}  // namespace tolv
