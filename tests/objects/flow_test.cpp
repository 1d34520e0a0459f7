// Count, jump table, compare jumps, 846 and the character function control.
#include "object_fixture.h"
#include "objects/player_select.h"
#include "script/count_slot.h"

namespace tolv::test {
namespace {

constexpr uint32_t R(uint32_t n) { return kRegisterBit | n; }

class FlowTest : public ObjectScriptTest {
 protected:
  // Count with limit 2 at instruction 1: two frames jump back to 0 and yield,
  // the third falls through to the yield at 2 with the counter back at 0.
  template <typename Ctx>
  void ExpectCountTwice(Ctx& c, const int32_t& counter) {
    for (int32_t want : {1, 2}) {
      Frame(c);
      EXPECT_EQ(c.lane_pcs[0], 0);
      EXPECT_EQ(counter, want);
    }
    Frame(c);
    EXPECT_EQ(c.lane_pcs[0], 3);
    EXPECT_EQ(counter, 0);
  }
};

TEST_F(FlowTest, CountVariantsJumpAndYieldTwiceThenFallThrough) {
  uint16_t f = AddFunction({{64}, {28, 0, 60, 2}, {79}, {79}});
  uint16_t g = AddFunction({{64}, {28, 0, 4, 2}, {79}, {79}});
  current_context = &global_context;
  StartFunction(f);
  ExpectCountTwice(global_context, registers[60]);
  {
    CountSlotGuard guard(CountLoopInObjectVars);
    running_slot = obj[1];
    current_context = &obj[1]->movement_ctx;
    StartFunction(g);
    ExpectCountTwice(obj[1]->movement_ctx, vars[1][4]);
  }
  {
    CountSlotGuard guard(CountLoopInCharacterVars);
    SelectPlayer(0);
    current_context = &player_records[0].character_ctx;
    StartFunction(g);
    ExpectCountTwice(player_records[0].character_ctx, player_block[0][4]);
  }
  EXPECT_EQ(registers[4], 0);
  EXPECT_EQ(script_commands[28], CountLoopInRegisters);

  // A limit of 0 or below jumps and yields every time, counting nothing.
  uint16_t h = AddFunction({{64}, {28, 0, 61, static_cast<uint32_t>(-3)}, {79}});
  registers[61] = -5;
  current_context = &global_context;
  StartFunction(h);
  for (int i = 0; i < 3; i++) Frame(global_context);
  EXPECT_EQ(global_context.lane_pcs[1], 0);
  EXPECT_EQ(registers[61], -5);
}

TEST_F(FlowTest, CountTimedGrowsItsCounterListUpTo255) {
  uint16_t f = AddFunction({{64}, {28, 0, 3, 2}, {79}, {79}});
  TimedScriptContext& anim = obj[0]->animation_ctx;
  timed_context = &anim;
  StartTimedFunctionNoArgs(f);
  Frame(anim);
  ASSERT_EQ(anim.counter_len, 4);
  EXPECT_EQ(anim.counters[0] + anim.counters[1] + anim.counters[2], 0);
  Frame(anim);
  EXPECT_EQ(anim.counters[3], 2);
  Frame(anim);
  EXPECT_EQ(anim.lane_pcs[0], 3);
  EXPECT_EQ(anim.counters[3], 0);

  // Index 255 would wrap the byte length: no counting, no jump.
  uint16_t g = AddFunction({{28, 0, 255, 2}, {79}});
  timed_context = &obj[1]->animation_ctx;
  StartTimedFunctionNoArgs(g);
  Frame(obj[1]->animation_ctx);
  EXPECT_EQ(obj[1]->animation_ctx.counter_len, 0);
  EXPECT_EQ(obj[1]->animation_ctx.lane_pcs[0], 2);
}

TEST_F(FlowTest, JumpTableAndCompareJumps) {
  // 850 entries hold target - 1; a selector outside goes on to instruction 1.
  uint16_t f = AddFunction({{850, R(60), 2, 2, 1}, {79}, {79}, {79}});
  uint16_t g = AddFunction({{70, R(60), R(61), 2}, {76, R(60), 5, 2}, {79}, {79}});
  struct Case {
    uint16_t f;
    int32_t r60, r61;
    uint16_t pc_after;
  };
  for (Case c : {Case{f, 0, 0, 4}, Case{f, 1, 0, 3}, Case{f, 2, 0, 2}, Case{f, -1, 0, 2}, Case{f, 1 << 20, 0, 2},
                 Case{g, 1, 2, 4}, Case{g, 5, 5, 3}, Case{g, 3, 3, 4}}) {
    registers[60] = c.r60;
    registers[61] = c.r61;
    current_context = &global_context;
    StartFunction(c.f);
    Frame(global_context);
    EXPECT_EQ(global_context.lane_pcs[0], c.pc_after) << c.f << " " << c.r60;
    StopFunction(c.f);
  }
}

TEST_F(FlowTest, EndWithUnhandledEventEndsLikeEnd) {
  uint16_t f = AddFunction({{846}, {79}});
  uint16_t g = AddFunction({{346}, {79}});
  current_context = &global_context;
  StartFunction(f);
  StartFunction(g);
  Frame(global_context);
  EXPECT_EQ(global_context.lane_funcs[0], kFreeLane);
  EXPECT_EQ(global_context.lane_funcs[1], kFreeLane);
  EXPECT_EQ(boundary_event_unhandled, 1);

  boundary_event_unhandled = 0;
  timed_context = &obj[0]->animation_ctx;
  StartTimedFunction(f, 3, 4);
  Frame(obj[0]->animation_ctx);
  EXPECT_EQ(obj[0]->animation_ctx.lane_funcs[0], kFreeLane);
  EXPECT_EQ(obj[0]->animation_ctx.param1[0], 255);
  EXPECT_EQ(boundary_event_unhandled, 1);
}

// In the timed table the current-context forms use the timed lane
// operations, so every lane array grows with the lane count.
TEST_F(FlowTest, CharacterFunctionControlInPlainAndTimedContexts) {
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
  EXPECT_EQ(FindLane(&global_context, base), 0);
  Exec({955, 1});
  EXPECT_EQ(global_context.lane_pcs[FindLane(&global_context, twice)], 2);
  Exec({953, 4});
  EXPECT_EQ(FindLane(&global_context, base), -1);

  TimedScriptContext& anim = obj[0]->animation_ctx;
  timed_context = &anim;
  current_context = &anim;
  Exec({951, 4}, timed_commands);
  Exec({822, twice}, timed_commands);
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
