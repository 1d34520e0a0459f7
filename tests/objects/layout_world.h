// A small world for layout files: object types and the three object code
// sets bound to every slot. Shared by the tests and the fuzz target.
#pragma once
#include <cstdlib>
#include <cstring>
#include <vector>

#include "objects/layout_pool.h"
#include "objects/object_layout.h"
#include "objects/object_type.h"
#include "objects/records.h"
#include "script/commands.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv::test {

inline void MoverA() {}
inline void MoverB() {}

// Game 120, zone 5, act 5 types; type t has t % 4 own variables; even types
// up to 8 are saved in layouts, odd ones not.
constexpr uint16_t kGameTypes = 120, kZoneTypes = 5, kActTypes = 5;

inline void ResetSlot(ObjectSlot& o) {
  std::free(o.vars);
  o.vars = static_cast<int32_t*>(std::calloc(7, sizeof(int32_t)));
  o.var_count = 7;
  current_context = &o.movement_ctx;
  ClearContext();
  current_context = &o.drawing_ctx;
  ClearContext();
  timed_context = &o.animation_ctx;
  FreeTimedContext();
  std::free(o.children);
  o.children = nullptr;
  o.child_count = 0;
  o.parent = nullptr;
  o.mover = nullptr;
  o.snapshot_index = 65535;
  o.range_latch = 1;
  o.range_state = 255;
  o.former_type = 0;
  o.order_index = 0;
}

// Each code set: game functions 0..3, zone 4..5, act 6; function k has k + 2
// instructions.
inline void BuildCodeSet(CodeSet& set) {
  for (uint32_t k = 0; k < 7; k++) {
    FunctionBuilder b;
    for (uint32_t i = 0; i < k + 2; i++) b.Add({64});
    AppendFunction(set, b.Finish());
  }
  set.game = 4;
  set.zone = 2;
  set.act = 1;
}

struct LayoutWorld {
  CodeSet anim, move, draw;
  std::vector<ObjectType> types;

  void Build() {
    BuildCommandTables();
    AllocRegisters(16);
    ResetRegisters();
    registers[kRegActiveObjects] = 0;
    types.assign(kGameTypes + kZoneTypes + kActTypes, ObjectType{});
    for (size_t t = 0; t < types.size(); t++) {
      types[t].variable_count = t % 4;
      types[t].flags = (t % 2 == 0 && t <= 8) || t >= kGameTypes ? 1 : 0;
      types[t].builtin_movement = t == 6 ? MoverB : nullptr;
    }
    object_types = types.data();
    object_type_counts = {static_cast<uint16_t>(types.size()), kActTypes, kZoneTypes, kGameTypes};
    BuildCodeSet(anim);
    BuildCodeSet(move);
    BuildCodeSet(draw);
    for (int i = 0; i < 2 * kObjectSlotCount; i++) {
      ObjectSlot& o = object_pool[i];
      BindContext(o.animation_ctx, timed_commands, &anim);
      BindContext(o.movement_ctx, script_commands, &move);
      BindContext(o.drawing_ctx, script_commands, &draw);
      ResetSlot(o);
      if (i < kObjectSlotCount) object_slots[i] = &o;
    }
    layout_snapshot_count = 0;
    layout_movers[1] = MoverA;
    layout_movers[5] = MoverB;
    layout_file_path.clear();
  }

  void Free() {
    for (ObjectSlot& o : object_pool) {
      ResetSlot(o);
      std::free(o.vars);
      o.vars = nullptr;
      o.var_count = 0;
    }
    FreeCodeSet(anim);
    FreeCodeSet(move);
    FreeCodeSet(draw);
    object_types = nullptr;
    object_type_counts = {};
    current_context = running_context = nullptr;
    timed_context = nullptr;
  }
};

// Empties the slots and snapshots in use and puts the list back in pool order.
inline void ClearWorld() {
  int n = registers[kRegActiveObjects];
  for (int i = 0; i < n && i < kObjectSlotCount; i++) ResetSlot(*object_slots[i]);
  for (int i = 0; i < layout_snapshot_count; i++) ResetSlot(object_snapshots[i]);
  for (int i = 0; i < kObjectSlotCount; i++) object_slots[i] = &object_pool[i];
  registers[kRegActiveObjects] = 0;
  layout_snapshot_count = 0;
}

}  // namespace tolv::test
