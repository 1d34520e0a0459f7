// Fixture for commands that reach objects and players: four object slots
// with variable blocks, two players, the global and collision contexts, all
// bound to the code set of ScriptTest.
#pragma once
#include <gtest/gtest.h>

#include "host/message_log.h"
#include "objects/characters.h"
#include "objects/object_globals.h"
#include "objects/object_type.h"
#include "script/commands.h"
#include "script/global_contexts.h"
#include "script/operands.h"
#include "script/registers.h"
#include "script_fixture.h"

namespace tolv::test {

class ObjectScriptTest : public ScriptTest {
 protected:
  static constexpr int kObjects = 4;
  static constexpr int kVars = 32;
  ObjectSlot* obj[kObjects] = {};
  int32_t vars[kObjects][kVars] = {};
  int32_t player_block[kMaxPlayers][9 + 39] = {};

  void SetUp() override {
    ASSERT_EQ(BuildCommandTables(), 0);
    ScriptTest::SetUp();
    for (int i = 0; i < kObjects; i++) {
      obj[i] = &object_pool[i];
      object_slots[i] = obj[i];
      obj[i]->vars = vars[i];
      obj[i]->var_count = kVars;
      obj[i]->order_index = static_cast<uint16_t>(i);
    }
    registers[kRegActiveObjects] = kObjects;
    for (int p = 0; p < kMaxPlayers; p++) {
      player_records[p].character_vars = player_block[p];
      player_records[p].player_vars = player_block[p] + 9;
    }
    BindAll();
    current_context = &global_context;
    running_context = nullptr;
    timed_context = nullptr;
    current_lane = 0;
    yield_flag = 0;
    running_slot = object_operand_a = object_operand_b = object_operand_d = &void_slot;
    player_operand_a = player_operand_b = player_operand_d = &void_player;
    current_player = &void_player;
    current_character_vars = nullptr;
    current_character_var_count = 0;
    processing_slot = obj[0];
    ClearMessages();
  }

  void TearDown() override {
    for (int i = 0; i < kObjects; i++) {
      ObjectSlot* o = obj[i];
      FreeLanes(o->movement_ctx);
      FreeLanes(o->drawing_ctx);
      FreeTimedLanes(o->animation_ctx);
      TimedScriptContext empty_timed;
      o->animation_ctx = empty_timed;
      o->movement_ctx = o->drawing_ctx = ScriptContext{};
      o->vars = nullptr;
      o->var_count = 0;
      o->order_index = 0;
      o->parent = nullptr;
      o->children = nullptr;
      o->child_count = 0;
      object_slots[i] = nullptr;
    }
    for (PlayerRecord& p : player_records) {
      FreeLanes(p.character_ctx);
      FreeTimedLanes(p.main_ctx);
      uint8_t index = p.index;
      p = PlayerRecord{};
      p.index = index;
    }
    for (ScriptContext* c : {&global_context, &collision_context, &pcollision_context}) {
      FreeLanes(*c);
      *c = ScriptContext{};
    }
    ScriptTest::TearDown();
    characters[0] = Character{};
    character_count = 0;
    object_types = nullptr;
    object_type_counts = ScopeCounts{};
    processing_slot = last_spawned_slot = collide_object = &void_slot;
    running_slot = &void_slot;
    stat_obj_counters = nullptr;
    stat_obj_counter_count = 0;
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

  // Every context is bound again after each new function, so the function
  // counts always cover the whole set.
  void BindAll() {
    for (int i = 0; i < kObjects; i++) {
      BindContext(obj[i]->movement_ctx, script_commands, &code);
      BindContext(obj[i]->drawing_ctx, script_commands, &code);
      BindContext(obj[i]->animation_ctx, timed_commands, &code);
    }
    for (PlayerRecord& p : player_records) {
      BindContext(p.character_ctx, script_commands, &code);
      BindContext(p.main_ctx, timed_commands, &code);
    }
    for (ScriptContext* c : {&global_context, &collision_context, &pcollision_context})
      BindContext(*c, script_commands, &code);
  }

  uint16_t AddFunction(Func f) {
    int n = AppendFunction(code, MakeFunction(f));
    BindAll();
    return static_cast<uint16_t>(n);
  }

  // Runs one command directly through a table, with operands zero-padded.
  static void Exec(std::initializer_list<uint32_t> words, CommandHandler* table = script_commands) {
    static uint32_t buffer[32];
    uint32_t n = 0;
    for (uint32_t w : words) buffer[n++] = w;
    while (n < 32) buffer[n++] = 0;
    current_instruction = buffer;
    table[CommandIndex(buffer[0])]();
  }

  // One frame of a plain or timed context.
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
