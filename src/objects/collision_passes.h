// Movement and collision passes the object routines call; the physics
// subsystem installs them. Defaults do nothing.
#pragma once
#include <cstdint>

#include "script/object_globals.h"
#include "script/records.h"

namespace tolv {

// Player movement per movement mode (0 floor .. 8 debug placement); the
// argument 0 is the frame step.
using MovementRoutine = void (*)(uint8_t step);
extern MovementRoutine movement_routines[9];

// Projectile pass for running_slot; the caller checks its type word after.
extern void (*run_projectile_collision_pass)();
// Player-versus-object pass for the current player.
extern void (*collide_player_with_objects)();
// The current player against the running object's own solid tile map
// (entry 4 of builtin_collisions).
extern ObjectRoutine collide_player_with_object_map;

}  // namespace tolv
