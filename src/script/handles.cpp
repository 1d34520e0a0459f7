#include "script/handles.h"

namespace tolv {

// Records outside the pools (the void records) get an id no record has, so
// their handles decode back to the void record.
static int32_t MakeHandle(uint32_t tag, uint32_t id) {
  return static_cast<int32_t>(kHandleBit | tag | (id & kHandleIdMask));
}

int32_t EncodeObjectHandle(const ObjectSlot* slot) {
  uint32_t id = kHandleIdMask;
  if (slot && slot->id < 2 * kObjectSlotCount && &object_pool[slot->id] == slot) id = slot->id;
  return MakeHandle(kObjectHandleTag, id);
}

int32_t EncodePlayerHandle(const PlayerRecord* player) {
  uint32_t id = kHandleIdMask;
  for (int i = 0; i < kMaxPlayers; i++)
    if (player == &player_records[i]) id = static_cast<uint32_t>(i);
  return MakeHandle(kPlayerHandleTag, id);
}

static bool HasKind(uint32_t h, uint32_t tag) { return (h & (kHandleBit | kHandleKindMask)) == (kHandleBit | tag); }

ObjectSlot* DecodeObjectHandle(int32_t handle) {
  uint32_t h = static_cast<uint32_t>(handle), id = h & kHandleIdMask;
  return HasKind(h, kObjectHandleTag) && id < 2 * kObjectSlotCount ? &object_pool[id] : &void_slot;
}

PlayerRecord* DecodePlayerHandle(int32_t handle) {
  uint32_t h = static_cast<uint32_t>(handle), id = h & kHandleIdMask;
  return HasKind(h, kPlayerHandleTag) && id < kMaxPlayers ? &player_records[id] : &void_player;
}

}  // namespace tolv
