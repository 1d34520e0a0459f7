// Run loops, lane rules and the safety limits of the script machine.
#include "base/message_log.h"
#include "script_fixture.h"

namespace tolv::test {
namespace {

constexpr uint32_t P = kProbe, START = 30, STOP = 39, JUMP = 63, MARK = 64, YIELD = 79,
                   END = 346, RUNNOW = 822, YJUMP = 1527, WAIT = 81;

TEST_F(ScriptTest, OperandDecodingUsesBit30AndLow30Bits) {
  registers[5] = 77;
  EXPECT_EQ(RegOrConst(5 | kRegisterBit), 77);
  EXPECT_EQ(RegOrConst(5), 5);
  EXPECT_EQ(Reg(5 | kRegisterBit | 0x80000000u), 77);  // bit 31 takes no part
  registers[6] = 65537;
  EXPECT_EQ(Low16(6 | kRegisterBit), 1);
  // Outside the file: reads give 0, writes are dropped.
  Reg(100000) = 9;
  EXPECT_EQ(Reg(100000), 0);
  EXPECT_EQ(register_count, 256u + 16u);
}

TEST_F(ScriptTest, UserRegistersFollowReservedOnesAndStartAtZero) {
  registers[260] = 5;
  AllocRegisters(40);
  EXPECT_EQ(register_count, 296u);
  for (int r = 256; r < 296; r++) EXPECT_EQ(registers[r], 0) << r;
  EXPECT_EQ(registers[5], 255);
  EXPECT_EQ(registers[251], 1);
  EXPECT_EQ(registers[255], 2);
}

TEST_F(ScriptTest, UnavailableAndOutOfRangeIdsRunAsNoOps) {
  // 22 is served by no table; 0x7FFF and the flag bits above 16 do not
  // leave the table.
  Add({{22, 1, 2}, {P, 1}, {0x7FFF}, {P | (1u << 29), 2}, {P, 3}, {END}});
  Bind();
  StartFunction(0);
  RunLanes();
  EXPECT_EQ(Tags(), (std::vector<uint32_t>{1, 2, 3}));
}

TEST_F(ScriptTest, EmptyContextReturnsAtOnce) {
  Bind();
  current_lane = 7;
  RunLanes();
  EXPECT_EQ(current_lane, 0);
}

TEST_F(ScriptTest, LanesYieldAndResume) {
  Add({{P, 1}, {YIELD}, {P, 2}, {JUMP, 65535}});  // loops to 0 forever, one pass a frame
  Bind();
  StartFunction(0);
  RunLanes();
  EXPECT_EQ(Tags(), (std::vector<uint32_t>{1}));
  EXPECT_EQ(ctx.lane_pcs[0], 2);
  RunLanes();
  EXPECT_EQ(Tags(), (std::vector<uint32_t>{1, 2, 1}));
}

TEST_F(ScriptTest, YieldingJumpContinuesAtTargetNextFrame) {
  Add({{P, 0}, {YJUMP, 3}, {P, 2}, {P, 3}, {YIELD}, {END}});
  Bind();
  StartFunction(0);
  RunLanes();
  EXPECT_EQ(ctx.lane_pcs[0], 3);
  RunLanes();
  EXPECT_EQ(Tags(), (std::vector<uint32_t>{0, 3}));
}

TEST_F(ScriptTest, StartLandsInFirstFreeLaneOrAppendsAndRunsInSamePass) {
  Add({{START, 1}, {END}});
  Add({{P, 1}, {END}});
  Add({{YIELD}, {JUMP, 65535}});  // a busy lane that never ends
  Bind();
  // Lanes: 0 runs f0, 1 and 2 busy, 3 free: f1 lands in lane 3, same pass.
  StartFunction(0);
  for (int i = 0; i < 3; i++) AddLane();
  ctx.lane_funcs[1] = ctx.lane_funcs[2] = 2;
  ctx.lane_pcs[1] = ctx.lane_pcs[2] = 0;
  RunLanes();
  ASSERT_EQ(probe_hits.size(), 1u);
  EXPECT_EQ(probe_hits[0].lane, 3);
  EXPECT_EQ(ctx.lane_count, 4);
}

TEST_F(ScriptTest, StartIntoLowerFreeLaneWaitsForNextPass) {
  Add({{YIELD}, {START, 1}, {END}});
  Add({{P, 1}, {END}});
  Add({{YIELD}, {JUMP, 65535}});
  Bind();
  // Lane 0 free, lane 1 runs f0 which starts f1 in lane 0.
  AddLane();
  StartFunction(0);  // lands in lane 0
  StartFunction(2);  // lane 1
  ctx.lane_funcs[1] = 0;
  ctx.lane_funcs[0] = kFreeLane;
  RunLanes();  // f0 yields
  RunLanes();  // f0 starts f1 in lane 0: not run in this pass
  EXPECT_TRUE(probe_hits.empty());
  RunLanes();
  EXPECT_EQ(probe_hits.size(), 1u);
}

TEST_F(ScriptTest, StartingARunningFunctionDoesNothing) {
  Add({{YIELD}, {END}});
  Add({{YIELD}, {END}});
  Bind();
  AddLane();
  AddLane();
  AddLane();
  ctx.lane_funcs[2] = 1;
  ctx.lane_pcs[2] = 1;
  StartFunction(1);
  EXPECT_EQ(ctx.lane_funcs[0], kFreeLane);
  EXPECT_EQ(ctx.lane_pcs[2], 1);
  StartFunction(5);  // beyond the function count
  EXPECT_EQ(ctx.lane_funcs[0], kFreeLane);
}

TEST_F(ScriptTest, RunFunctionNowRemovesItsAppendedLaneWhenDone) {
  Add({{RUNNOW, 1}, {P, 9}, {YIELD}, {END}});
  Add({{P, 1}, {END}});
  Bind();
  StartFunction(0);
  RunLanes();
  EXPECT_EQ(Tags(), (std::vector<uint32_t>{1, 9}));
  EXPECT_EQ(ctx.lane_count, 1);
  EXPECT_EQ(ctx.lane_pcs[0], 3);  // the outer lane went on where it was
}

TEST_F(ScriptTest, RunFunctionNowKeepsAYieldingLane) {
  Add({{P, 1}, {P, 2}, {YIELD}, {P, 3}, {END}});
  Bind();
  RunFunctionNow(0);
  EXPECT_EQ(ctx.lane_count, 1);
  EXPECT_EQ(ctx.lane_pcs[0], 3);
  RunLanes();
  EXPECT_EQ(Tags(), (std::vector<uint32_t>{1, 2, 3}));
  EXPECT_EQ(ctx.lane_funcs[0], kFreeLane);
}

TEST_F(ScriptTest, StopOfOwnLaneYieldsStopFromElsewhereDoesNot) {
  Add({{STOP, 0}, {P, 1}, {END}});
  Add({{YIELD}, {END}});
  Bind();
  StartFunction(0);
  RunLanes();
  EXPECT_TRUE(probe_hits.empty());
  EXPECT_EQ(ctx.lane_funcs[0], kFreeLane);

  StartFunction(1);
  running_context = nullptr;  // stopped from outside any run
  yield_flag = 0;
  StopFunction(1);
  EXPECT_EQ(yield_flag, 0);
}

TEST_F(ScriptTest, JumpToZeroIsStoredAs65535) {
  Add({{P, 0}, {MARK}, {YIELD}, {JUMP, 65535}});
  Bind();
  StartFunction(0);
  RunLanes();
  RunLanes();
  EXPECT_EQ(Tags(), (std::vector<uint32_t>{0, 0}));
}

// Faults the machine guards against: runaway lanes, pcs past the end,
// lanes freed or replaced under the running loop, and the lane limit.
TEST_F(ScriptTest, RunawayLaneIsMadeToYield) {
  Add({{MARK}, {JUMP, 65535}});
  Bind();
  uint64_t saved_budget = lane_budget;
  lane_budget = 1000;
  ClearMessages();
  StartFunction(0);
  RunLanes();
  lane_budget = saved_budget;
  EXPECT_EQ(yield_flag, 1);
  EXPECT_STREQ(MessageLine(kMessageLines - 1), "Lane of function 0 made to yield");
  EXPECT_EQ(ctx.lane_funcs[0], 0);  // still busy, resumes next frame
}

TEST_F(ScriptTest, PcPastTheEndFreesTheLane) {
  Add({{P, 1}, {JUMP, 40}});
  Bind();
  StartFunction(0);
  RunLanes();
  EXPECT_EQ(ctx.lane_funcs[0], kFreeLane);
  EXPECT_EQ(Tags(), (std::vector<uint32_t>{1}));
  // A function without an end runs off its last instruction the same way.
  Add({{P, 2}});
  Bind();
  StartFunction(1);
  RunLanes();
  EXPECT_EQ(ctx.lane_funcs[0], kFreeLane);
}

static void ShrinkLanes() { SetLaneCount(0); }
TEST_F(ScriptTest, LaneRemovedUnderTheLoopEndsItsTurn) {
  Add({{1549}, {P, 1}, {END}});
  Bind();
  CommandHandler saved = script_commands[1549];
  script_commands[1549] = ShrinkLanes;
  StartFunction(0);
  RunLanes();
  script_commands[1549] = saved;
  EXPECT_TRUE(probe_hits.empty());
}

TEST_F(ScriptTest, LaneCountNeverPasses255) {
  Add({{YIELD}, {END}});
  Bind();
  for (int i = 0; i < 255; i++) ASSERT_TRUE(AddLane());
  for (int i = 0; i < 255; i++) ctx.lane_funcs[i] = 0;
  EXPECT_FALSE(AddLane());
  Add({{P, 1}, {END}});
  Bind();
  StartFunction(1);
  RunFunctionNow(1);
  EXPECT_EQ(ctx.lane_count, 255);
  EXPECT_TRUE(probe_hits.empty());
}

TEST_F(ScriptTest, ContextSeesTheFunctionCountItWasBoundWith) {
  Add({{P, 1}, {END}});
  Bind();
  Add({{P, 2}, {END}});  // appended after binding
  StartFunction(1);
  EXPECT_EQ(ctx.lane_count, 0);
  // Shrinking the code set under a bound context does not run freed code.
  StartFunction(0);
  TruncateCodeSet(code, 0);
  RunLanes();
  EXPECT_TRUE(probe_hits.empty());
}

}  // namespace
}  // namespace tolv::test
