// A small world for layout files: object types and the three object code
// sets bound to every slot. Shared by the tests and the fuzz target.
#pragma once
#include <cstdlib>
#include <cstring>
#include <vector>

#include "objects/builtin_routines.h"
#include "objects/command_lists.h"
#include "objects/object_layout.h"
#include "objects/object_pool.h"
#include "objects/object_type.h"
#include "objects/objects_state.h"
#include "script/commands.h"
#include "script/operands.h"
#include "script/records.h"
#include "script/registers.h"
#include "script/script_state.h"

namespace tolv::test {

// Game 120, zone 5, act 5 types; type t has t % 4 own variables; even types
// up to 8 are saved in layouts, odd ones not, and so are all zone and act
// types. Type 6 moves with built-in mover 5.
constexpr uint16_t kGameTypes = 120, kZoneTypes = 5, kActTypes = 5;

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

// Movers 1-5 belong to the physics subsystem: distinct stand-ins let the
// writer tell them apart.
template <int kind>
void StandInMover() {}
inline void InstallStandInMovers() {
  const ObjectRoutine movers[] = {StandInMover<1>, StandInMover<2>, StandInMover<3>, StandInMover<4>, StandInMover<5>};
  for (int i = 0; i < 5; i++) builtin_movers[i + 1] = movers[i];
}

struct LayoutWorld {
  std::vector<ObjectType> types;
  CodeSet& anim = object_code_sets[kAnimationCode];
  CodeSet& move = object_code_sets[kMovementCode];
  CodeSet& draw = object_code_sets[kDrawingCode];

  void Build() {
    BuildCommandTables();
    AllocRegisters(16);
    ResetRegisters();
    RegisterObjectCommands();
    InstallBuiltinRoutines();
    InstallStandInMovers();
    types.assign(kGameTypes + kZoneTypes + kActTypes, ObjectType{});
    for (size_t t = 0; t < types.size(); t++) {
      types[t].variable_count = t % 4;
      types[t].flags = (t % 2 == 0 && t <= 8) || t >= kGameTypes ? 1 : 0;
      types[t].builtin_movement = builtin_movers[t == 6 ? 5 : 0];
    }
    object_types = types.data();
    object_type_counts = {static_cast<uint16_t>(types.size()), kActTypes, kZoneTypes, kGameTypes};
    BuildCodeSet(anim);
    BuildCodeSet(move);
    BuildCodeSet(draw);
    SetupScriptContexts();
    AllocObjectPool();
    registers[kRegActiveObjects] = 0;
    snapshot_count = 0;
    layout_file_path.clear();
  }

  void Free() {
    ResetObjects();
    for (CodeSet& s : object_code_sets) FreeCodeSet(s);
    object_types = nullptr;
    object_type_counts = {};
    ResetMachineState();
  }
};

// Empties the slots and snapshots in use.
inline void ClearWorld() {
  int n = registers[kRegActiveObjects];
  for (int i = 0; i < n && i < kObjectSlotCount; i++) ResetSlot(object_slots[i]);
  for (int i = 0; i < snapshot_count; i++) ResetSlot(&object_snapshots[i]);
  registers[kRegActiveObjects] = 0;
  snapshot_count = 0;
}

}  // namespace tolv::test
