// Timed contexts: waits, frame values, start-now forms.
#include "script_fixture.h"

namespace tolv::test {
namespace {

constexpr uint32_t P = kProbe, MARK = 64, YIELD = 79, END = 346, WAIT = 81, WAITX = 82, FRAME = 80,
                   START = 30, STOP = 39;

class TimedTest : public ScriptTest {
 protected:
  int32_t player_block[64] = {};
  void SetUp() override {
    ScriptTest::SetUp();
    current_player = &test_player;
    test_player.character_vars = player_block;
    test_player.player_vars = player_block + character_register_count;
  }
  void TearDown() override {
    current_player = &void_player;
    ScriptTest::TearDown();
  }
  PlayerRecord test_player;
  int PassesUntilProbe(int limit) {
    for (int i = 1; i <= limit; i++) {
      RunTimedLanes();
      if (!probe_hits.empty()) return i;
    }
    return -1;
  }
};

TEST_F(TimedTest, WaitSkipsLimitMinusOnePasses) {
  Add({{WAIT, 3}, {P, 1}, {END}});
  Bind();
  StartTimedFunctionNoArgs(0);
  RunTimedLanes();  // arms the wait
  EXPECT_EQ(tctx.lane_pcs[0], 1);
  EXPECT_EQ(PassesUntilProbe(10), 3);
}

TEST_F(TimedTest, WaitOfZeroOrOneRunsNextPass) {
  Add({{WAIT, 0}, {P, 1}, {END}});
  Bind();
  StartTimedFunctionNoArgs(0);
  RunTimedLanes();
  EXPECT_EQ(PassesUntilProbe(3), 1);
}

TEST_F(TimedTest, SpeedScaledWaitKeepsItsRemainder) {
  Add({{WAITX, 1, 256}, {P, 1}, {END}});
  Bind();
  test_player.player_vars[7] = -255;  // step 1 + 255 = 256
  StartTimedFunctionNoArgs(0);
  RunTimedLanes();
  EXPECT_EQ(PassesUntilProbe(2), 1);
  EXPECT_EQ(tctx.wait_acc[0], 0);

}

TEST_F(TimedTest, SpeedScaledWaitsDoNotDrift) {
  // Step 100 against limit 256: the remainder carries into the next wait,
  // so the lane runs on passes 4, 7 and 9 (acc 44, 88, 32).
  Add({{WAITX, 100, 256}, {P, 1}, {63, 65535}});
  Bind();
  StartTimedFunctionNoArgs(0);
  std::vector<int> runs;
  for (int pass = 1; pass <= 9; pass++) {
    probe_hits.clear();
    RunTimedLanes();
    if (!probe_hits.empty()) runs.push_back(pass);
  }
  EXPECT_EQ(runs, (std::vector<int>{4, 7, 9}));
  EXPECT_EQ(tctx.wait_acc[0], 32);
}

TEST_F(TimedTest, WaitAsLastInstructionFreesTheLane) {
  Add({{WAIT, 2}});
  Bind();
  StartTimedFunctionNoArgs(0);
  RunTimedLanes();
  EXPECT_EQ(tctx.lane_funcs[0], kFreeLane);
  EXPECT_EQ(tctx.wait_step[0], 0);
}

TEST_F(TimedTest, StopClearsTheTimerSoARestartDoesNotWait) {
  Add({{WAIT, 50}, {P, 1}, {END}});
  Add({{FRAME, 9}, {P, 2}, {END}});
  Bind();
  StartTimedFunction(0, 4, 5);
  RunTimedLanes();
  EXPECT_NE(tctx.wait_step[0], 0);
  StopTimedFunction(0);
  EXPECT_EQ(tctx.wait_step[0], 0);
  EXPECT_EQ(tctx.wait_acc[0], 0);
  EXPECT_EQ(tctx.param1[0], 255);
  StartTimedFunctionNoArgs(1);
  RunTimedLanes();
  EXPECT_EQ(Tags(), (std::vector<uint32_t>{2}));
  EXPECT_EQ(tctx.frame_values[0], 0);  // cleared when the function stopped
}

TEST_F(TimedTest, WaitingLaneSetsYieldFlagAndFreeLaneIsSkipped) {
  Add({{WAIT, 5}, {END}});
  Bind();
  StartTimedFunctionNoArgs(0);
  AddTimedLane();
  RunTimedLanes();
  yield_flag = 0;
  RunTimedLanes();
  EXPECT_EQ(yield_flag, 1);
}

TEST_F(TimedTest, StartNowNoArgsDropsFinishedAppendedLane) {
  Add({{P, 1}, {END}});
  Add({{YIELD}, {END}});
  Bind();
  StartTimedFunctionNoArgs(1);
  StartTimedFunctionNowNoArgs(0);
  EXPECT_EQ(tctx.lane_count, 1);
  StartTimedFunctionNow(0, 1, 2);
  EXPECT_EQ(tctx.lane_count, 2);
  EXPECT_EQ(tctx.lane_funcs[1], kFreeLane);
  EXPECT_EQ(Tags(), (std::vector<uint32_t>{1, 1}));
}

TEST_F(TimedTest, FrameValueAndWaitFromPlainContextNeedATimedLane) {
  Add({{FRAME, 7}, {WAIT, 3}, {P, 1}, {END}});
  Bind();
  timed_context = nullptr;
  StartFunction(0);
  RunLanes();  // no timed lane: both commands do nothing
  EXPECT_EQ(Tags(), (std::vector<uint32_t>{1}));
  timed_context = &tctx;
}

// The world update leaves some object's or player's timed context selected
// when the global script runs: its waits and frame values touch neither.
TEST_F(TimedTest, WaitsInAPlainScriptLeaveTheSelectedTimedContextAlone) {
  Add({{WAIT, 5}, {P, 1}, {END}});                     // the timed context's own wait
  Add({{FRAME, 7}, {WAIT, 3}, {WAITX, 1, 9}, {P, 2}, {YIELD}, {END}});  // a global script
  Bind();
  StartTimedFunctionNoArgs(0);
  RunTimedLanes();  // arms its wait: pc 1, step 1, limit 5
  const std::vector<uint16_t> armed = {tctx.lane_pcs[0], tctx.frame_values[0], tctx.wait_acc[0], tctx.wait_step[0],
                                       tctx.wait_limit[0]};
  current_context = &ctx;
  StartFunction(1);
  RunLanes();  // neither wait stalls the global lane
  EXPECT_EQ(Tags(), (std::vector<uint32_t>{2}));
  EXPECT_EQ(ctx.lane_pcs[0], 5);  // after its yield
  EXPECT_EQ((std::vector<uint16_t>{tctx.lane_pcs[0], tctx.frame_values[0], tctx.wait_acc[0], tctx.wait_step[0],
                                   tctx.wait_limit[0]}),
            armed);
  probe_hits.clear();
  EXPECT_EQ(PassesUntilProbe(10), 5);  // the timed lane's wait runs its course
}

TEST_F(TimedTest, CommandsInTimedTableActOnTimedLane) {
  Add({{START, 1}, {YIELD}, {STOP, 1}, {END}});
  Add({{P, 1}, {YIELD}, {P, 2}, {END}});
  Bind();
  StartTimedFunctionNoArgs(0);
  RunTimedLanes();  // f0 starts f1 in lane 1, which runs in the same pass
  EXPECT_EQ(Tags(), (std::vector<uint32_t>{1}));
  RunTimedLanes();  // f0 stops f1 before its lane comes up
  EXPECT_EQ(Tags(), (std::vector<uint32_t>{1}));
  EXPECT_EQ(tctx.lane_funcs[1], kFreeLane);
  (void)MARK;
}

}  // namespace
}  // namespace tolv::test
