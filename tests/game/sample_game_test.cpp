// The sample game through the headless driver with the real loader: two
// runs of 1,000 frames from the same seeds end in the same world.
#include <gtest/gtest.h>

#include "script/commands.h"
#include "script/operands.h"
#include "script/registers.h"
#include "sample_game_fixture.h"

namespace tolv::test {
namespace {

TEST_F(SampleGameTest, ThousandFramesTwiceFromOneSeedAgree) {
  const WorldCapture first = Run(1000, 12345);
  const WorldCapture second = Run(1000, 12345);
  EXPECT_EQ(first.frame, 1000u);
  EXPECT_EQ(first.registers[256], 1000);  // the walker's frame counter: the player step ran every frame
  EXPECT_EQ(first.registers, second.registers);
  EXPECT_EQ(first.objects, second.objects);
  EXPECT_NE(Run(1000, 54321).objects, first.objects);  // the balls spin at random
}

TEST_F(SampleGameTest, LevelChangeIsServedBeforeTheNextFrame) {
  Run(10, 1);
  const uint32_t go_to_level[] = {42, 1, 1};  // zone 1, act 1 (its start function sets U_Night)
  current_instruction = go_to_level;
  script_commands[42]();
  ASSERT_EQ(Reg(kRegLevelStarted), 0);
  RunHeadlessFrames(1);
  EXPECT_EQ(Reg(kRegLevelStarted), 1);
  EXPECT_EQ(Reg(kRegLoadedAct), 1);
  EXPECT_EQ(Reg(256 + 2), 1);
}

}  // namespace
}  // namespace tolv::test
