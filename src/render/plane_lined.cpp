// Lined plane drawers: H Lined walks the frame one pixel line at a time,
// V Lined one pixel column at a time, each line with its own offset and
// wrap. The cells per line come from W, never from register 11, so a
// script that writes that register cannot make a line run past the frame.
#include "render/frame.h"
#include "render/geometry.h"
#include "render/plane_cells.h"
#include "render/plane_drawers.h"

namespace tolv {

// H Lined: pixel line l of the plane (l = plane y wrapped into the
// plane's height) shifted by its own x offset.
template <int W, int R, bool kOpaque>
static void DrawPlaneHLined(const TilePlane* p) {
  if (!PlaneDrawable(p, kPlaneHLined)) return;
  const int64_t w = p->width, lines = ClampWrap(p->other_wrap, p->height) * 8;
  int64_t l = WrapIndex(p->other_offset, lines);
  uint8_t* dst = frame_buffer;
  for (int y = 0; y < R; y++, dst += W) {
    const int64_t ox = p->line_offsets[l], wrap = ClampWrap(p->line_wraps[l], w);
    const BandLine b{p->map + (l >> 3) * w, WrapIndex(ox >> 3, wrap), 0, wrap, int(ox & 7)};
    DrawBand<W, kOpaque, 1>(dst, int(l & 7), 1, b);
    if (++l == lines) l = 0;
  }
}

// Pixel column k of the cells down plane column `col`, from plane y = oy
// (rows wrapped into [0, wrap)), into frame column dst.
template <int W, int R, bool kOpaque>
static void DrawPixelColumn(uint8_t* dst, const TilePlane* p, int64_t col, int k, int64_t oy, int64_t wrap) {
  int64_t r = WrapIndex(oy >> 3, wrap);
  const int64_t w = p->width;
  const uint16_t* cell = p->map + r * w + col;
  auto put = [&](int y, int k0, int rows) {
    CellSource c = CellOf<kOpaque>(*cell);
    if (++r == wrap) r = 0, cell = p->map + col;
    else cell += w;
    if (!c.pixels) return;
    const uint8_t* src = c.pixels + k0 * 8 + k;
    uint8_t* d = dst + y * W;
    for (int i = 0; i < rows; i++, src += 8, d += W)
      if (!c.masked || *src) *d = *src;
  };
  const int t = int(oy & 7);
  int y0 = -t;
  if (t) put(0, t, 8 - t), y0 += 8;
  for (; y0 + 8 <= R; y0 += 8) put(y0, 0, 8);
  if (y0 < R) put(y0, 0, R - y0);
}

// V Lined: pixel column l of the plane (l = plane x wrapped into the
// plane's width) shifted by its own y offset.
template <int W, int R, bool kOpaque>
static void DrawPlaneVLined(const TilePlane* p) {
  if (!PlaneDrawable(p, kPlaneVLined)) return;
  const int64_t columns = ClampWrap(p->other_wrap, p->width) * 8;
  int64_t l = WrapIndex(p->other_offset, columns);
  for (int x = 0; x < W; x++) {
    const int64_t wrap = ClampWrap(p->line_wraps[l], p->height);
    DrawPixelColumn<W, R, kOpaque>(frame_buffer + x, p, l >> 3, int(l & 7), p->line_offsets[l], wrap);
    if (++l == columns) l = 0;
  }
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
