// Movers 1-3 and 5: Animation lanes, fixed-point motion and the swept
// projectile steps.
#include "objects/collision_passes.h"
#include "objects/object_pool.h"
#include "physics/physics_routines.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

uint8_t projectile_view = 255;
int32_t projectile_shift_x = 0, projectile_shift_y = 0;

static bool Deleted(const ObjectSlot* o) { return ObjVar(o, 0) == 0; }
static int32_t Wrap(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); }

void FixedPointStep(int32_t& p, int32_t& a, int32_t s) {
  int64_t acc = int64_t{a} + s;
  if (s < 0) {
    if (acc < -255) {
      int64_t n = 1 + (-256 - acc) / 256;
      p = Wrap(int64_t{p} - n);
      acc += n * 256;
    }
  } else if (acc > 255) {
    p = Wrap(int64_t{p} + 1 + (acc - 256) / 256);
    acc = (acc - 256) % 256;
  }
  a = Wrap(acc);
}

void MoveObjectKind1() { RunObjectAnimation(running_slot); }

void MoveObjectKind2() {
  ObjectSlot* o = running_slot;
  RunObjectAnimation(o);
  if (Deleted(o) || o->var_count < 15) return;
  const ObjectType* t = FindObjectType(o->vars[0]);
  if (t && t->sprite_list_count) SetObjectBox(o);
  int32_t* v = o->vars;
  FixedPointStep(v[1], v[11], v[9]);
  FixedPointStep(v[2], v[12], v[10]);
  v[9] = Wrap(int64_t{v[9]} + v[13]);
  v[10] = Wrap(int64_t{v[10]} + v[14]);
}

// One axis of the view test: in [cam, cam + size), or one wrap away.
static bool AxisInView(int64_t& pos, int32_t cam, int32_t size, bool wrap, int32_t wrap_size, int32_t& shift) {
  auto in = [&](int64_t p) { return cam <= p && p < int64_t{cam} + size; };
  if (in(pos)) return true;
  if (!wrap) return false;
  for (int64_t d : {-int64_t{wrap_size}, int64_t{wrap_size}}) {
    if (!in(pos + d)) continue;
    pos += d;
    shift = static_cast<int32_t>(d);
    return true;
  }
  return false;
}

static void ProjectileViewTest(const ObjectSlot* o) {
  projectile_view = 255;
  projectile_shift_x = projectile_shift_y = 0;
  int64_t x = ObjVar(o, 1), y = ObjVar(o, 2);
  const int32_t* r = registers;
  for (int v = 0; v < 2; v++) {
    if (v == 1 && r[kRegScreenMode] < 2) return;
    if (!AxisInView(x, r[19 + v], r[13], r[39 + v], r[47 + v], projectile_shift_x)) continue;
    if (!AxisInView(y, r[21 + v], r[14], r[41 + v], r[49 + v], projectile_shift_y)) continue;
    projectile_view = static_cast<uint8_t>(v);
    return;
  }
}

static int SignOf(int32_t v) { return (v > 0) - (v < 0); }

enum StepResult { kStepDone, kStepTurned, kStepDeleted };

// One axis pixel by pixel with a collision pass before each pixel; stops
// when a pass deletes the object or turns its speed around.
static StepResult SweepAxis(ObjectSlot* o, int pos, int acc, int speed) {
  int32_t s = ObjVar(o, speed);
  int32_t dir = s < 0 ? -1 : 1;
  ObjVar(o, acc) = StepAccumulator(ObjVar(o, acc), s);
  while (dir < 0 ? ObjVar(o, acc) < -255 : ObjVar(o, acc) > 255) {
    run_projectile_collision_pass();
    if (Deleted(o)) return kStepDeleted;
    if (SignOf(ObjVar(o, speed)) != SignOf(s)) return kStepTurned;
    ObjVar(o, pos) = Wrap(int64_t{ObjVar(o, pos)} + dir);
    ObjVar(o, acc) = Wrap(int64_t{ObjVar(o, acc)} - dir * 256);
  }
  return kStepDone;
}

static void Accelerate(ObjectSlot* o) {
  ObjVar(o, 9) = Wrap(int64_t{ObjVar(o, 9)} + ObjVar(o, 13));
  ObjVar(o, 10) = Wrap(int64_t{ObjVar(o, 10)} + ObjVar(o, 14));
}

void MoveObjectKind3() {
  ObjectSlot* o = running_slot;
  ProjectileViewTest(o);
  RunObjectAnimation(o);
  if (Deleted(o) || o->var_count < 15) return;
  SetObjectBox(o);
  if (SweepAxis(o, 1, 11, 9) == kStepDeleted) return;
  // Whether rising stopped early or the step ended, the speeds take their
  // accelerations once and one last pass runs.
  if (SweepAxis(o, 2, 12, 10) == kStepDeleted) return;
  Accelerate(o);
  run_projectile_collision_pass();
}

void MoveObjectKind4() {
  ObjectSlot* o = running_slot;
  RunObjectAnimation(o);
  if (o->animation_ctx.lane_count == 0 || Deleted(o) || o->var_count < 19) return;
  SetObjectBox(o);
  WalkObject(o, false);
}

void MoveObjectKind5() {
  ObjectSlot* o = running_slot;
  ProjectileViewTest(o);
  RunObjectAnimation(o);
  if (o->animation_ctx.lane_count == 0 || Deleted(o) || o->var_count < 19) return;
  SetObjectBox(o);
  run_projectile_collision_pass();
  if (Deleted(o)) return;
  WalkObject(o, true);
}

}  // namespace tolv
