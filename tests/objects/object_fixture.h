// Fixture for commands that reach objects and players: four object slots
// with variable blocks, two players, the global and collision contexts, all
// bound to the code set of ScriptTest.
#pragma once
#include "objects/character.h"
#include "objects/command_lists.h"
#include "objects/label_lookups.h"
#include "objects/object_type.h"
#include "script/global_contexts.h"
#include "script/object_globals.h"
#include "script/script_state.h"
#include "../script/script_fixture.h"

namespace tolv::test {

class ObjectScriptTest : public ScriptTest {
 protected:
  static constexpr int kObjects = 4, kVars = 32;
  ObjectSlot* obj[kObjects] = {};
  int32_t vars[kObjects][kVars] = {};
  int32_t player_block[kMaxPlayers][9 + 39] = {};

  void SetUp() override {
    ScriptTest::SetUp();
    RegisterObjectCommands();
    InstallLabelLookups();
    for (int i = 0; i < kObjects; i++) {
      obj[i] = object_slots[i] = &object_pool[i];
      obj[i]->vars = vars[i];
      obj[i]->var_count = kVars;
      obj[i]->order_index = static_cast<uint16_t>(i);
    }
    registers[kRegActiveObjects] = kObjects;
    for (int p = 0; p < kMaxPlayers; p++) {
      player_records[p].character_vars = player_block[p];
      player_records[p].player_vars = player_block[p] + 9;
    }
    current_context = &global_context;
    processing_slot = obj[0];
  }

  void TearDown() override {
    for (ObjectSlot* o : obj) {
      FreeLanes(o->movement_ctx);
      FreeTimedLanes(o->animation_ctx);
      uint16_t id = o->id;
      *o = ObjectSlot{};
      o->id = id;
    }
    for (PlayerRecord& p : player_records) {
      FreeLanes(p.character_ctx);
      FreeTimedLanes(p.main_ctx);
      uint8_t index = p.index;
      p = PlayerRecord{};
      p.index = index;
    }
    for (ScriptContext* c : {&global_context, &collision_context}) FreeLanes(*c);
    ScriptTest::TearDown();
    std::fill(object_slots, object_slots + kObjects, nullptr);
    FreeCharacters(-1);
    character_count = 0;
    object_types = nullptr;
    object_type_counts = ScopeCounts{};
    ResetMachineState();
    BuildCommandTables();
  }

  static void FreeLanes(ScriptContext& c) {
    current_context = &c;
    ClearContext();
  }
  static void FreeTimedLanes(TimedScriptContext& c) {
    timed_context = &c;
    FreeTimedContext();
  }

  // Contexts are bound again after each new function so their function
  // counts cover the whole set.
  uint16_t AddFunction(Func f) {
    int n = AppendFunction(code, MakeFunction(f));
    for (ObjectSlot* o : obj) {
      BindContext(o->movement_ctx, script_commands, &code);
      BindContext(o->animation_ctx, timed_commands, &code);
    }
    for (PlayerRecord& p : player_records) {
      BindContext(p.character_ctx, script_commands, &code);
      BindContext(p.main_ctx, timed_commands, &code);
    }
    BindContext(global_context, script_commands, &code);
    BindContext(collision_context, script_commands, &code);
    return static_cast<uint16_t>(n);
  }

  // Runs one command directly through a table, its operands zero-padded.
  static void Exec(Instr words, CommandHandler* table = script_commands) {
    static uint32_t buffer[32];
    std::fill(buffer, buffer + 32, 0u);
    std::copy(words.begin(), words.end(), buffer);
    current_instruction = buffer;
    table[CommandIndex(buffer[0])]();
  }

  static void Frame(ScriptContext& c) {
    current_context = &c;
    RunLanes();
  }
  static void Frame(TimedScriptContext& c) {
    timed_context = &c;
    RunTimedLanes();
  }
};

}  // namespace tolv::test
