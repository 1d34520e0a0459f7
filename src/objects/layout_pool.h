// Pool operations the layout reader and writer need.
#pragma once
#include "objects/records.h"

namespace tolv {

constexpr int kBuiltinMoverCount = 6;

extern uint16_t layout_snapshot_count;
extern ObjectRoutine layout_movers[kBuiltinMoverCount];

// Active objects in descending draw key order; order_index = position.
void LayoutSortObjects();
// Copies from's contexts, mover and variable block over to's.
void LayoutCopyContexts(ObjectSlot* from, ObjectSlot* to);

}  // namespace tolv
