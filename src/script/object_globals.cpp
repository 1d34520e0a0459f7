#include "script/object_globals.h"

namespace tolv {

ObjectSlot* processing_slot = &void_slot;
ObjectSlot* last_spawned_slot = &void_slot;
ObjectSlot* collide_object = &void_slot;
uint16_t slot_cursor = 0;

}  // namespace tolv
