// Jumps, Count, end and the current-context function control.
#include "objects/player_select.h"
#include "script/count_slot.h"
#include "object_fixture.h"

namespace tolv::test {
namespace {

constexpr uint32_t R(uint32_t n) { return kRegisterBit | n; }

class FlowTest : public ObjectScriptTest {
 protected:
  // Runs frames of ctx and checks Count with limit 2: two passes jump back
  // to 0 and yield, the third falls through to the yield at 2.
  template <typename Ctx>
  void ExpectCountTwice(Ctx& ctx, int32_t& counter) {
    Frame(ctx);
    EXPECT_EQ(ctx.lane_pcs[0], 0);
    EXPECT_EQ(counter, 1);
    Frame(ctx);
    EXPECT_EQ(ctx.lane_pcs[0], 0);
    EXPECT_EQ(counter, 2);
    Frame(ctx);
    EXPECT_EQ(ctx.lane_pcs[0], 3);
    EXPECT_EQ(counter, 0);
  }
};

TEST_F(FlowTest, CountVariantsJumpAndYieldTwiceThenFallThrough) {
  uint16_t f = AddFunction({{64}, {28, 0, 60, 2}, {79}, {79}});
  current_context = &global_context;
  StartFunction(f);
  ExpectCountTwice(global_context, registers[60]);

  uint16_t g = AddFunction({{64}, {28, 0, 4, 2}, {79}, {79}});
  {
    CountSlotGuard guard(CountLoopInObjectVars);
    running_slot = obj[1];
    current_context = &obj[1]->movement_ctx;
    StartFunction(g);
    ExpectCountTwice(obj[1]->movement_ctx, vars[1][4]);
    EXPECT_EQ(registers[4], 0);
  }
  EXPECT_EQ(script_commands[28], CountLoopInRegisters);

  {
    CountSlotGuard guard(CountLoopInCharacterVars);
    player_records[0].character_vars = player_block[0];
    SelectPlayer(0);
    current_context = &player_records[0].character_ctx;
    StartFunction(g);
    ExpectCountTwice(player_records[0].character_ctx, player_block[0][4]);
  }

  ScriptContext stat_ctx;
  BindContext(stat_ctx, stat_obj_commands, &code);
  int32_t counters[6] = {};
  stat_obj_counters = counters;
  stat_obj_counter_count = 6;
  current_context = &stat_ctx;
  StartFunction(g);
  ExpectCountTwice(stat_ctx, counters[4]);
  FreeLanes(stat_ctx);
}

TEST_F(FlowTest, CountTimedGrowsCounterList) {
  uint16_t f = AddFunction({{64}, {28, 0, 3, 2}, {79}, {79}});
  TimedScriptContext& anim = obj[0]->animation_ctx;
  timed_context = &anim;
  StartTimedFunctionNoArgs(f);
  Frame(anim);
  ASSERT_EQ(anim.counter_len, 4);
  EXPECT_EQ(anim.counters[0] + anim.counters[1] + anim.counters[2], 0);
  EXPECT_EQ(anim.counters[3], 1);
  Frame(anim);
  Frame(anim);
  EXPECT_EQ(anim.lane_pcs[0], 3);
  EXPECT_EQ(anim.counters[3], 0);

  // Index 255 would wrap the byte length: no counting, no jump.
  uint16_t g = AddFunction({{28, 0, 255, 2}, {79}});
  TimedScriptContext& other = obj[1]->animation_ctx;
  timed_context = &other;
  StartTimedFunctionNoArgs(g);
  Frame(other);
  EXPECT_EQ(other.counter_len, 0);
  EXPECT_EQ(other.lane_pcs[0], 2);
}

TEST_F(FlowTest, CountWithLimitAtOrBelowZeroLoopsEveryFrame) {
  for (uint32_t limit : {0u, static_cast<uint32_t>(-3)}) {
    uint16_t f = AddFunction({{64}, {28, 0, 61, limit}, {79}});
    registers[61] = -5;
    current_context = &global_context;
    StartFunction(f);
    for (int i = 0; i < 4; i++) {
      Frame(global_context);
      EXPECT_EQ(global_context.lane_pcs[0], 0);
    }
    EXPECT_EQ(registers[61], -5);
    current_context = &global_context;
    StopFunction(f);
  }
}

TEST_F(FlowTest, CountSlotGuardsNestAndRestore) {
  CommandHandler before = script_commands[28];
  {
    CountSlotGuard outer(CountLoopInObjectVars);
    {
      CountSlotGuard inner(CountLoopInCharacterVars);
      EXPECT_EQ(script_commands[28], CountLoopInCharacterVars);
    }
    EXPECT_EQ(script_commands[28], CountLoopInObjectVars);
  }
  EXPECT_EQ(script_commands[28], before);
}

TEST_F(FlowTest, JumpTableAndCompareJumps) {
  // 850: entries hold target - 1; a selector outside goes on to instruction 1.
  uint16_t f = AddFunction({{850, R(60), 2, 2, 1}, {79}, {79}, {79}});
  struct Case {
    int32_t selector;
    uint16_t pc_after;
  };
  for (Case c : {Case{0, 4}, Case{1, 3}, Case{2, 2}, Case{-1, 2}, Case{1 << 20, 2}}) {
    registers[60] = c.selector;
    current_context = &global_context;
    StartFunction(f);
    Frame(global_context);
    EXPECT_EQ(global_context.lane_pcs[0], c.pc_after) << c.selector;
    StopFunction(f);
  }
  TimedScriptContext& anim = obj[0]->animation_ctx;
  registers[60] = 0;
  timed_context = &anim;
  StartTimedFunctionNoArgs(f);
  Frame(anim);
  EXPECT_EQ(anim.lane_pcs[0], 4);

  uint16_t g = AddFunction({{70, R(60), R(61), 2}, {76, R(60), 5, 2}, {79}, {79}});
  struct Cmp {
    int32_t a, b;
    uint16_t pc_after;
  };
  for (Cmp c : {Cmp{1, 2, 4}, Cmp{5, 5, 3}, Cmp{3, 3, 4}}) {
    registers[60] = c.a;
    registers[61] = c.b;
    current_context = &global_context;
    StartFunction(g);
    Frame(global_context);
    EXPECT_EQ(global_context.lane_pcs[0], c.pc_after) << c.a << " " << c.b;
    StopFunction(g);
  }
}

TEST_F(FlowTest, EndWithUnhandledEventEndsLikeEnd) {
  uint16_t f = AddFunction({{846}, {79}});
  uint16_t g = AddFunction({{346}, {79}});
  current_context = &global_context;
  StartFunction(f);
  StartFunction(g);
  boundary_event_unhandled = 0;
  Frame(global_context);
  EXPECT_EQ(global_context.lane_funcs[0], kFreeLane);
  EXPECT_EQ(global_context.lane_funcs[1], kFreeLane);
  EXPECT_EQ(global_context.lane_pcs[0], global_context.lane_pcs[1]);
  EXPECT_EQ(boundary_event_unhandled, 1);

  TimedScriptContext& anim = obj[0]->animation_ctx;
  timed_context = &anim;
  StartTimedFunction(f, 3, 4);
  boundary_event_unhandled = 0;
  Frame(anim);
  EXPECT_EQ(anim.lane_funcs[0], kFreeLane);
  EXPECT_EQ(anim.param1[0], 255);
  EXPECT_EQ(boundary_event_unhandled, 1);
}

TEST_F(FlowTest, CharacterFunctionControlInPlainAndTimedContexts) {
  uint16_t driver = AddFunction({{79}});
  (void)driver;
  uint16_t base = AddFunction({{79}});
  uint16_t twice = AddFunction({{80, 9}, {79}, {79}});
  Character chars[1];
  chars[0].label_base = base;
  characters[0] = chars[0];
  character_count = 1;
  player_records[0].character = 0;
  SelectPlayer(0);
  player_block[0][4] = base;

  current_context = &global_context;
  Exec({954, 0});
  ASSERT_EQ(FindLane(&global_context, base), 0);
  Exec({955, 1});
  int lane = FindLane(&global_context, twice);
  ASSERT_GE(lane, 0);
  EXPECT_EQ(global_context.lane_pcs[lane], 2);
  Exec({956, 0});
  EXPECT_EQ(FindLane(&global_context, base), -1);
  Exec({951, 4});
  EXPECT_EQ(FindLane(&global_context, base), 0);
  Exec({953, 4});
  EXPECT_EQ(FindLane(&global_context, base), -1);

  // In a timed context the lanes grow with all their timer arrays.
  TimedScriptContext& anim = obj[0]->animation_ctx;
  timed_context = &anim;
  current_context = &anim;
  Exec({954, 0}, timed_commands);
  Exec({822, twice}, timed_commands);
  Exec({952, 4}, timed_commands);
  ASSERT_EQ(anim.lane_count, 2);
  EXPECT_EQ(anim.param1[0], 255);
  EXPECT_EQ(anim.frame_values[1], 9);
  EXPECT_EQ(current_context, &anim);
  Frame(anim);
  Exec({956, 0}, timed_commands);
  EXPECT_EQ(FindLane(&anim, base), -1);
}

}  // namespace
}  // namespace tolv::test
