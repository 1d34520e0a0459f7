// Collision routines run for objects the current player touches, the
// projectile reaction and debug placement.
#include "audio/sound_queue.h"
#include "objects/collision_passes.h"
#include "objects/object_pool.h"
#include "objects/players.h"
#include "objects/spawn.h"
#include "physics/physics_routines.h"
#include "script/operands.h"

namespace tolv {

constexpr uint16_t kHitSound = 20;

static bool Overlap(const Box& a, const Box& b) {
  return a.left < b.right && a.right > b.left && a.top < b.bottom && a.bottom > b.top;
}

// A frame box moved to a position, plain or mirrored per axis.
static Box Place(const Box& plain, const Box& mirrored, uint32_t flags, int32_t x, int32_t y) {
  const Box& h = (flags & kFlipX) ? mirrored : plain;
  const Box& v = (flags & kFlipY) ? mirrored : plain;
  return Box{WrapAdd(x, h.left), WrapAdd(x, h.right), WrapAdd(y, v.top), WrapAdd(y, v.bottom)};
}

static Box PlayerBox(const PlayerRecord* r) {
  return Box{r->motion[14], r->motion[15], r->motion[16], r->motion[17]};
}

// Parameter list 0: (variable k, amount a, limit, spawn mode); list 1: the
// spawn arguments; type list entry 0: the type spawned in its place.
void CollectOnTouch() {
  ObjectSlot* o = running_slot;
  const ObjectType* t = FindObjectType(ObjVar(o, 0));
  const SpriteFrame* f = CurrentFrame(o);
  int32_t k, a, limit;
  if (!f || !TypeParameter(t, 0, 0, &k) || !TypeParameter(t, 0, 1, &a) || !TypeParameter(t, 0, 2, &limit)) return;
  int32_t x = ObjVar(o, 1), y = ObjVar(o, 2);
  if (!Overlap(PlayerBox(current_player), Place(f->box, f->box, 0, x, y))) return;
  int32_t& v = CharVar(static_cast<uint32_t>(k));
  v = static_cast<int32_t>(static_cast<uint32_t>(v) + static_cast<uint32_t>(a));
  if (a >= 1 ? v > limit : v < limit) v = limit;
  if (t->sound_count && t->sounds) queue_sound(t->sounds[0], 0);
  if (t->type_list_count && t->type_list) {
    int32_t mode = 0;
    TypeParameter(t, 0, 3, &mode);
    bool with_args = mode == 2 && t->parameter_list_count > 1 && t->parameter_lists;
    uint32_t argc = with_args ? t->parameter_list_lengths[1] : 0;
    SpawnObject(t->type_list[0], x, y, 65535, 0, 0, argc, with_args ? t->parameter_lists[1] : nullptr);
  }
  ObjVar(o, 0) = 0;
}

// Parameter list 0: (plane moving one way, plane moving the other, always).
static void SwitchLayer(int axis) {
  const ObjectSlot* o = running_slot;
  const ObjectType* t = FindObjectType(ObjVar(o, 0));
  int32_t forward, backward, always = 0;
  if (!TypeParameter(t, 0, 0, &forward) || !TypeParameter(t, 0, 1, &backward)) return;
  TypeParameter(t, 0, 2, &always);
  PlayerRecord* r = current_player;
  if (!always && PVar(r, kPvSwitchesOn) == 0) return;
  Box b = PlayerBox(r);
  int64_t along = ObjVar(o, axis == 0 ? 1 : 2), across = ObjVar(o, axis == 0 ? 2 : 1);
  int64_t lo = axis == 0 ? b.left : b.top, hi = axis == 0 ? b.right : b.bottom;
  int64_t clo = axis == 0 ? b.top : b.left, chi = axis == 0 ? b.bottom : b.right;
  if (along < lo || along > hi || across < clo - 31 || across > chi + 31) return;
  int32_t speed = PVar(r, axis == 0 ? kPvSpeedX : kPvSpeedY);
  if (speed > 0) PVar(r, kPvPlane) = forward;
  else if (speed < 0) PVar(r, kPvPlane) = backward;
}

void SwitchPlayerLayerX() { SwitchLayer(0); }
void SwitchPlayerLayerY() { SwitchLayer(1); }

// True when any hurt box of the partner's running lanes overlaps `attack`.
static bool HitsPartner(const ObjectSlot* p, const Box& attack) {
  uint32_t flags = static_cast<uint32_t>(ObjVar(p, 6));
  return ForEachLaneFrame(p, [&](int, const SpriteFrame& f) {
    for (int h = 0; f.hurt_boxes && h < f.hurt_count; h++) {
      const Box& mirrored = f.mirrored_hurt_boxes ? f.mirrored_hurt_boxes[h] : f.hurt_boxes[h];
      if (Overlap(attack, Place(f.hurt_boxes[h], mirrored, flags, ObjVar(p, 1), ObjVar(p, 2)))) return true;
    }
    return false;
  });
}

// The partner is hit: its Animation starts over at its type's third label.
static void ReactToHit(ObjectSlot* p) {
  queue_sound(kHitSound, 0);
  ResetObjectAnimation(p);
  const ObjectType* pt = FindObjectType(ObjVar(p, 0));
  if (!pt || !pt->animation_labels || pt->animation_label_count < 3) return;
  SavedMachineState keep;
  timed_context = &p->animation_ctx;
  StartTimedFunctionNoArgs(pt->animation_labels[2]);
}

void ProjectileCollide() {
  ObjectSlot* o = running_slot;
  ObjectSlot* p = collide_object;
  if (o == p || p == &void_slot || o->animation_ctx.lane_count == 0) return;
  uint32_t flags = static_cast<uint32_t>(ObjVar(o, 6));
  ForEachLaneFrame(o, [&](int, const SpriteFrame& f) {
    for (int k = 0; f.attack_boxes && k < f.attack_count; k++) {
      const Box& mirrored = f.mirrored_attack_boxes ? f.mirrored_attack_boxes[k] : f.attack_boxes[k];
      if (!HitsPartner(p, Place(f.attack_boxes[k], mirrored, flags, ObjVar(o, 1), ObjVar(o, 2)))) continue;
      ReactToHit(p);
      return true;
    }
    return false;
  });
}

void PlaceDebugObject() {
  PlayerRecord* r = current_player;
  int32_t i = PVar(r, kPvDebugType);
  if (!debug_types || i < 0 || i >= debug_type_count) return;
  SpawnObject(debug_types[i], PVar(r, kPvX), PVar(r, kPvY), 65535, 0, 0, 0, nullptr);
}

}  // namespace tolv
