// The built-in routine tables and what the routines share: the current
// frame, the object box and the Animation lanes.
#include "objects/builtin_routines.h"
#include "objects/collision_passes.h"
#include "objects/object_pool.h"

namespace tolv {

void RunNoRoutine() {}
static void CollideWithObjectMap() { collide_player_with_object_map(); }

ObjectRoutine builtin_movers[6] = {RunNoRoutine, RunNoRoutine, RunNoRoutine, RunNoRoutine, RunNoRoutine, RunNoRoutine};
ObjectRoutine builtin_drawers[8] = {RunNoRoutine, RunNoRoutine, RunNoRoutine, RunNoRoutine,
                                    RunNoRoutine, RunNoRoutine, RunNoRoutine, RunNoRoutine};
ObjectRoutine builtin_collisions[5] = {RunNoRoutine, RunNoRoutine, RunNoRoutine, RunNoRoutine, RunNoRoutine};
ObjectRoutine builtin_pcollisions[2] = {RunNoRoutine, RunNoRoutine};
ObjectRoutine builtin_dbplacers[2] = {RunNoRoutine, RunNoRoutine};
ObjectRoutine builtin_dbdrawers[5] = {RunNoRoutine, RunNoRoutine, RunNoRoutine, RunNoRoutine, RunNoRoutine};
ObjectRoutine builtin_animations[2] = {RunNoRoutine, RunNoRoutine};

void InstallBuiltinRoutines() {
  const ObjectRoutine drawers[] = {RunNoRoutine, DrawObjectParts, DrawDebugRowH, DrawDebugRowV,
                                   DrawObjectPartsKind4, DrawObjectPartsKind5, DrawObjectPartsKind6, DrawObjectPartsKind7};
  const ObjectRoutine dbdrawers[] = {RunNoRoutine, DrawDebugSprite, DrawDebugSpriteRowH, DrawDebugSpriteRowV, DrawDebugTileMap};
  for (int i = 0; i < 8; i++) builtin_drawers[i] = drawers[i];
  for (int i = 0; i < 5; i++) builtin_dbdrawers[i] = dbdrawers[i];
  builtin_collisions[4] = CollideWithObjectMap;
  builtin_animations[0] = builtin_animations[1] = RunNoRoutine;
}

int32_t object_box_left, object_box_right, object_box_top, object_box_bottom;
int32_t object_box_inner_left, object_box_inner_right;
int32_t object_box_centre_x, object_box_centre_y;

const SpriteFrame* TypeFrame(const ObjectType* t, int32_t set, uint32_t frame) {
  if (!t || !t->sprite_lists || set < 0 || set >= t->sprite_list_count) return nullptr;
  const SpriteSet* s = t->sprite_lists[set];
  if (!s || !s->frames || frame >= s->frame_count) return nullptr;
  return &s->frames[frame];
}

const SpriteFrame* CurrentFrame(const ObjectSlot* o) {
  const TimedScriptContext& a = o->animation_ctx;
  if (!o->vars || o->var_count < 7 || a.lane_count == 0) return nullptr;
  return TypeFrame(FindObjectType(o->vars[0]), o->vars[4], a.frame_values[0]);
}

void SetObjectBox(const ObjectSlot* o) {
  const SpriteFrame* f = CurrentFrame(o);
  Box b{};
  if (f) {
    uint32_t flags = static_cast<uint32_t>(o->vars[6]);
    const Box& h = (flags & kFlipX) ? f->mirrored_box : f->box;
    const Box& v = (flags & kFlipY) ? f->mirrored_box : f->box;
    b = Box{h.left, h.right, v.top, v.bottom};
  }
  object_box_left = b.left;
  object_box_right = b.right;
  object_box_top = b.top;
  object_box_bottom = b.bottom;
  object_box_inner_left = static_cast<int32_t>(static_cast<uint32_t>(b.left) + 1);
  object_box_inner_right = static_cast<int32_t>(static_cast<uint32_t>(b.right) - 1);
  object_box_centre_x = static_cast<int32_t>((int64_t{b.left} + b.right) >> 1);
  object_box_centre_y = static_cast<int32_t>((int64_t{b.top} + b.bottom) >> 1);
}

void RunObjectAnimation(ObjectSlot* o) {
  SavedMachineState keep;
  timed_context = &o->animation_ctx;
  RunTimedLanes();
}

void ResetObjectAnimation(ObjectSlot* o) {
  if (running_context == &o->animation_ctx) yield_flag = 1;
  SavedMachineState keep;
  timed_context = &o->animation_ctx;
  FreeTimedContext();
}

bool TypeParameter(const ObjectType* t, uint32_t l, uint32_t i, int32_t* out) {
  if (!t || !t->parameter_lists || !t->parameter_list_lengths || l >= t->parameter_list_count) return false;
  if (i >= t->parameter_list_lengths[l] || !t->parameter_lists[l]) return false;
  *out = t->parameter_lists[l][i];
  return true;
}

}  // namespace tolv
