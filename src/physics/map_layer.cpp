#include "physics/map_layer.h"

#include "objects/players.h"
#include "physics/player_move_frame.h"
#include "script/operands.h"

namespace tolv {

uint8_t MapLayer(const ObjectSlot* o, const ObjectMap& m) { return static_cast<uint8_t>(ObjVar(o, m.layer_word)); }

PlayerRecord* MapCommandPlayer(const ObjectSlot* o, ObjectMap& m) {
  PlayerRecord* r = GamePlayer(player_operand_d);
  if (!r || !m.Load(o)) return nullptr;
  uint8_t layer = MapLayer(o, m);
  return layer && layer != PVar(r, kPvPlane) ? nullptr : r;
}

static void FlipLayer(ObjectSlot* o, uint32_t word) {
  int32_t& w = ObjVar(o, word);
  w = static_cast<int32_t>((static_cast<uint32_t>(w) & ~255u) | (255u - (static_cast<uint32_t>(w) & 255u)));
}

MapLayerFlip::MapLayerFlip(ObjectSlot* o, const ObjectMap& m) : object_(o), word_(m.layer_word) { FlipLayer(o, word_); }

void MapLayerFlip::Restore() {
  if (flipped_) FlipLayer(object_, word_);
  flipped_ = false;
}

}  // namespace tolv
