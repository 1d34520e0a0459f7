// Line clipping and drawing, one member per geometry. Coordinates are 32
// bits until clipped; the drawing routines take clipped values.
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "render/frame.h"
#include "render/geometry.h"

namespace tolv {

template <int W, int H>
static bool Inside(int64_t x, int64_t y) {
  return 0 <= x && x <= W - 1 && 0 <= y && y <= H - 1;
}

// A crossing: 0.5 added, then truncated toward zero.
static int64_t Crossing(double v) { return static_cast<int64_t>(v + 0.5); }

// Moves P onto the frame's edge along the segment from base Q; every
// crossing is computed from P as it was.
template <int W, int H>
static void ClipEndpoint(int64_t& px, int64_t& py, int64_t qx, int64_t qy) {
  const int64_t dx = px - qx, dy = py - qy;
  int64_t nx = px, ny = py;
  if (dx != 0 && (px > W - 1 || px < 0)) {
    int64_t edge = px > W - 1 ? W - 1 : 0;
    int64_t yc = Crossing(double(dy) / double(dx) * double(edge - qx) + double(qy));
    if (0 <= yc && yc <= H - 1) nx = edge, ny = yc;
  }
  if (dy != 0 && (py > H - 1 || py < 0)) {
    int64_t edge = py > H - 1 ? H - 1 : 0;
    int64_t xc = Crossing(double(dx) / double(dy) * double(edge - qy) + double(qx));
    if (0 <= xc && xc <= W - 1) nx = xc, ny = edge;
  }
  px = nx, py = ny;
}

// A segment that misses the frame without lying beyond one common edge
// finds no crossing; it is rejected rather than drawn unclipped.
template <int W, int H>
static int32_t ClipLine(int32_t* x1, int32_t* y1, int32_t* x2, int32_t* y2) {
  int64_t ax = *x1, ay = *y1, bx = *x2, by = *y2;
  bool a_in = Inside<W, H>(ax, ay), b_in = Inside<W, H>(bx, by);
  if (a_in && b_in) return 1;
  if (!a_in && !b_in &&
      ((ax < 0 && bx < 0) || (ax > W - 1 && bx > W - 1) || (ay < 0 && by < 0) || (ay > H - 1 && by > H - 1)))
    return 0;
  if (a_in) {
    ClipEndpoint<W, H>(bx, by, ax, ay);
  } else if (b_in) {
    ClipEndpoint<W, H>(ax, ay, bx, by);
  } else {
    ClipEndpoint<W, H>(bx, by, ax, ay);
    ClipEndpoint<W, H>(ax, ay, bx, by);
  }
  if (!Inside<W, H>(ax, ay) || !Inside<W, H>(bx, by)) return 0;
  *x1 = int32_t(ax), *y1 = int32_t(ay), *x2 = int32_t(bx), *y2 = int32_t(by);
  return 1;
}

// The drawing routines trust ClipLine's callers but still keep to the
// frame: a run is cut to it, a slanted line outside it is not drawn.
template <int W, int H>
static void DrawHLine(int32_t x1, int32_t y, int32_t x2, uint8_t colour) {
  if (y < 0 || y > H - 1) return;
  int64_t a = x1 < 0 ? 0 : x1, b = x2 > W ? W : x2;
  if (b - a < 1) return;
  std::memset(frame_buffer + int64_t{y} * W + a, colour, size_t(b - a));
}

template <int W, int H>
static void DrawVLine(int32_t x, int32_t y1, int32_t y2, uint8_t colour) {
  if (x < 0 || x > W - 1) return;
  int64_t a = y1 < 0 ? 0 : y1, b = y2 > H ? H : y2;
  for (uint8_t* p = frame_buffer + a * W + x; a < b; a++, p += W) *p = colour;
}

// Bresenham from (x1, y1); the x-major branch steps the row once the error
// passes half the run, so both branches end on (x2, y2).
template <int W, int H>
static void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t colour) {
  if (!Inside<W, H>(x1, y1) || !Inside<W, H>(x2, y2)) return;
  int32_t ax = std::abs(x2 - x1), ay = std::abs(y2 - y1);
  int32_t col = x2 >= x1 ? 1 : -1, row = y2 >= y1 ? W : -W;
  uint8_t* p = frame_buffer + y1 * W + x1;
  int32_t e = 0;
  if (ax > ay) {
    for (int32_t i = 0; i <= ax; i++, p += col) {
      *p = colour;
      e += ay;
      if (2 * e > ax) e -= ax, p += row;
    }
  } else {
    for (int32_t i = 0; i <= ay; i++, p += row) {
      *p = colour;
      e += ax;
      if (e > 0) e -= ay, p += col;
    }
  }
}

template <int W, int H>
static void Install(DrawRoutines& r) {
  r.clip_line = ClipLine<W, H>;
  r.draw_hline = DrawHLine<W, H>;
  r.draw_vline = DrawVLine<W, H>;
  r.draw_line = DrawLine<W, H>;
}

void InstallLines(FrameGeometry g, DrawRoutines& r) {
  WithGeometry(g, [&r]<int W, int H>() { Install<W, H>(r); });
}

}  // namespace tolv
