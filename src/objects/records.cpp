#include "objects/records.h"

namespace tolv {

ObjectSlot object_pool[2 * kObjectSlotCount];
ObjectSlot* object_slots[kObjectSlotCount];
ObjectSlot* const object_snapshots = object_pool + kObjectSlotCount;
PlayerRecord player_records[kMaxPlayers];
ObjectSlot void_slot;
PlayerRecord void_player;
uint32_t character_register_count = 9;
uint32_t player_register_count = 39;

}  // namespace tolv

#include "objects/object_type.h"

namespace tolv {

ObjectType* object_types = nullptr;
ScopeCounts object_type_counts;

}  // namespace tolv
