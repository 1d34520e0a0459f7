// Object globals the script machine reads: the object the world update is
// at, the newest spawn, the collision partner and the walking index.
#pragma once
#include <cstdint>

#include "script/records.h"

namespace tolv {

extern ObjectSlot* processing_slot;    // the world update's current object
extern ObjectSlot* last_spawned_slot;
extern ObjectSlot* collide_object;     // partner of the collision pass
extern uint16_t slot_cursor;

}  // namespace tolv
