// The layer byte of an object's own tile map as the commands that move a
// player against the map use it: the player they act on, and the byte
// flipped while their moves run.
#pragma once
#include <cstdint>

#include "objects/object_map.h"
#include "script/records.h"

namespace tolv {

// The layer byte of o's map (low 8 bits of its word).
uint8_t MapLayer(const ObjectSlot* o, const ObjectMap& m);

// The destination player of a command against o's map (m loaded), or null
// when o has no map or the map's layer is not the player's plane.
PlayerRecord* MapCommandPlayer(const ObjectSlot* o, ObjectMap& m);

// While a command moves a player against the running object's map, the
// map's layer byte reads 255 minus itself, so the passes inside the moves
// skip the map; Restore (or leaving the scope) flips it back once.
class MapLayerFlip {
 public:
  MapLayerFlip(ObjectSlot* o, const ObjectMap& m);
  ~MapLayerFlip() { Restore(); }
  MapLayerFlip(const MapLayerFlip&) = delete;
  MapLayerFlip& operator=(const MapLayerFlip&) = delete;
  void Restore();

 private:
  ObjectSlot* object_;
  uint32_t word_;
  bool flipped_ = true;
};

}  // namespace tolv
