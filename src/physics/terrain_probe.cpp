#include "physics/terrain_probe.h"

#include <algorithm>

#include "script/operands.h"
#include "world/tile_plane.h"

namespace tolv {

int AxisWrap::Runs(int64_t (&runs)[3][2]) const {
  int n = 0;
  auto add = [&](int64_t a, int64_t b) {
    if (a < b) runs[n][0] = a, runs[n++][1] = b;
  };
  add(-span, std::min(size - span, lo));
  add(std::max<int64_t>(lo, 0), std::min(hi, size));
  add(std::max({lo, hi, span}), size + span);
  return n;
}

static AxisWrap LoadAxis(int on, int lo, int hi, int span, int64_t size) {
  AxisWrap a;
  a.size = size;
  a.on = Cell(registers, register_count, on) != 0;
  a.lo = a.on ? Cell(registers, register_count, lo) : 0;
  a.hi = a.on ? Cell(registers, register_count, hi) : size;
  a.span = a.on ? Cell(registers, register_count, span) : size;
  return a;
}

void Terrain::Load(int32_t plane_word, int p) {
  plane = plane_word;
  tile_probe_plane = plane_word & 255;
  const TilePlane* tp = planes && plane_word >= 0 && plane_word < plane_count ? &planes[plane_word] : nullptr;
  map = tp ? tp->map : nullptr;
  row_starts = tp ? tp->row_starts : nullptr;
  width = tp ? tp->width : 0;
  map_cells = tp ? tp->map_cells : 0;
  wrap[0] = LoadAxis(39 + p, 23 + p, 27 + p, 47 + p, tp ? int64_t{tp->width} * 8 : 0);
  wrap[1] = LoadAxis(41 + p, 25 + p, 29 + p, 49 + p, tp ? int64_t{tp->height} * 8 : 0);
  for (int axis = 0; axis < 2; axis++) {
    int64_t runs[3][2];
    int n = wrap[axis].Runs(runs);
    reach[axis] = 1;
    for (int k = 0; k < n; k++) reach[axis] += runs[k][1] - runs[k][0];
  }
}

const Tile* Terrain::TileUnder(int64_t x, int64_t y) const {
  int64_t mx = wrap[0].Map(x), my = wrap[1].Map(y);
  if (mx < 0 || my < 0 || !map) return nullptr;
  tile_probe_x = static_cast<int32_t>(mx);
  tile_probe_y = static_cast<int32_t>(my);
  uint64_t cell = (row_starts ? uint64_t{row_starts[my >> 3]} : uint64_t(my >> 3) * width) + uint64_t(mx >> 3);
  return cell < map_cells ? &TileAt(map[cell]) : nullptr;
}

uint8_t Terrain::Byte(int64_t x, int64_t y) const {
  const Tile* t = TileUnder(x, y);
  return t ? t->collision[(x & 7) * 8 + (y & 7)] : 0;
}

uint8_t Terrain::Angle(int64_t x, int64_t y) const {
  const Tile* t = TileUnder(x, y);
  return t ? t->angle : 0;
}

bool Terrain::Any(int axis, int64_t fixed, int64_t start, int64_t n, uint8_t min) const {
  if (n <= 0 || !map || wrap[axis ^ 1].Map(fixed) < 0) return false;
  int64_t runs[3][2];
  int count = wrap[axis].Runs(runs);
  for (int k = 0; k < count; k++) {
    int64_t a = std::max(runs[k][0], start), b = std::min(runs[k][1], start + n);
    for (int64_t c = a; c < b; c++)
      if ((axis ? Byte(fixed, c) : Byte(c, fixed)) >= min) return true;
  }
  return false;
}

LineScan Terrain::Scan(int axis, int64_t fixed, int64_t start, int64_t n, uint8_t min) const {
  LineScan s;
  if (n <= 0) return s;
  auto at = [&](int64_t c) { return axis ? Byte(fixed, c) : Byte(c, fixed); };
  auto angle = [&](int64_t c) { return axis ? Angle(fixed, c) : Angle(c, fixed); };
  if (at(start) >= min) s.first = true, s.first_angle = angle(start);
  int64_t end = start + n - 1;
  if (n > 1 && at(end) >= min) s.last = true, s.last_angle = angle(end);
  s.any = s.first || s.last || Any(axis, fixed, start + 1, n - 2, min);
  return s;
}

}  // namespace tolv
