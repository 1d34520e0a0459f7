// Parent and child links, retyping and the removal of deleted objects.
#pragma once
#include <cstdint>

#include "script/records.h"

namespace tolv {

// Empties every entry of o's parent's children naming o; parent := none.
void DetachFromParent(ObjectSlot* o);
// Stores child in entry index of parent's children, growing the array
// (new entries empty). Indexes outside 0..254 are refused.
bool SetChild(ObjectSlot* parent, int32_t index, ObjectSlot* child);
// Children of o when o goes away or changes type: with kill (the type's
// flag bit 1) every child is deleted and the array freed; either way the
// children whose parent is o are unlinked.
void DropChildren(ObjectSlot* o, bool kill);
// Bookkeeping of an object the world update compacts away (word 0 is 0):
// its instance is freed, it leaves its parent, its children follow the
// rule of its former type.
void ReleaseDeletedObject(ObjectSlot* o);
// Changes o's type: contexts emptied (yielding when running), children
// dropped by the current type's rule, mover none; the block stays.
bool RetypeObject(ObjectSlot* o, int32_t new_type);

}  // namespace tolv
