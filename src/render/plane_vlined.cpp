// V Lined plane drawers: every pixel column of the plane with its own y
// offset and wrap. Adjacent columns that share them go together as runs
// of up to 8 columns of a tile. Few runs are drawn a row of cells at a
// time straight into the frame; many (columns mostly on their own) go
// through a column-major scratch, where a column's piece of a cell is one
// 8-byte word instead of 8 single bytes a frame row apart, and the
// scratch is transposed into the frame in blocks.
#include <vector>

#include "render/frame.h"
#include "render/geometry.h"
#include "render/plane_band.h"
#include "render/plane_drawers.h"
#include "render/plane_transpose.h"

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
  int y;  // frame row of cell's top (transposed drawing)
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
    runs[n++] = ColumnRun{p->map + r * w + tc, p->map + tc, r, wrap, w, oy, x, k, 1, int(oy & 7), 0};
  }
  return n;
}

// Runs beyond this many are drawn through the transposing scratch.
template <int W>
constexpr int kRunsTransposed = W / 4;

// Tile copies are made all at once when there are no more tiles than
// cells drawn over this.
constexpr int kAllTilesPerCells = 4;

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

// Column-major copies of the current frames of the tiles, made afresh by
// every call (all at its start, or each as the call first reaches it,
// dated by a stamp), so nothing that changes tiles between draws can
// leave one stale. A tile's slot: its 64 pixels column by column, so 8
// pixels down a tile are one word, then for the transparent kind a mask
// of the pixels that keep the frame.
struct ColumnTiles {
  std::vector<uint8_t> slots;
  std::vector<uint32_t> stamp;
  uint32_t call = 0;
};
static ColumnTiles column_tiles[2];  // by kind

template <bool kOpaque>
constexpr int kSlotBytes = kOpaque ? 64 : 128;

template <bool kOpaque>
inline void MakeSlot(uint8_t* slot, uint32_t id) {
  const Tile& t = tiles[id];
  TransposeTile(slot, t.current_frame);
  if (kOpaque) return;
  const __m128i keep_zero = t.opaque ? _mm_setzero_si128() : _mm_set1_epi8(-1);
  for (int i = 0; i < 64; i += 16) {
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(slot + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(slot + 64 + i), KeepOf(v, keep_zero));
  }
}

// Sized for tile_count; with `all` every slot made now, else the stamps
// moved on to this call.
template <bool kOpaque>
static uint8_t* BeginColumnTiles(bool all) {
  ColumnTiles& ct = column_tiles[kOpaque];
  if (ct.stamp.size() < tile_count) ct.slots.resize(size_t{tile_count} * kSlotBytes<kOpaque>), ct.stamp.assign(tile_count, 0);
  uint8_t* slots = ct.slots.data();
  if (all) {
    for (uint32_t id = 0; id < tile_count; id++) MakeSlot<kOpaque>(slots + size_t{id} * kSlotBytes<kOpaque>, id);
  } else if (++ct.call == 0) {
    std::fill(ct.stamp.begin(), ct.stamp.end(), 0), ct.call = 1;
  }
  return slots;
}

// Frame rows drawn between transposes: long strips, as each strip costs
// every column a walk of its own and a cell drawn twice; the scratch
// stays in the second-level cache.
constexpr int kStrip = 240;
constexpr int kScratchStride = kStrip + 16;  // 8 spare bytes above and below a column's strip
alignas(16) static uint8_t column_scratch[640 * kScratchStride];

// A cell drawing nothing in the opaque kind, where the scratch does not
// start as the frame: the frame's pixels of its rows (those in y0 .. y1 -
// 1) copied into the scratch at dst, its top, for `cols` columns from x;
// row0 is where frame row 0 would be in the scratch.
template <int W, int S>
[[gnu::noinline, gnu::cold]] static void KeepFrame(uint8_t* dst, const uint8_t* row0, int x, int cols, int y0, int y1) {
  const int y = int(dst - row0);
  for (int yy = std::max(y, y0); yy < std::min(y + 8, y1); yy++)
    for (int c = 0; c < cols; c++) dst[c * S + yy - y] = frame_buffer[yy * W + x + c];
}

// Frame rows y0 .. y1 - 1 of a run's columns into the scratch (column x's
// pixel of frame row y at col[x * S + y - y0]), its cells walked from
// where the last strip left them; a cell reaching past y1 is drawn again
// by the next strip. Locals throughout: the byte stores could alias
// anything reached through a pointer.
template <int W, int S, bool kOpaque, bool kLazy, bool kSingle>
static void DrawRunStrip(ColumnRun& run, uint8_t* slots, uint8_t* col, int y0, int y1) {
  constexpr int kSlot = kSlotBytes<kOpaque>;
  const uint32_t count = tile_count;
  const uint32_t call = column_tiles[kOpaque].call;
  uint32_t* const stamp = column_tiles[kOpaque].stamp.data();
  const int cols = kSingle ? 1 : run.cols;
  const uint8_t* const pieces = slots + run.k * 8;  // the run's first column of tile 0
  const uint16_t* cell = run.cell;
  const int64_t wrap = run.wrap, width = run.width;
  int64_t r = run.r;
  uint8_t* const row0 = col + run.x * S - y0;  // the scratch byte of frame row 0
  uint8_t* dst = row0 + run.y;
  auto put = [&](uint8_t* d, uint32_t id) {
    if (kOpaque ? id >= count : id - 1u >= count - 1u) {
      if (kOpaque) KeepFrame<W, S>(d, row0, run.x, cols, y0, y1);
      return;
    }
    if (kLazy && stamp[id] != call) stamp[id] = call, MakeSlot<kOpaque>(slots + size_t{id} * kSlot, id);
    const uint8_t* src = pieces + size_t{id} * kSlot;
    for (int c = 0; c < cols; c++, src += 8, d += S) {
      if constexpr (kOpaque) Copy8(d, src);
      else StoreLow(d, Blend(LoadLow(src), LoadLow(src + 64), LoadLow(d)));
    }
  };
  uint8_t* const whole_end = row0 + y1 - 8;  // cells starting at or before it end by y1
  while (dst <= whole_end) {
    const int64_t n = std::min<int64_t>(((whole_end - dst) >> 3) + 1, wrap - r);
    uint8_t* const end = dst + 8 * n;
    for (; dst != end; dst += 8, cell += width) put(dst, *cell);
    r += n;
    if (r == wrap) r = 0, cell = run.top;
  }
  if (dst < row0 + y1) put(dst, *cell);
  run.y = int(dst - row0), run.r = r, run.cell = cell;
}

template <int W, int S, bool kOpaque, bool kLazy>
static void DrawRunsStrip(ColumnRun* runs, int n, uint8_t* slots, uint8_t* col, int y0, int y1) {
  for (int j = 0; j < n; j++) {
    if (runs[j].cols == 1) DrawRunStrip<W, S, kOpaque, kLazy, true>(runs[j], slots, col, y0, y1);
    else DrawRunStrip<W, S, kOpaque, kLazy, false>(runs[j], slots, col, y0, y1);
  }
}

// Every column its own: the view drawn in strips through a column-major
// scratch, each strip transposed into the frame (and, for the transparent
// kind, first out of it, so colour 0 keeps what is there). Tile copies
// are all made first when there are few tiles for the cells drawn.
template <int W, int R, bool kOpaque>
static void DrawRunsTransposed(ColumnRun* runs, int n) {
  if (!tile_count) return;
  static_assert(W <= 640 && W % 8 == 0 && R % 8 == 0);
  constexpr int S = kScratchStride;
  uint8_t* col = column_scratch + 8;
  const bool all = tile_count <= n * (R / 8) / kAllTilesPerCells;
  uint8_t* slots = BeginColumnTiles<kOpaque>(all);
  for (int j = 0; j < n; j++) runs[j].y = -runs[j].t;
  for (int y0 = 0; y0 < R; y0 += kStrip) {
    const int y1 = std::min(R, y0 + kStrip);
    if (!kOpaque) FrameToScratch<W, S>(col, frame_buffer, y0, y1);
    if (all) DrawRunsStrip<W, S, kOpaque, false>(runs, n, slots, col, y0, y1);
    else DrawRunsStrip<W, S, kOpaque, true>(runs, n, slots, col, y0, y1);
    ScratchToFrame<W, S>(frame_buffer, col, y0, y1);
  }
}

template <int W, int R, bool kOpaque>
static void DrawPlaneVLined(const TilePlane* p) {
  if (!PlaneDrawable(p, kPlaneVLined)) return;
  ColumnRun runs[W];
  const int n = FindRuns<W>(p, runs);
  if (n > kRunsTransposed<W>) DrawRunsTransposed<W, R, kOpaque>(runs, n);
  else DrawRuns<W, R, kOpaque>(runs, n);
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
