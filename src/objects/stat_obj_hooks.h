// What spawning and drawing need from the stat objects: the loaded
// definition counts, building, freeing and drawing instances, and the pause
// state.
#pragma once
#include <cstdint>

#include "objects/object_type.h"

namespace tolv {

extern ScopeCounts stat_obj_def_counts;
// Builds an instance of definition `def` for running_slot (its context
// bound and function 0 started); returns its id, 0 on failure.
extern int32_t (*build_stat_obj)(uint32_t def);
extern void (*free_stat_obj)(int32_t instance);
// Draws running_slot's stat object (the draw pass and the paused frame).
extern void (*draw_stat_obj)();

extern uint16_t pause_function;
extern uint16_t pause_stat_obj;
extern ObjectSlot* pause_slot;

}  // namespace tolv
