#include "objects/collision_passes.h"

namespace tolv {

static void NoMovement(uint8_t) {}
static void NoPass() {}

MovementRoutine movement_routines[9] = {NoMovement, NoMovement, NoMovement, NoMovement, NoMovement,
                                        NoMovement, NoMovement, NoMovement, NoMovement};
void (*run_projectile_collision_pass)() = NoPass;
void (*collide_player_with_objects)() = NoPass;
ObjectRoutine collide_player_with_object_map = NoPass;

}  // namespace tolv
