// Camera limits easing towards their targets, and the commands on the
// cameras and target limits.
#include <gtest/gtest.h>

#include <vector>

#include "script/commands.h"
#include "script/operands.h"
#include "script/registers.h"
#include "world/camera_limits.h"
#include "world/command_lists.h"
#include "world/frame_steps.h"

namespace tolv::test {
namespace {

class CameraTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AllocRegisters(0);
    ResetRegisters();
    RegisterWorldCommands();
    view_count = 2;
  }
  void TearDown() override { view_count = 1; }
  static void Run(std::vector<uint32_t> words) {
    current_instruction = words.data();
    script_commands[words[0]]();
  }
};

struct EaseCase {
  const char* what;
  uint32_t limit, target, view;  // registers of the limit, its target, the view's camera
  int32_t from, to, camera;
  std::vector<int32_t> steps;  // the limit after each call
};

TEST_F(CameraTest, LimitsEaseTowardsTheirTargets) {
  const EaseCase cases[] = {
      {"opening left, inside the view", 23, 31, 19, 300, 100, 290,
       {298, 296, 294, 292, 290, 288, 286, 284, 282, 280, 278, 276, 274, 100}},
      {"opening left, far outside", 23, 31, 19, 300, 100, 400, {100}},
      {"closing left to a target in the view", 23, 31, 19, 100, 500, 300, {300, 302, 304}},
      {"closing left to a target outside", 23, 31, 19, 100, 200, 300, {200, 200}},
      // The view is 320 wide in every screen mode: 100 + 320 + 15 reaches 435.
      {"opening right", 27, 35, 19, 434, 900, 100, {436, 900}},
      {"closing bottom, screen 200 high", 29, 37, 21, 600, 50, 100, {300, 298}},
      {"player 1's top", 26, 34, 22, 0, 40, 10, {10, 12}},
  };
  for (const EaseCase& c : cases) {
    SCOPED_TRACE(c.what);
    registers[kRegPlayer] = c.view == 22 ? 1 : 0;
    registers[c.limit] = c.from;
    registers[c.target] = c.to;
    registers[c.view] = c.camera;
    std::vector<int32_t> got;
    for (size_t i = 0; i < c.steps.size(); i++) {
      EaseCameraLimits();
      got.push_back(registers[c.limit]);
    }
    EXPECT_EQ(got, c.steps);
    ResetRegisters();
  }
}

TEST_F(CameraTest, OneViewCopiesPlayerZerosLimitsWhoeverWasEased) {
  view_count = 1;
  for (int k = 0; k < 4; k++) registers[23 + 2 * k] = registers[31 + 2 * k] = 1000 + k;
  registers[24] = registers[32] = -5;
  registers[kRegPlayer] = 1;
  EaseCameraLimits();
  for (int k = 0; k < 4; k++) EXPECT_EQ(registers[24 + 2 * k], 1000 + k);
  view_count = 2;
  registers[24] = registers[32] = -5;
  EaseCameraLimits();
  EXPECT_EQ(registers[24], -5);
}

TEST_F(CameraTest, CommandsMoveBothCamerasAndSetTargets) {
  registers[17] = 1, registers[19] = 2, registers[20] = 3, registers[18] = 4, registers[21] = 5, registers[22] = 6;
  Run({26, static_cast<uint32_t>(-10)});
  Run({27, 0x7FFFFFFF});  // wraps
  EXPECT_EQ((std::vector<int32_t>{registers[17], registers[19], registers[20]}), (std::vector<int32_t>{-9, -8, -7}));
  EXPECT_EQ(registers[22], static_cast<int32_t>(0x80000005u));
  Run({32, 77});
  EXPECT_EQ((std::vector<int32_t>{registers[18], registers[21], registers[22], registers[17]}),
            (std::vector<int32_t>{77, 77, 77, -9}));
  AllocRegisters(64);
  registers[300] = 4000;
  registers[301] = 1;
  Run({89, kRegisterBit | 301, 0, 10, kRegisterBit | 300, 250});
  EXPECT_EQ(registers[32], 0);
  EXPECT_EQ(registers[34], 10);
  EXPECT_EQ(registers[36], 4000);
  EXPECT_EQ(registers[38], 250);
  EXPECT_EQ(registers[48], 4000);  // until the world update takes it from the current limits
  EXPECT_EQ(registers[50], 240);
  EXPECT_EQ(registers[28], 320);   // current limits untouched
  Run({89, 1u << 29, 1, 2, 3, 4});  // no such player: nothing written
  SaveViewRegisters();
  registers[23] = registers[50] = 9;
  RestoreViewRegisters();
  EXPECT_EQ(registers[23], 0);
  EXPECT_EQ(registers[50], 240);
}

}  // namespace
}  // namespace tolv::test
