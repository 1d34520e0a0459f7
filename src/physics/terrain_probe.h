// The terrain a player's sensors read: the collision bytes and tile angles
// of its plane, each coordinate wrapped once (by the level wrap of its
// view, or else by the plane's size); whatever still lies outside the
// plane reads as empty.
#pragma once
#include <cstdint>

#include "world/tile.h"

namespace tolv {

// One axis: a coordinate below lo gains span and one at or above hi loses
// it, once. With the level wrap off the window is the plane itself.
struct AxisWrap {
  int64_t size = 0;  // plane size in pixels
  bool on = false;   // the level wrap: level edges only act without it
  int64_t lo = 0, hi = 0, span = 0;

  // Plane coordinate of c, or -1 when c reads as empty.
  int64_t Map(int64_t c) const {
    if (c < lo) c += span;
    else if (c >= hi) c -= span;
    return c >= 0 && c < size ? c : -1;
  }
  // The at most three disjoint ascending runs of coordinates that map into
  // the plane; every scan visits only these, so none outlasts the plane.
  int Runs(int64_t (&runs)[3][2]) const;
};

// A scanned line: whether any pixel passed, and the tile angles of its
// first and last pixels in world order when they passed.
struct LineScan {
  bool any = false, first = false, last = false;
  uint8_t first_angle = 0, last_angle = 0;
};

struct Terrain {
  const uint16_t* map = nullptr;  // null: the plane does not exist
  const uint32_t* row_starts = nullptr;
  uint32_t width = 0;
  uint64_t map_cells = 0;
  int32_t plane = 0;  // the player's plane word: what a hit records
  AxisWrap wrap[2];   // x, y
  int64_t reach[2] = {};  // readable coordinates per axis: no push outlasts them

  // The terrain of the current player's plane and view.
  void Load(int32_t plane_word, int player);
  bool Exists() const { return map != nullptr; }

  const Tile* TileUnder(int64_t x, int64_t y) const;
  uint8_t Byte(int64_t x, int64_t y) const;
  uint8_t Angle(int64_t x, int64_t y) const;
  // Whether a pixel of the line at `fixed` on the other axis, from `start`
  // over n pixels along `axis` (0 x, 1 y), holds a byte of at least min.
  bool Any(int axis, int64_t fixed, int64_t start, int64_t n, uint8_t min) const;
  LineScan Scan(int axis, int64_t fixed, int64_t start, int64_t n, uint8_t min) const;
};

}  // namespace tolv
