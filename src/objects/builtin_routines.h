// Built-in object routines: movers, drawers, collisions, projectile
// collision and debug placement, chosen by number from the type. The
// tables are filled by InstallBuiltinRoutines (the drawers) and by the
// physics subsystem (movers and collisions, physics/physics_routines.h).
#pragma once
#include <cstdint>

#include "objects/object_type.h"
#include "script/operands.h"
#include "script/records.h"

namespace tolv {

extern ObjectRoutine builtin_movers[6];
extern ObjectRoutine builtin_drawers[8];
extern ObjectRoutine builtin_collisions[5];
extern ObjectRoutine builtin_pcollisions[2];
extern ObjectRoutine builtin_dbplacers[2];
extern ObjectRoutine builtin_dbdrawers[5];
extern ObjectRoutine builtin_animations[2];

void InstallBuiltinRoutines();
void RunNoRoutine();

void DrawObjectParts();
void DrawDebugRowH();
void DrawDebugRowV();
void DrawObjectPartsKind4();
void DrawObjectPartsKind5();
void DrawObjectPartsKind6();
void DrawObjectPartsKind7();
void DrawDebugSprite();
void DrawDebugSpriteRowH();
void DrawDebugSpriteRowV();
void DrawDebugTileMap();

// The running object's box for its current frame, relative to its position.
extern int32_t object_box_left, object_box_right, object_box_top, object_box_bottom;
extern int32_t object_box_inner_left, object_box_inner_right;
extern int32_t object_box_centre_x, object_box_centre_y;

// Contact bits of variable word 6.
enum ObjectFlagBits : uint32_t {
  kFlipX = 1u << 0,
  kFlipY = 1u << 1,
  kProbeWalls = 1u << 2,
  kFollowFloors = 1u << 4,
  kProbeCeilings = 1u << 5,
  kStopAtLedges = 1u << 6,
  kWallLeft = 1u << 8,
  kWallRight = 1u << 9,
  kOnFloor = 1u << 10,
  kUnderCeiling = 1u << 11,
};

// Script arithmetic on positions wraps in 32 bits.
inline int32_t WrapAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

// Frame `frame` of sprite set `set` of a type; null when any of them is missing.
const SpriteFrame* TypeFrame(const ObjectType* type, int32_t set, uint32_t frame);
// The frame an object shows: its type's set (word 4) at lane 0's frame value.
const SpriteFrame* CurrentFrame(const ObjectSlot* o);
// Calls fn(lane, frame) for each running Animation lane of o whose frame
// exists in o's sprite set; stops when fn returns true, and returns that.
template <typename Fn>
bool ForEachLaneFrame(const ObjectSlot* o, Fn fn) {
  const TimedScriptContext& a = o->animation_ctx;
  const ObjectType* t = FindObjectType(ObjVar(o, 0));
  for (int i = 0; i < a.lane_count; i++) {
    if (a.lane_funcs[i] >= a.function_count) continue;
    const SpriteFrame* f = TypeFrame(t, ObjVar(o, 4), a.frame_values[i]);
    if (f && fn(i, *f)) return true;
  }
  return false;
}
// Sets the object box globals from o's current frame (all 0 without one).
void SetObjectBox(const ObjectSlot* o);
// Runs o's Animation lanes, keeping the caller's machine state.
void RunObjectAnimation(ObjectSlot* o);
// Empties o's Animation lanes; yields when they are the ones running.
void ResetObjectAnimation(ObjectSlot* o);
// Parameter i of list l of a type; false when missing.
bool TypeParameter(const ObjectType* t, uint32_t l, uint32_t i, int32_t* out);

}  // namespace tolv
