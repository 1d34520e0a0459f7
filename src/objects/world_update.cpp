// UpdateWorld: players' delayed movement, the object loop with freezes,
// range latch and out-of-range actions, in-pass compaction, then the draw
// order fixes and the debug object list.
#include "objects/world_update.h"

#include "base/key_state.h"
#include "base/scan_codes.h"
#include "objects/draw_order.h"
#include "objects/object_links.h"
#include "objects/object_list.h"
#include "objects/object_pool.h"
#include "objects/object_type.h"
#include "objects/player_select.h"
#include "objects/player_step.h"
#include "script/count_slot.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

static void NoRoutine() {}
void (*run_stat_obj)() = NoRoutine;
void (*check_boundary_events)() = NoRoutine;

constexpr uint32_t kFreezeAll = 1u << 3;
constexpr int32_t kRangeDelete = 3;
constexpr int32_t kRangeRunLabel = 1 << 30;

static void RunMovement(ObjectSlot* o) {
  if (o->mover) o->mover();
  if (o->vars[0] <= 0) return;
  running_slot = o;
  current_context = &o->movement_ctx;
  RunLanes();
}

// An object's first frame out of range: put back as spawned when it keeps
// a snapshot, then the type's range action.
static void LeaveRange(ObjectSlot* o, const ObjectType* t) {
  o->range_latch = 1;
  if (o->snapshot_index < snapshot_count) {
    if (o->range_state == 9) {
      o->range_latch = 0;
      o->range_state = 255;
      o->vars[1] = -65535;
    } else {
      CopyObjectContexts(&object_snapshots[o->snapshot_index], o);
      DropChildren(o, true);
      DetachFromParent(o);  // the parent must not go on naming it
    }
  }
  int32_t action = t->range_action;
  if (action == kRangeDelete) {
    o->vars[0] = 0;
  } else if (action & kRangeRunLabel) {
    running_slot = o;
    current_context = &o->movement_ctx;
    RunFunctionNow(static_cast<uint16_t>(action));
  }
  o->range_state = 255;
}

static void RunDefinedObject(ObjectSlot* o, const ObjectType* t, uint32_t freeze_mask) {
  uint32_t flags = static_cast<uint32_t>(o->vars[6]);
  if ((static_cast<uint32_t>(registers[kRegFreeze]) & kFreezeAll) || (flags & freeze_mask)) {
    o->range_state = 255;
  } else if (o->range_state <= 8 || t->range_action < 0) {
    RunMovement(o);
    if (o->range_state != 255) o->range_latch = 0;
    o->range_state = 255;
  } else if (o->range_latch) {
    o->range_state = 255;
  } else {
    LeaveRange(o, t);
  }
}

// Deleted objects collect in a block right behind the cursor; each live
// one swaps with the first of them, so the list is dense when the loop
// ends.
static void Compact(ObjectSlot* o) {
  uint32_t i = slot_cursor;
  if (object_slots[i] != o) return;  // the list was reordered under the loop
  if (o->vars[0] != 0) {
    if (!deleted_count || deleted_count > i) return;
    uint32_t j = i - deleted_count;
    object_slots[i] = object_slots[j];
    object_slots[j] = o;
    object_slots[i]->order_index = static_cast<uint16_t>(i);
    o->order_index = static_cast<uint16_t>(j);
    return;
  }
  deleted_count++;
  ReleaseDeletedObject(o);
}

// One turn of the object loop: the object at slot_cursor.
static void ProcessObject(ObjectSlot* o, uint32_t freeze_mask) {
  running_slot = processing_slot = o;
  int32_t t = o->vars[0];
  if (t >= 1)
    if (const ObjectType* type = FindObjectType(t)) RunDefinedObject(o, type, freeze_mask);
  if (t == kTypePlayerObject) RunPlayerStep(o);
  if (IsStatObjType(t)) {
    running_slot = o;
    run_stat_obj();
  }
  Compact(o);
}

void UpdateWorld() {
  CountSlotGuard count(CountLoopInObjectVars);
  processing_slot = object_slots[0];
  uint32_t freeze_mask = static_cast<uint32_t>(registers[kRegFreeze]) & 0xF0000000u;
  MoveDelayedPlayers();
  SelectPlayer(0);
  for (slot_cursor = 0; slot_cursor < ActiveObjectCount(); slot_cursor++)
    ProcessObject(object_slots[slot_cursor], freeze_mask);
  if (deleted_count) {
    registers[kRegActiveObjects] -= deleted_count;
    deleted_count = 0;
  }
  SortInSpawned();
  ApplyResortList();
  if (KeyByte(kHeldRow + kScanLeftCtrl) && KeyByte(kScanQ)) WriteObjectList();
}

}  // namespace tolv
