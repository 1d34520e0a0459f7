#include "script/records.h"

namespace tolv {

ObjectSlot object_pool[2 * kObjectSlotCount];
ObjectSlot* object_slots[kObjectSlotCount];
ObjectSlot* const object_snapshots = object_pool + kObjectSlotCount;
PlayerRecord player_records[kMaxPlayers];
ObjectSlot void_slot;
PlayerRecord void_player;
uint32_t character_register_count = 9;
uint32_t player_register_count = 39;

// Record ids are fixed for the whole run: handles are built from them.
static bool AssignRecordIds() {
  for (int i = 0; i < 2 * kObjectSlotCount; i++) object_pool[i].id = static_cast<uint16_t>(i);
  for (int i = 0; i < kMaxPlayers; i++) player_records[i].index = static_cast<uint8_t>(i);
  return true;
}
static const bool kRecordIdsAssigned = AssignRecordIds();

}  // namespace tolv
