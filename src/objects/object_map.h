// An object's own solid tile map: width, height, layer and tile ids in its
// variables from the word its type variable 0 names, centred on the
// object. A map that does not fit the variable block is absent.
#pragma once
#include <cstdint>

#include "script/records.h"
#include "world/tile.h"

namespace tolv {

struct ObjectMap {
  const int32_t* ids = nullptr;  // width x height tile ids, row by row
  int64_t width = 0;             // tiles
  int64_t W = 0, H = 0;          // pixels
  int64_t left = 0, top = 0;     // the map's top-left in world pixels
  uint32_t layer_word = 0;       // variable index of the layer

  // The map of object o; false when it has none.
  bool Load(const ObjectSlot* o);
  bool Inside(int64_t x, int64_t y) const { return x >= 0 && y >= 0 && x < W && y < H; }
  // The tile id and the tile under map pixel (x, y), which must lie inside.
  int32_t Id(int64_t x, int64_t y) const { return ids[(y >> 3) * width + (x >> 3)]; }
  const Tile& TileOf(int64_t x, int64_t y) const { return TileAt(static_cast<uint32_t>(Id(x, y))); }
  // Collision byte and surface angle of map pixel (x, y); 0 outside.
  uint8_t Byte(int64_t x, int64_t y) const { return Inside(x, y) ? TileOf(x, y).collision[(x & 7) * 8 + (y & 7)] : 0; }
  uint8_t Angle(int64_t x, int64_t y) const { return Inside(x, y) ? TileOf(x, y).angle : 0; }
};

}  // namespace tolv
