// The built-in movers and collisions of object types, and what they share.
#pragma once
#include <cstdint>

#include "objects/builtin_routines.h"

namespace tolv {

// Fills the movers, collisions, projectile collision and debug placement
// entries of the built-in routine tables (objects/builtin_routines.h), and
// the terrain movement routines.
void InstallPhysicsRoutines();

void MoveObjectKind1();
void MoveObjectKind2();
void MoveObjectKind3();
void MoveObjectKind4();
void MoveObjectKind5();
void CollectOnTouch();
void SwitchPlayerLayerY();
void SwitchPlayerLayerX();
void ProjectileCollide();
void PlaceDebugObject();
void CollidePlayerWithObjectMap();

// View test of the projectile movers: the view the projectile lies in
// (255 none) and the wrap shifts that put it there.
extern uint8_t projectile_view;
extern int32_t projectile_shift_x, projectile_shift_y;

// Movers that step pixel by pixel take at most this many pixels per axis
// and frame: a script speed in the millions must not stall the frame.
constexpr int64_t kMaxStepsPerFrame = 4096;
// Accumulator a plus speed s, held to what that many steps use.
inline int32_t StepAccumulator(int32_t a, int32_t s) {
  int64_t v = int64_t{a} + s, cap = kMaxStepsPerFrame * 256 + 255;
  return static_cast<int32_t>(v > cap ? cap : v < -cap ? -cap : v);
}

// Fixed-point step of one axis: position p, accumulator a, speed s.
void FixedPointStep(int32_t& p, int32_t& a, int32_t s);
// The walker stages of mover 4 (with_passes: mover 5's collision passes);
// false when a pass deleted the object.
bool WalkObject(ObjectSlot* o, bool with_passes);

}  // namespace tolv
