// Lined plane drawers: H Lined walks the frame one pixel line at a time,
// V Lined one pixel column at a time, each line with its own offset and
// wrap. The cells per line come from W, never from register 11, so a
// script that writes that register cannot make a line run past the frame.
#include "render/frame.h"
#include "render/geometry.h"
#include "render/plane_band.h"
#include "render/plane_drawers.h"

namespace tolv {

// Wraps up to this long have their cells looked up once for the lines of
// a tile row that share the wrap; longer ones a line at a time.
constexpr int64_t kCachedWrap = 1024;

// H Lined: pixel line l of the plane (l = plane y wrapped into the
// plane's height) shifted by its own x offset.
template <int W, int R, bool kOpaque>
static void DrawPlaneHLined(const TilePlane* p) {
  if (!PlaneDrawable(p, kPlaneHLined)) return;
  const int64_t w = p->width, lines = ClampWrap(p->other_wrap, p->height) * 8;
  int64_t l = WrapIndex(p->other_offset, lines);
  // Cells 0 .. wrap - 1 of the cached row, then again from 0 for as many as
  // a line shows, so a line reads them in a straight run from any start.
  CellRef cached[kCachedWrap + W / 8 + 1];
  int64_t cached_row = -1, cached_wrap = 0;
  LineWrapper wrap_line;
  uint8_t* dst = frame_buffer;
  for (int y = 0; y < R; y++, dst += W) {
    const int64_t ox = p->line_offsets[l], wrap = ClampWrap(p->line_wraps[l], w), row = l >> 3;
    const int k = int(l & 7), s = int(ox & 7);
    const int64_t c = wrap_line(ox >> 3, wrap);
    if (wrap <= kCachedWrap) {
      if (row != cached_row || wrap != cached_wrap) {
        for (int64_t i = 0; i < wrap; i++) cached[i] = RefOf<kOpaque>(p->map[row * w + i]);
        for (int64_t i = wrap; i < wrap + W / 8 + 1; i++) cached[i] = cached[i - wrap];
        cached_row = row, cached_wrap = wrap;
      }
      DrawBand<W, 0>(dst, k, 1, s, ArrayCursor{cached + c});
    } else {
      DrawBand<W, 0>(dst, k, 1, s, MapCursor<kOpaque>{p->map + row * w, c, 0, wrap});
    }
    if (++l == lines) l = 0;
  }
}

// Frame columns x .. x + cols - 1 showing pixel columns k .. k + cols - 1
// of the cells down one plane column with one y offset: adjacent pixel
// columns that share their offset and wrap go together.
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

// V Lined: pixel column l of the plane (l = plane x wrapped into the
// plane's width) shifted by its own y offset. The cells are drawn a row of
// cells at a time across the view, each run keeping its own phase.
template <int W, int R, bool kOpaque>
static void DrawPlaneVLined(const TilePlane* p) {
  if (!PlaneDrawable(p, kPlaneVLined)) return;
  const int64_t columns = ClampWrap(p->other_wrap, p->width) * 8, w = p->width;
  int64_t l = WrapIndex(p->other_offset, columns);
  ColumnRun runs[W];
  LineWrapper wrap_line;
  int n = 0;
  for (int x = 0; x < W; x++, l = l + 1 == columns ? 0 : l + 1) {
    const int64_t oy = p->line_offsets[l], wrap = ClampWrap(p->line_wraps[l], p->height), tc = l >> 3;
    const int k = int(l & 7);
    ColumnRun* last = n ? &runs[n - 1] : nullptr;
    if (last && k == last->k + last->cols && last->top == p->map + tc && last->oy == oy &&
        last->wrap == wrap) {
      last->cols++;
      continue;
    }
    const int64_t r = wrap_line(oy >> 3, wrap);
    runs[n++] = ColumnRun{p->map + r * w + tc, p->map + tc, r, wrap, w, oy, x, k, 1, int(oy & 7)};
  }
  // Each row of cells is looked up first, then written: the lookups overlap.
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
    for (int j = 0; j < n; j++)
      put(j, 8 * i - runs[j].t, 0, 8);
  }
  row_of_cells();
  for (int j = 0; j < n; j++)
    put(j, R - runs[j].t, 0, runs[j].t);
}

template <int W, int R>
static void Install(DrawRoutines& r) {
  r.draw_plane[kPlaneHLined] = DrawPlaneHLined<W, R, false>;
  r.draw_plane[kPlaneVLined] = DrawPlaneVLined<W, R, false>;
  r.draw_plane_opaque[kPlaneHLined] = DrawPlaneHLined<W, R, true>;
  r.draw_plane_opaque[kPlaneVLined] = DrawPlaneVLined<W, R, true>;
}

void InstallLinedPlaneDrawers(FrameGeometry g, DrawRoutines& r) {
  WithViewGeometry(g, [&r]<int W, int R>() { Install<W, R>(r); });
}

}  // namespace tolv
