// Keeping the active list in draw-key order (higher first) as objects are
// spawned and as scripts change keys.
#pragma once
#include <cstdint>

#include "script/records.h"

namespace tolv {

// Register 254 as a count of object_slots entries (0 .. 4096).
uint32_t ActiveObjectCount();

// Queued draw-key changes, applied by the world update in order.
struct ResortEntry {
  ObjectSlot* slot;
  int32_t key;
};
extern ResortEntry* resort_list;
extern uint16_t resort_count;

// Appends a change; refused (false) when the queue is full.
bool QueueDrawKeyChange(ObjectSlot* o, int32_t key);
// The last spawn_count entries, first to last, each moved back past every
// earlier entry with a smaller key; spawn_count := 0.
void SortInSpawned();
// Applies and empties resort_list; entries whose object has left the
// active list or is deleted are skipped.
void ApplyResortList();
// Frees the queue's storage.
void FreeResortList();

}  // namespace tolv
