// H Lined plane drawers: the frame one pixel line at a time, each line
// with its own x offset and wrap. The cells per line come from W, never
// from register 11, so a script that writes that register cannot make a
// line run past the frame.
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
      DrawBand<W, kOpaque, 0>(dst, k, 1, s, ArrayCursor{cached + c});
    } else {
      DrawBand<W, kOpaque, 0>(dst, k, 1, s, MapCursor<kOpaque>{p->map + row * w, c, 0, wrap});
    }
    if (++l == lines) l = 0;
  }
}

template <int W, int R>
static void Install(DrawRoutines& r) {
  r.draw_plane[kPlaneHLined] = DrawPlaneHLined<W, R, false>;
  r.draw_plane_opaque[kPlaneHLined] = DrawPlaneHLined<W, R, true>;
}

void InstallHLinedPlaneDrawers(FrameGeometry g, DrawRoutines& r) {
  WithViewGeometry(g, [&r]<int W, int R>() { Install<W, R>(r); });
}

}  // namespace tolv
