// Tile-grid plane drawers: Flat, Relative and H Tiled walk the frame one
// tile row at a time, V Tiled one tile column at a time. W and R (frame
// width and rows filled) are constants of each member; only the cells on
// the view's edges are cut.
#include "render/frame.h"
#include "render/geometry.h"
#include "render/plane_cells.h"
#include "render/plane_drawers.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

static int64_t RegisterValue(uint32_t r) { return registers && r < register_count ? registers[r] : 0; }

// Tile rows from plane y = oy down, their index wrapped into [top,
// bottom); line_of(row) gives each row's BandLine.
template <int W, int R, bool kOpaque, typename LineOf>
static void DrawRows(int64_t oy, int64_t top, int64_t bottom, LineOf line_of) {
  int64_t r = top + WrapIndex((oy >> 3) - top, bottom - top);
  const int t = int(oy & 7);
  // The first and last tile rows may be cut; the rows between are whole.
  int y0 = -t;
  if (t) {
    DrawBand<W, kOpaque, 0>(frame_buffer, t, 8 - t, line_of(r));
    if (++r == bottom) r = top;
    y0 += 8;
  }
  for (; y0 + 8 <= R; y0 += 8) {
    DrawBand<W, kOpaque, 8>(frame_buffer + y0 * W, 0, 8, line_of(r));
    if (++r == bottom) r = top;
  }
  if (y0 < R) DrawBand<W, kOpaque, 0>(frame_buffer + y0 * W, 0, R - y0, line_of(r));
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
  DrawRows<W, R, kOpaque>(p->other_offset, 0, ClampWrap(p->other_wrap, p->height), [&](int64_t r) {
    const int64_t ox = p->line_offsets[r], wrap = ClampWrap(p->line_wraps[r], w);
    return BandLine{map + r * w, WrapIndex(ox >> 3, wrap), 0, wrap, int(ox & 7)};
  });
}

// One tile column of a V Tiled plane: frame columns x0 + c0 .. x0 + c0 +
// cols - 1 show pixel columns c0 .. of the cells of plane column `col`.
template <int W, int R, bool kOpaque, bool kWhole>
static void DrawTileColumn(const TilePlane* p, int64_t col, int x0, int c0, int cols) {
  const int64_t oy = p->line_offsets[col], wrap = ClampWrap(p->line_wraps[col], p->height);
  int64_t r = WrapIndex(oy >> 3, wrap);
  const int64_t w = p->width;
  const uint16_t* cell = p->map + r * w + col;
  auto next = [&] {
    if (++r == wrap) r = 0, cell = p->map + col;
    else cell += w;
  };
  const int t = int(oy & 7);
  uint8_t* dst = frame_buffer + x0 + c0;
  int y0 = -t;
  if (t) {
    WritePartCell<W>(dst, CellOf<kOpaque>(*cell), t, 8 - t, c0, cols);
    next();
    y0 += 8;
  }
  for (; y0 + 8 <= R; y0 += 8, next()) {
    if constexpr (kWhole) WriteWholeCell<W>(dst + y0 * W, CellOf<kOpaque>(*cell));
    else WritePartCell<W>(dst + y0 * W, CellOf<kOpaque>(*cell), 0, 8, c0, cols);
  }
  if (y0 < R) WritePartCell<W>(dst + y0 * W, CellOf<kOpaque>(*cell), 0, R - y0, c0, cols);
}

// V Tiled: each tile column its own y offset and wrap.
template <int W, int R, bool kOpaque>
static void DrawPlaneVTiled(const TilePlane* p) {
  if (!PlaneDrawable(p, kPlaneVTiled)) return;
  const int64_t ox = p->other_offset, wrap = ClampWrap(p->other_wrap, p->width);
  int64_t c = WrapIndex(ox >> 3, wrap);
  const int s = int(ox & 7);
  DrawTileColumn<W, R, kOpaque, false>(p, c, -s, s, 8 - s);
  int x0 = 8 - s;
  for (; x0 + 8 <= W; x0 += 8) {
    if (++c == wrap) c = 0;
    DrawTileColumn<W, R, kOpaque, true>(p, c, x0, 0, 8);
  }
  if (x0 < W) {
    if (++c == wrap) c = 0;
    DrawTileColumn<W, R, kOpaque, false>(p, c, x0, 0, W - x0);
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
