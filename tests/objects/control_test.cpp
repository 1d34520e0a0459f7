// Function control in other owners' contexts and in timed contexts.
#include <cstring>

#include "base/message_log.h"
#include "object_fixture.h"
#include "objects/player_select.h"
#include "script/count_slot.h"

namespace tolv::test {
namespace {

void CountMarker() {}

// Type 1 has Movement label lists and an Animation label, the character's
// labels start at 0 and each player's label table has one entry: every label
// form finds function 0 unless a test points it elsewhere.
class ControlTest : public ObjectScriptTest {
 protected:
  ObjectType types[2] = {};
  uint16_t list_lengths[2] = {1, 2};
  int32_t list0[1] = {0}, list1[2] = {0, 0};
  int32_t* lists[2] = {list0, list1};
  uint16_t animation_labels[1] = {0}, table_labels[1] = {0};
  Character chars[1];
  uint16_t a = 0, b = 0;

  void SetUp() override {
    ObjectScriptTest::SetUp();
    types[1].parameter_list_count = 2;
    types[1].parameter_list_lengths = list_lengths;
    types[1].parameter_lists = lists;
    types[1].animation_label_count = 1;
    types[1].animation_labels = animation_labels;
    object_types = types;
    object_type_counts.total = 2;
    characters[0] = chars[0];
    character_count = 1;
    for (int i = 0; i < kObjects; i++) vars[i][0] = 1;
    for (int i = 0; i < kObjects; i++) vars[i][5] = 10 + i;
    for (PlayerRecord& p : player_records) {
      p.character = 0;
      p.labels = table_labels;
      p.label_count = 1;
    }
    a = AddFunction({{379, 5}, {79}, {80, 8}});  // frame value := self variable 5
    b = AddFunction({{80, 6}, {79}});
    animation_labels[0] = a;
    running_context = &global_context;
  }
  TimedScriptContext& Anim(int i) { return obj[i]->animation_ctx; }
};

TEST_F(ControlTest, OtherContextCommandsRestoreMachineState) {
  std::vector<uint32_t> ids = {1259, 1260, 1261};
  for (uint32_t id = 1134; id <= 1169; id++) ids.push_back(id);
  for (uint32_t id : ids) {
    for (CommandHandler* table : {script_commands, timed_commands, stat_obj_commands}) {
      SelectPlayer(0);
      player_operand_d = &player_records[1];
      object_operand_d = obj[1];
      running_slot = obj[2];
      current_context = running_context = &collision_context;
      timed_context = &Anim(3);
      current_lane = 5;
      yield_flag = 1;
      script_commands[28] = CountMarker;
      Exec({id, 0, 0}, table);
      EXPECT_TRUE(current_context == &collision_context && running_context == &collision_context) << id;
      EXPECT_TRUE(timed_context == &Anim(3) && current_lane == 5 && running_slot == obj[2]) << id;
      EXPECT_TRUE(yield_flag == 0 && script_commands[28] == CountMarker) << id;
      EXPECT_TRUE(registers[kRegPlayer] == 0 && current_player == &player_records[0]) << id;
    }
  }
  // Every target was reached; its last command (a stop) freed function 0.
  for (ScriptContext* c : {&obj[1]->movement_ctx, &obj[2]->movement_ctx, &player_records[0].character_ctx,
                           &player_records[1].character_ctx, &global_context})
    EXPECT_TRUE(c->lane_count >= 1 && FindLane(c, 0) == -1);
}

TEST_F(ControlTest, RunNowCountsInTheTargetsVariablesAndSelectsItsPlayer) {
  uint16_t f = AddFunction({{28, 0, 7, 5}});
  object_operand_d = obj[1];
  running_slot = obj[2];
  Exec({1164, f});
  EXPECT_TRUE(vars[1][7] == 1 && vars[2][7] == 0 && registers[7] == 0);

  SelectPlayer(0);
  player_operand_d = &player_records[1];
  Exec({1146, f});
  EXPECT_TRUE(player_block[1][7] == 1 && player_block[0][7] == 0);
  EXPECT_EQ(current_character_vars, player_block[0]);
  player_operand_d = &void_player;
  Exec({1146, f});
  EXPECT_TRUE(registers[kRegPlayer] == 0 && current_player == &player_records[0]);
}

TEST_F(ControlTest, MovementLabelListsAndStoppingOwnLane) {
  list1[1] = b;
  object_operand_d = obj[1];
  Exec({1163, 1, 1});
  for (Instr bad : {Instr{1163, 2, 0}, Instr{1163, 0x80000002, 0}, Instr{1163, 1, 2}}) Exec(bad);
  vars[1][0] = 77;  // no such type
  Exec({1163, 0, 0});
  EXPECT_EQ(obj[1]->movement_ctx.lane_count, 1);
  EXPECT_EQ(FindLane(&obj[1]->movement_ctx, b), 0);

  // A stop that frees the running lane ends its turn at once.
  uint16_t f = code.total;
  AddFunction({{1158, f}, {1259, b}});
  running_slot = obj[2];
  current_context = &obj[2]->movement_ctx;
  StartFunction(f);
  Frame(obj[2]->movement_ctx);
  EXPECT_EQ(obj[2]->movement_ctx.lane_funcs[0], kFreeLane);
  EXPECT_EQ(FindLane(&global_context, b), -1);
}

TEST_F(ControlTest, OrderAndContextRules) {
  processing_slot = running_slot = obj[1];
  object_operand_d = obj[2];  // later in the order: only started
  Exec({335, a});
  EXPECT_TRUE(Anim(2).lane_funcs[0] == a && Anim(2).lane_pcs[0] == 0);
  object_operand_d = obj[0];  // earlier: runs now, as itself
  Exec({335, a});
  EXPECT_TRUE(Anim(0).lane_pcs[0] == 2 && Anim(0).frame_values[0] == 10);
  object_operand_d = obj[1];  // the one being processed: runs now
  Exec({338, 0});
  EXPECT_EQ(Anim(1).frame_values[0], 11);
  EXPECT_TRUE(running_slot == obj[1] && current_context == &global_context && timed_context == nullptr);

  running_context = &collision_context;
  object_operand_d = obj[0];
  Exec({813, b, 3, 4});
  int lane = FindLane(&Anim(0), b);
  EXPECT_TRUE(Anim(0).lane_pcs[lane] == 0 && Anim(0).param1[lane] == 3 && Anim(0).param2[lane] == 4);
  running_context = &global_context;
  object_operand_d = obj[3];
  Exec({813, b, 3, 4});
  EXPECT_TRUE(Anim(3).frame_values[0] == 6 && Anim(3).param2[0] == 4);
}

TEST_F(ControlTest, ReplaceKeepsALaneWithTheSameFunctionAndParameters) {
  object_operand_d = obj[3];
  Exec({335, a});
  TimedScriptContext& c = Anim(3);
  c.wait_step[0] = 1;
  Exec({334, a});
  Exec({337, 0});
  EXPECT_EQ(c.wait_step[0], 1);  // still waiting: untouched
  Exec({812, a, 1, 2});
  EXPECT_TRUE(c.lane_count == 1 && c.param1[0] == 1 && c.wait_step[0] == 0);
  c.wait_step[0] = 3;
  Exec({814, 0, 1, 2});
  EXPECT_EQ(c.wait_step[0], 3);
  Exec({334, b});
  Exec({337, 5});  // no such label: nothing happens
  EXPECT_TRUE(c.lane_funcs[0] == b && c.param1[0] == 255);

  running_context = &c;  // replacing in the running context yields
  Exec({334, a});
  EXPECT_TRUE(yield_flag == 1 && c.lane_funcs[0] == a);
}

TEST_F(ControlTest, PlayerRuleAndMainContextControl) {
  PlayerRecord& p = player_records[0];
  TimedScriptContext& m = p.main_ctx;
  p.player_object = obj[2];
  player_operand_d = &p;
  processing_slot = obj[1];  // before the player's object: for its turn
  Exec({340, a});
  EXPECT_TRUE(m.lane_funcs[0] == a && m.lane_pcs[0] == 0);
  m.wait_step[0] = 4;
  Exec({340, a});
  EXPECT_EQ(m.wait_step[0], 4);
  processing_slot = obj[3];  // past it: now
  Exec({340, b});
  EXPECT_TRUE(m.lane_funcs[0] == b && m.frame_values[0] == 6);
  processing_slot = obj[1];
  running_context = &m;  // from the main context itself: now, as the player's object
  table_labels[0] = a;
  Exec({343, 0});
  EXPECT_TRUE(m.frame_values[0] == 12 && m.lane_pcs[0] == 2);

  chars[0].label_base = a;
  Exec({959, 0});
  EXPECT_EQ(FindLane(&m, a), -1);
  Exec({958, 0});
  Exec({342, a});
  Exec({341, b});
  EXPECT_TRUE(FindLane(&m, a) == -1 && FindLane(&m, b) == 0);
}

TEST_F(ControlTest, RunOtherObjectNow) {
  object_operand_d = obj[1];
  timed_context = &Anim(1);
  StartTimedFunctionNoArgs(a);
  running_slot = obj[3];
  slot_cursor = 3;
  timed_context = nullptr;
  yield_flag = 1;
  Exec({1521});
  EXPECT_EQ(Anim(1).frame_values[0], 11);
  EXPECT_TRUE(running_slot == obj[3] && slot_cursor == 3 && yield_flag == 0);
  EXPECT_TRUE(timed_context == nullptr && current_context == &global_context);

  // Aimed at its own context: the nesting cap ends it, with one message.
  uint16_t self = code.total;
  AddFunction({{1521}, {79}});
  object_operand_d = running_slot = obj[0];
  timed_context = &Anim(0);
  StartTimedFunctionNoArgs(self);
  ClearMessages();
  Frame(Anim(0));
  int lines = 0;
  for (int i = 0; i < kMessageLines; i++) lines += std::strstr(MessageLine(i), "too deep") != nullptr;
  EXPECT_EQ(lines, 1);
}

}  // namespace
}  // namespace tolv::test
