#include "physics/physics_routines.h"

#include "objects/collision_passes.h"
#include "physics/movement_frame.h"
#include "physics/pass_geometry.h"

namespace tolv {

void InstallPhysicsRoutines() {
  const ObjectRoutine movers[] = {RunNoRoutine, MoveObjectKind1, MoveObjectKind2, MoveObjectKind3, MoveObjectKind4, MoveObjectKind5};
  const ObjectRoutine collisions[] = {RunNoRoutine, CollectOnTouch, SwitchPlayerLayerY, SwitchPlayerLayerX};
  for (int i = 0; i < 6; i++) builtin_movers[i] = movers[i];
  for (int i = 0; i < 4; i++) builtin_collisions[i] = collisions[i];
  builtin_pcollisions[0] = RunNoRoutine;
  builtin_pcollisions[1] = ProjectileCollide;
  builtin_dbplacers[0] = RunNoRoutine;
  builtin_dbplacers[1] = PlaceDebugObject;
  collide_player_with_object_map = CollidePlayerWithObjectMap;
  InstallMovementRoutines();
  collide_player_with_objects = CollidePlayerWithObjects;
  run_projectile_collision_pass = RunProjectileCollisionPass;
}

}  // namespace tolv
