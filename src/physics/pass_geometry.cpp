#include "physics/pass_geometry.h"

#include "objects/players.h"

namespace tolv {

void BoxLists::AddFrame(const SpriteFrame& f, bool h, bool v, int32_t x, int32_t y) {
  for (int i = 0; f.attack_boxes && i < f.attack_count; i++)
    attack.push_back(PlaceBoxAt(f.attack_boxes, f.mirrored_attack_boxes, i, h, v, x, y));
  for (int i = 0; f.hurt_boxes && i < f.hurt_count; i++)
    hurt.push_back(PlaceBoxAt(f.hurt_boxes, f.mirrored_hurt_boxes, i, h, v, x, y));
}

static void ShiftBoxes(std::vector<Box>& boxes, int32_t dx, int32_t dy) {
  for (Box& b : boxes) b = Box{WrapAdd(b.left, dx), WrapAdd(b.right, dx), WrapAdd(b.top, dy), WrapAdd(b.bottom, dy)};
}

void BoxLists::Shift(int32_t dx, int32_t dy) {
  ShiftBoxes(attack, dx, dy);
  ShiftBoxes(hurt, dx, dy);
}

const SpriteFrame* PlayerCurrentFrame(const PlayerRecord* r) {
  const TimedScriptContext& c = r->main_ctx;
  return c.lane_count && c.frame_values ? PlayerFrame(r) : nullptr;
}

void KeepSpareLane(ScriptContext* c) {
  int free = FirstFreeLane(c);
  if (free >= 0 && free + 1 < c->lane_count) return;
  ScriptContext* saved = current_context;
  current_context = c;
  if (AddLane() && free < 0) AddLane();
  current_context = saved;
}

}  // namespace tolv
