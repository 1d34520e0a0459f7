// Function control in other owners' contexts and in timed contexts.
#include <cstring>
#include <vector>

#include "objects/player_select.h"
#include "script/count_slot.h"
#include "object_fixture.h"

namespace tolv::test {
namespace {

void CountMarker() {}

class ControlTest : public ObjectScriptTest {
 protected:
  ObjectType types[2] = {};
  uint16_t list_lengths[2] = {1, 2};
  int32_t list0[1] = {0};
  int32_t list1[2] = {0, 0};
  int32_t* lists[2] = {list0, list1};
  uint16_t animation_labels[1] = {0};
  uint16_t table_labels[1] = {0};
  Character chars[1];

  // Object types 1 with Movement label lists and an Animation label, and a
  // character whose labels start at 0, so every label form finds function 0
  // unless a test points them elsewhere.
  void SetUp() override {
    ObjectScriptTest::SetUp();
    types[1].parameter_list_count = 2;
    types[1].parameter_list_lengths = list_lengths;
    types[1].parameter_lists = lists;
    types[1].animation_label_count = 1;
    types[1].animation_labels = animation_labels;
    object_types = types;
    object_type_counts.total = 2;
    for (int i = 0; i < kObjects; i++) vars[i][0] = 1;
    characters[0] = chars[0];
    character_count = 1;
    for (PlayerRecord& p : player_records) {
      p.character = 0;
      p.labels = table_labels;
      p.label_count = 1;
    }
  }
};

TEST_F(ControlTest, OtherContextCommandsRestoreMachineState) {
  AddFunction({{79}, {79}});
  std::vector<uint32_t> ids;
  for (uint32_t id = 1134; id <= 1169; id++) ids.push_back(id);
  for (uint32_t id : {1259u, 1260u, 1261u}) ids.push_back(id);
  for (uint32_t id : ids) {
    for (CommandHandler* table : {script_commands, timed_commands, stat_obj_commands}) {
      SelectPlayer(0);
      player_operand_d = &player_records[1];
      object_operand_d = obj[1];
      running_slot = obj[2];
      current_context = running_context = &collision_context;
      timed_context = &obj[3]->animation_ctx;
      current_lane = 5;
      yield_flag = 1;
      script_commands[28] = CountMarker;
      Exec({id, 0, 0}, table);
      EXPECT_EQ(current_context, &collision_context) << id;
      EXPECT_EQ(running_context, &collision_context) << id;
      EXPECT_EQ(timed_context, &obj[3]->animation_ctx) << id;
      EXPECT_EQ(current_lane, 5) << id;
      EXPECT_EQ(running_slot, obj[2]) << id;
      EXPECT_EQ(yield_flag, 0) << id;
      EXPECT_EQ(script_commands[28], CountMarker) << id;
      EXPECT_EQ(registers[kRegPlayer], 0) << id;
      EXPECT_EQ(current_player, &player_records[0]) << id;
    }
  }
  // Every target was reached (its last command stopped function 0 again).
  for (ScriptContext* c : {&obj[1]->movement_ctx, &obj[2]->movement_ctx, &player_records[0].character_ctx,
                           &player_records[1].character_ctx, &global_context}) {
    EXPECT_GE(c->lane_count, 1);
    EXPECT_EQ(FindLane(c, 0), -1);
  }
}

TEST_F(ControlTest, RunNowCountsInTheTargetsVariables) {
  uint16_t f = AddFunction({{28, 0, 7, 5}});
  object_operand_d = obj[1];
  running_slot = obj[2];
  current_context = &global_context;
  Exec({1164, f});
  EXPECT_EQ(vars[1][7], 1);
  EXPECT_EQ(vars[2][7], 0);
  EXPECT_EQ(registers[7], 0);
  EXPECT_EQ(obj[1]->movement_ctx.lane_pcs[0], 0);

  uint16_t g = AddFunction({{28, 0, 3, 5}});
  SelectPlayer(0);
  player_operand_d = &player_records[1];
  Exec({1146, g});
  EXPECT_EQ(player_block[1][3], 1);
  EXPECT_EQ(player_block[0][3], 0);
  EXPECT_EQ(current_character_vars, player_block[0]);

  player_operand_d = &void_player;
  Exec({1146, g});
  EXPECT_EQ(registers[kRegPlayer], 0);
  EXPECT_EQ(current_player, &player_records[0]);
}

TEST_F(ControlTest, MovementLabelListsResolveOrNameNoFunction) {
  uint16_t fa = AddFunction({{79}});
  uint16_t fb = AddFunction({{79}});
  list0[0] = fa;
  list1[1] = fb;
  object_operand_d = obj[1];
  Exec({1163, 1, 1});
  Exec({1163, 0, 0});
  EXPECT_EQ(FindLane(&obj[1]->movement_ctx, fb), 0);
  EXPECT_EQ(FindLane(&obj[1]->movement_ctx, fa), 1);
  for (uint32_t list : {2u, 0xFFFFFFFFu}) Exec({1163, list, 0});
  Exec({1163, 1, 2});
  vars[1][0] = 77;  // no such type
  Exec({1163, 1, 1});
  EXPECT_EQ(obj[1]->movement_ctx.lane_count, 2);
}

TEST_F(ControlTest, StoppingItsOwnLaneEndsTheTurn) {
  uint16_t g = AddFunction({{79}});
  uint16_t f = code.total;
  AddFunction({{1158, f}, {1259, g}, {79}});
  running_slot = obj[2];
  current_context = &obj[2]->movement_ctx;
  StartFunction(f);
  Frame(obj[2]->movement_ctx);
  EXPECT_EQ(obj[2]->movement_ctx.lane_funcs[0], kFreeLane);
  EXPECT_EQ(FindLane(&global_context, g), -1);
}

class TimedControlTest : public ControlTest {
 protected:
  uint16_t a = 0, b = 0;
  void SetUp() override {
    ControlTest::SetUp();
    a = AddFunction({{379, 5}, {79}, {80, 8}});  // frame value := self var 5
    b = AddFunction({{80, 6}, {79}});
    animation_labels[0] = a;
    for (int i = 0; i < kObjects; i++) vars[i][5] = 10 + i;
    current_context = running_context = &global_context;
  }
  TimedScriptContext& Anim(int i) { return obj[i]->animation_ctx; }
};

TEST_F(TimedControlTest, OrderRuleStartsLaterObjectsAndRunsEarlierOnes) {
  processing_slot = running_slot = obj[1];
  object_operand_d = obj[2];
  Exec({335, a});
  EXPECT_EQ(Anim(2).lane_funcs[0], a);
  EXPECT_EQ(Anim(2).lane_pcs[0], 0);
  object_operand_d = obj[0];
  Exec({335, a});
  EXPECT_EQ(Anim(0).lane_pcs[0], 2);
  EXPECT_EQ(Anim(0).frame_values[0], 10);
  object_operand_d = obj[1];
  Exec({338, 0});
  EXPECT_EQ(Anim(1).frame_values[0], 11);
  EXPECT_EQ(running_slot, obj[1]);
  EXPECT_EQ(current_context, &global_context);
  EXPECT_EQ(timed_context, nullptr);
}

TEST_F(TimedControlTest, ContextRuleStartsOnlyForLaterInCollisionPasses) {
  running_context = &collision_context;
  object_operand_d = obj[0];
  Exec({813, a, 3, 4});
  EXPECT_EQ(Anim(0).lane_pcs[0], 0);
  EXPECT_EQ(Anim(0).param1[0], 3);
  EXPECT_EQ(Anim(0).param2[0], 4);
  running_context = &global_context;
  object_operand_d = obj[1];
  Exec({813, a, 3, 4});
  EXPECT_EQ(Anim(1).lane_pcs[0], 2);
  EXPECT_EQ(Anim(1).frame_values[0], 11);
  EXPECT_EQ(Anim(1).param2[0], 4);
}

TEST_F(TimedControlTest, ReplaceKeepsARunningLaneWithTheSameFunctionAndParameters) {
  object_operand_d = obj[3];
  Exec({335, a});
  TimedScriptContext& c = Anim(3);
  c.wait_step[0] = 1;
  c.wait_limit[0] = 5;
  Exec({334, a});
  Exec({337, 0});
  EXPECT_EQ(c.wait_step[0], 1);
  Exec({812, a, 1, 2});
  ASSERT_EQ(c.lane_count, 1);
  EXPECT_EQ(c.param1[0], 1);
  EXPECT_EQ(c.wait_step[0], 0);
  c.wait_step[0] = 3;
  Exec({814, 0, 1, 2});
  EXPECT_EQ(c.wait_step[0], 3);
  Exec({334, b});
  EXPECT_EQ(c.lane_funcs[0], b);
  EXPECT_EQ(c.param1[0], 255);
  Exec({337, 5});  // no such label: nothing happens
  EXPECT_EQ(c.lane_funcs[0], b);

  // Replacing in the context that is running yields.
  running_context = &c;
  yield_flag = 0;
  Exec({334, a});
  EXPECT_EQ(yield_flag, 1);
  EXPECT_EQ(c.lane_funcs[0], a);
}

TEST_F(TimedControlTest, PlayerRuleAndMainContextControl) {
  PlayerRecord& p = player_records[0];
  TimedScriptContext& m = p.main_ctx;
  p.player_object = obj[2];
  player_operand_d = &p;
  processing_slot = obj[1];
  Exec({340, a});
  ASSERT_EQ(m.lane_funcs[0], a);
  EXPECT_EQ(m.lane_pcs[0], 0);
  m.wait_step[0] = 4;
  Exec({340, a});
  EXPECT_EQ(m.wait_step[0], 4);
  processing_slot = obj[3];
  Exec({340, b});
  EXPECT_EQ(m.lane_funcs[0], b);
  EXPECT_EQ(m.frame_values[0], 6);

  processing_slot = obj[1];
  running_context = &m;
  table_labels[0] = a;
  Exec({343, 0});
  EXPECT_EQ(m.frame_values[0], 12);  // ran now, as the player's object
  EXPECT_EQ(m.lane_pcs[0], 2);

  chars[0].label_base = a;
  Exec({959, 0});
  EXPECT_EQ(FindLane(&m, a), -1);
  Exec({958, 0});
  EXPECT_EQ(FindLane(&m, a), 0);
  Exec({342, a});
  Exec({341, b});
  EXPECT_EQ(FindLane(&m, a), -1);
  EXPECT_EQ(FindLane(&m, b), 0);
}

TEST_F(TimedControlTest, RunOtherObjectNow) {
  object_operand_d = obj[1];
  timed_context = &Anim(1);
  StartTimedFunctionNoArgs(a);
  running_slot = obj[3];
  slot_cursor = 3;
  timed_context = nullptr;
  yield_flag = 1;
  Exec({1521});
  EXPECT_EQ(Anim(1).frame_values[0], 11);
  EXPECT_EQ(running_slot, obj[3]);
  EXPECT_EQ(slot_cursor, 3);
  EXPECT_EQ(timed_context, nullptr);
  EXPECT_EQ(current_context, &global_context);
  EXPECT_EQ(yield_flag, 0);

  // Aimed at its own context: the nesting cap ends it, with one message.
  uint16_t self = code.total;
  AddFunction({{1521}, {79}});
  object_operand_d = obj[0];
  timed_context = &Anim(0);
  StartTimedFunctionNoArgs(self);
  running_slot = obj[0];
  Frame(Anim(0));
  int lines = 0;
  for (int i = 0; i < kMessageLines; i++) lines += std::strstr(MessageLine(i), "too deep") != nullptr;
  EXPECT_EQ(lines, 1);
}

}  // namespace
}  // namespace tolv::test
