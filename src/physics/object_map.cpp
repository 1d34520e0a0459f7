#include "physics/object_map.h"

#include "objects/players.h"
#include "physics/player_move_frame.h"
#include "script/operands.h"

namespace tolv {

// Type variable i is block word 7 + i.
constexpr int64_t kTypeVars = 7;

bool ObjectMap::Load(const ObjectSlot* o) {
  if (!o->vars || o->var_count <= kTypeVars) return false;
  int64_t k = kTypeVars + int64_t{o->vars[kTypeVars]};
  if (k < kTypeVars || k + 3 > o->var_count) return false;
  width = static_cast<uint8_t>(o->vars[k]);
  int64_t height = static_cast<uint8_t>(o->vars[k + 1]);
  if (k + 3 + width * height > o->var_count) return false;
  ids = o->vars + k + 3;
  layer_word = static_cast<uint32_t>(k + 2);
  W = width * 8;
  H = height * 8;
  left = int64_t{o->vars[1]} - width * 4;
  top = int64_t{o->vars[2]} - height * 4;
  return true;
}

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
