// Worlds built in memory for the world update tests: object types whose
// Movement and Drawing scripts use a few test commands at borrowed IDs,
// players with one character, and the objects subsystem under them.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "base/key_state.h"
#include "objects/builtin_routines.h"
#include "objects/character.h"
#include "objects/collision_passes.h"
#include "objects/draw_order.h"
#include "objects/object_pool.h"
#include "objects/object_type.h"
#include "objects/objects_state.h"
#include "objects/player_select.h"
#include "objects/players.h"
#include "objects/spawn.h"
#include "objects/stat_obj_hooks.h"
#include "objects/world_update.h"
#include "script/commands.h"
#include "script/global_contexts.h"
#include "script/operands.h"
#include "script/random.h"
#include "script/registers.h"
#include "script/script_state.h"
#include "world_scripts.h"
#include "../script/script_fixture.h"

namespace tolv::test {

// Borrowed command IDs, put back by BuildCommandTables after each test.
enum TestCommand : uint32_t {
  kTrace = 1540,      // records op1 (or else self word 5) and the Count slot in use
  kAddSelf = 1541,    // self var op1 += op2
  kDeleteAt = 1543,   // word 0 of the object at list index op1 := 0
  kRandSelf = 1545,   // self var op1 += random 0 .. op2
  kSpawnHere = 1546,  // spawn type op1 at self's position, draw key op2, word 5 op3
  kQueueVar = 1547,   // queue self var op1 as self's draw key
  kYieldLoop = 1527,  // the yielding jump: yields, resumes at op1
  kDeleteSelf = 88,
};

struct TraceHit {
  int32_t tag;
  CommandHandler count_slot;
};
inline std::vector<TraceHit> trace;

inline void TraceCmd() { trace.push_back({Op(1) ? static_cast<int32_t>(Op(1)) : SelfVar(5), script_commands[28]}); }
inline void AddSelfCmd() {
  SelfVar(Op(1)) = static_cast<int32_t>(static_cast<uint32_t>(SelfVar(Op(1))) + Op(2));
}
inline void DeleteAtCmd() {
  if (Op(1) < ActiveObjectCount()) object_slots[Op(1)]->vars[0] = 0;
}
inline void QueueVarCmd() { QueueDrawKeyChange(running_slot, SelfVar(Op(1))); }
inline void RandSelfCmd() {
  uint32_t r = static_cast<uint32_t>(RandomInRange(0, static_cast<int32_t>(Op(2))));
  SelfVar(Op(1)) = static_cast<int32_t>(static_cast<uint32_t>(SelfVar(Op(1))) + r);
}
inline void SpawnHereCmd() {
  SpawnObject(static_cast<int32_t>(Op(1)), SelfVar(1), SelfVar(2), static_cast<int32_t>(Op(2)),
              static_cast<int32_t>(Op(3)), 0, 0, nullptr);
}

class WorldTest : public ::testing::Test {
 protected:
  static constexpr int kTypes = 8;
  ObjectType types[kTypes];

  static void SetUpTestSuite() { StartObjects(); }

  void SetUp() override {
    ASSERT_EQ(BuildCommandTables(), 0);
    InstallTestCommands();
    AllocRegisters(16);
    ResetRegisters();
    ResetObjects();
    for (int t = 0; t < kTypes; t++) {
      types[t] = ObjectType{};
      types[t].variable_count = 4;
      types[t].range_action = -1;  // always active unless a test says otherwise
      types[t].builtin_movement = builtin_movers[0];
      types[t].builtin_drawing = builtin_drawers[0];
    }
    object_types = types;
    object_type_counts = ScopeCounts{};
    object_type_counts.total = object_type_counts.game = kTypes;
    trace.clear();
    player_count = 2;
    SelectPlayer(0);
  }

  void TearDown() override {
    ResetObjects();
    FreeWorldScripts();
    for (auto& m : movement_routines) m = [](uint8_t) {};
    run_stat_obj = check_boundary_events = [] {};
    stat_obj_def_counts = ScopeCounts{};
    build_stat_obj = [](uint32_t) { return int32_t{0}; };
    std::fill(key_state, key_state + kKeyStateSize, 0);
    BuildCommandTables();
    ResetMachineState();
  }

  static void InstallTestCommands() {
    const std::pair<uint32_t, CommandHandler> cmds[] = {
        {kTrace, TraceCmd},         {kAddSelf, AddSelfCmd},     {kDeleteAt, DeleteAtCmd},
        {kRandSelf, RandSelfCmd},   {kSpawnHere, SpawnHereCmd}, {kQueueVar, QueueVarCmd}};
    for (auto [id, h] : cmds) script_commands[id] = timed_commands[id] = h;
  }

  // A function of the kind's code set, every context bound again so it counts.
  static uint16_t AddFunction(ObjectCodeKind kind, Func f) {
    int n = AppendFunction(object_code_sets[kind], MakeFunction(f));
    SetupScriptContexts();
    return static_cast<uint16_t>(n);
  }
  // A Movement label that traces the object, runs `body`, and yields until
  // the next frame.
  uint16_t Mover(int type, std::initializer_list<Instr> body = {}) {
    FunctionBuilder b;
    b.Add({kTrace, 0});
    for (const Instr& i : body) b.Add(i);
    b.Add({kYieldLoop, 0});
    int n = AppendFunction(object_code_sets[kMovementCode], b.Finish());
    SetupScriptContexts();
    types[type].movement_label = static_cast<uint16_t>(n);
    return static_cast<uint16_t>(n);
  }

  // Players: character 0 with one action group; the player functions
  // shared by both players' contexts.
  ActionGroup actions[1];
  static void BindPlayers() {
    for (PlayerRecord& r : player_records) {
      BindContext(r.character_ctx, script_commands, &player_functions);
      BindContext(r.main_ctx, timed_commands, &player_functions);
    }
  }
  static uint16_t AddPlayerFunction(Func f) {
    int n = AppendFunction(player_functions, MakeFunction(f));
    BindPlayers();
    return static_cast<uint16_t>(n);
  }
  void SetUpCharacter(uint16_t before, uint16_t after) {
    AllocPlayerVars();
    actions[0] = ActionGroup{};
    actions[0].before_label = before;
    actions[0].after_label = after;
    characters[0] = Character{};
    characters[0].actions = actions;
    characters[0].action_count = 1;
    character_count = 1;
    for (PlayerRecord& r : player_records) {
      r.character = 0;
      PVar(&r, kPvCharacter) = 0;
    }
    BindPlayers();
  }
  static ObjectSlot* SpawnPlayerObject(int32_t p, int32_t tag) {
    EXPECT_TRUE(SpawnObject(kTypePlayerObject, 0, 0, 0, tag, 0, 1, &p));
    return last_spawned_slot;
  }

  static ObjectSlot* Spawn(int32_t type, int32_t key, int32_t tag, int32_t x = 100, int32_t y = 100) {
    EXPECT_TRUE(SpawnObject(type, x, y, key, tag, 0, 0, nullptr));
    return last_spawned_slot;
  }

  // Word 5 (the test's tag) of every active object, in list order.
  static std::vector<int32_t> Tags() {
    std::vector<int32_t> v;
    for (uint32_t i = 0; i < ActiveObjectCount(); i++) v.push_back(object_slots[i]->vars[5]);
    return v;
  }
  static std::vector<int32_t> Traced() {
    std::vector<int32_t> v;
    for (const TraceHit& h : trace) v.push_back(h.tag);
    return v;
  }
  static void ExpectDense() {
    for (uint32_t i = 0; i < ActiveObjectCount(); i++) {
      EXPECT_EQ(object_slots[i]->order_index, i);
      EXPECT_NE(object_slots[i]->vars[0], 0) << "deleted object left at " << i;
    }
  }
  static void Frame() {
    trace.clear();
    UpdateWorld();
  }
};

}  // namespace tolv::test
