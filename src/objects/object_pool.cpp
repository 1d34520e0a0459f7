// The object pools: allocation, reset, context copies and sorting.
#include "objects/object_pool.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "objects/builtin_routines.h"
#include "objects/stat_obj_hooks.h"
#include "render/draw_routines.h"
#include "script/commands.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

uint16_t snapshot_count = 0;
uint16_t spawn_count = 0;
uint16_t deleted_count = 0;

void SetVarCount(ObjectSlot* o, uint32_t n) {
  if (n > 65535) n = 65535;
  if (n == o->var_count && o->vars) return;
  auto* v = static_cast<int32_t*>(std::realloc(o->vars, (n ? n : 1) * sizeof(int32_t)));
  if (!v) throw std::bad_alloc();
  if (n > o->var_count) std::memset(v + o->var_count, 0, (n - o->var_count) * sizeof(int32_t));
  o->vars = v;
  o->var_count = static_cast<uint16_t>(n);
}

void ReleaseSlotInstance(ObjectSlot* o) {
  if (!o->stat_instance) return;
  int32_t id = o->stat_instance;
  o->stat_instance = 0;
  free_stat_obj(id);
}

void ClearSlotContexts(ObjectSlot* o) {
  SavedMachineState keep;
  current_context = &o->movement_ctx;
  ClearContext();
  current_context = &o->drawing_ctx;
  ClearContext();
  timed_context = &o->animation_ctx;
  FreeTimedContext();
}

void FreeChildren(ObjectSlot* o) {
  std::free(o->children);
  o->children = nullptr;
  o->child_count = 0;
}

void ResetSlot(ObjectSlot* o) {
  ReleaseSlotInstance(o);
  SetVarCount(o, kFreeSlotVars);
  int32_t word5 = o->vars[5];
  std::memset(o->vars, 0, kFreeSlotVars * sizeof(int32_t));
  o->vars[5] = word5;
  o->snapshot_index = 65535;
  o->range_latch = 1;
  o->range_state = 255;
  o->mover = builtin_movers[0];
  ClearSlotContexts(o);
  o->parent = nullptr;
  FreeChildren(o);
}

void AllocObjectPool() {
  for (int i = 0; i < 2 * kObjectSlotCount; i++) {
    ObjectSlot* o = &object_pool[i];
    o->id = static_cast<uint16_t>(i);
    ResetSlot(o);
    o->vars[5] = 0;
    if (i < kObjectSlotCount) {
      object_slots[i] = o;
      o->order_index = static_cast<uint16_t>(i);
    }
  }
  for (ScriptContext* c : {&dbdraw_context, &dbplace_context, &collision_context, &pcollision_context}) {
    SavedMachineState keep;
    current_context = c;
    ClearContext();
  }
  processing_slot = object_slots[0];
}

static void ClearPoolCounters() {
  std::memset(cell_object_counts, 0, sizeof cell_object_counts);
  deleted_count = spawn_count = slot_cursor = 0;
}

void ResetObjectPool() {
  ClearPoolCounters();
  // Kept objects (types 9000 and up) move to the front, in list order.
  uint32_t active = static_cast<uint32_t>(registers[kRegActiveObjects]);
  if (active > kObjectSlotCount) active = kObjectSlotCount;
  uint32_t kept = 0;
  for (uint32_t i = 0; i < active; i++) {
    ObjectSlot* o = object_slots[i];
    if (o->vars[0] < kFirstSpecialType) continue;
    object_slots[i] = object_slots[kept];
    object_slots[kept++] = o;
  }
  for (uint32_t i = 0; i < kObjectSlotCount; i++) {
    ObjectSlot* o = object_slots[i];
    o->order_index = static_cast<uint16_t>(i);
    if (i >= kept) ResetSlot(o);
  }
  registers[kRegActiveObjects] = static_cast<int32_t>(kept);
  SortObjects();
  snapshot_count = deleted_count = slot_cursor = 0;
  for (int i = 0; i < kObjectSlotCount; i++) ResetSlot(&object_snapshots[i]);
}

void ResetObjectSlots() {
  ClearPoolCounters();
  for (int i = 0; i < 2 * kObjectSlotCount; i++) ResetSlot(&object_pool[i]);
  registers[kRegActiveObjects] = 0;
  snapshot_count = 0;
}

void CopyObjectContexts(const ObjectSlot* from, ObjectSlot* to) {
  if (from == to) return;
  ClearSlotContexts(to);
  SavedMachineState keep;
  const ScriptContext* plain_from[] = {&from->movement_ctx, &from->drawing_ctx};
  ScriptContext* plain_to[] = {&to->movement_ctx, &to->drawing_ctx};
  for (int k = 0; k < 2; k++) {
    current_context = plain_to[k];
    uint8_t n = plain_from[k]->lane_count;
    SetLaneCount(n);
    if (!n) continue;
    std::memcpy(plain_to[k]->lane_funcs, plain_from[k]->lane_funcs, n * sizeof(uint16_t));
    std::memcpy(plain_to[k]->lane_pcs, plain_from[k]->lane_pcs, n * sizeof(uint16_t));
  }
  const TimedScriptContext& a = from->animation_ctx;
  TimedScriptContext& b = to->animation_ctx;
  timed_context = &b;
  SetTimedLaneCount(a.lane_count);
  if (uint8_t n = a.lane_count) {
    std::memcpy(b.lane_funcs, a.lane_funcs, n * sizeof(uint16_t));
    std::memcpy(b.lane_pcs, a.lane_pcs, n * sizeof(uint16_t));
    std::memcpy(b.wait_acc, a.wait_acc, n * sizeof(uint16_t));
    std::memcpy(b.wait_step, a.wait_step, n * sizeof(uint16_t));
    std::memcpy(b.wait_limit, a.wait_limit, n * sizeof(uint16_t));
    std::memcpy(b.frame_values, a.frame_values, n * sizeof(uint16_t));
    std::memcpy(b.param1, a.param1, n);
    std::memcpy(b.param2, a.param2, n);
  }
  GrowTimedCounters(a.counter_len);
  if (a.counter_len) std::memcpy(b.counters, a.counters, a.counter_len * sizeof(uint16_t));
  to->mover = from->mover;
  SetVarCount(to, from->var_count);
  if (from->var_count) std::memcpy(to->vars, from->vars, from->var_count * sizeof(int32_t));
}

void SortObjects() {
  int32_t n = registers[kRegActiveObjects];
  if (n > kObjectSlotCount) n = kObjectSlotCount;
  for (int32_t i = 1; i < n; i++) {
    ObjectSlot* o = object_slots[i];
    int32_t key = o->vars[3];
    int32_t j = i;
    for (; j > 0 && object_slots[j - 1]->vars[3] < key; j--) object_slots[j] = object_slots[j - 1];
    object_slots[j] = o;
  }
  for (int32_t i = 0; i < (n > 1 ? n : 1); i++) object_slots[i]->order_index = static_cast<uint16_t>(i);
}

CodeSet object_code_sets[7];

void SetupScriptContexts() {
  for (int i = 0; i < 2 * kObjectSlotCount; i++) {
    ObjectSlot* o = &object_pool[i];
    BindContext(o->movement_ctx, script_commands, &object_code_sets[kMovementCode]);
    BindContext(o->drawing_ctx, script_commands, &object_code_sets[kDrawingCode]);
    BindContext(o->animation_ctx, timed_commands, &object_code_sets[kAnimationCode]);
  }
  BindContext(dbdraw_context, script_commands, &object_code_sets[kDBDrawCode]);
  BindContext(dbplace_context, script_commands, &object_code_sets[kDBPlaceCode]);
  BindContext(collision_context, script_commands, &object_code_sets[kCollisionCode]);
  BindContext(pcollision_context, script_commands, &object_code_sets[kPCollisionCode]);
}

}  // namespace tolv
