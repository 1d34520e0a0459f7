// The world update: once per game frame, every player and active object
// steps in list order, deleted objects leave the list in the same pass and
// spawned objects are sorted in by draw key.
#pragma once

namespace tolv {

// Runs running_slot's stat object (types 9995 and 9998); installed by the
// stat object runner, a no-op until then.
extern void (*run_stat_obj)();
// Boundary events of the current player; installed by the level code.
extern void (*check_boundary_events)();

void UpdateWorld();

}  // namespace tolv
