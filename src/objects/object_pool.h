// The object pools: active slots kept dense at the front of object_slots,
// per-object snapshots, and the counters the world update carries.
#pragma once
#include <cstdint>

#include "script/global_contexts.h"
#include "script/machine_state.h"
#include "script/object_globals.h"
#include "script/records.h"

namespace tolv {

constexpr int32_t kFirstSpecialType = 9000;  // never reset by ResetObjectPool
constexpr int32_t kTypeHud = 9995;           // a player's HUD stat object
constexpr int32_t kTypePlayerObject = 9996;
constexpr int32_t kTypePlayerSecond = 9997;
constexpr int32_t kTypePauseMenu = 9998;
constexpr int32_t kTypePlaneSwitch = 9999;
constexpr int kFreeSlotVars = 7;

extern uint16_t snapshot_count;
extern uint16_t spawn_count;
extern uint16_t deleted_count;

// Object code sets by kind, in the order of the object definition files.
enum ObjectCodeKind { kMovementCode, kDrawingCode, kCollisionCode, kPCollisionCode, kAnimationCode, kDBPlaceCode, kDBDrawCode };
extern CodeSet object_code_sets[7];

// Binds every slot's contexts (both pools) and the four kind contexts to
// their tables and code sets; lanes are kept.
void SetupScriptContexts();

void AllocObjectPool();
void ResetObjectPool();
void ResetObjectSlots();
// Back to a free slot: 7 words, no contexts, links, snapshot or instance.
void ResetSlot(ObjectSlot* o);
// Empties the three contexts (bindings kept) and the children array.
void ClearSlotContexts(ObjectSlot* o);
void FreeChildren(ObjectSlot* o);
// Resizes the variable block; new words are 0.
void SetVarCount(ObjectSlot* o, uint32_t n);
void CopyObjectContexts(const ObjectSlot* from, ObjectSlot* to);
// Orders the active objects by draw key, higher first; equal keys keep
// their order.
void SortObjects();
inline bool IsStatObjType(int32_t t) { return t == kTypeHud || t == kTypePauseMenu; }
// Frees the stat object instance a slot owns.
void ReleaseSlotInstance(ObjectSlot* o);


}  // namespace tolv
