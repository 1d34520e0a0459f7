// Plane scrolling: the factor tables, the fill of every plane type, the
// plane functions and the commands on the offsets.
#include <gtest/gtest.h>

#include <vector>

#include "base/key_state.h"
#include "script/commands.h"
#include "script/global_contexts.h"
#include "script/operands.h"
#include "script/registers.h"
#include "script/script_state.h"
#include "world/command_lists.h"
#include "world/editor_plane_state.h"
#include "world/frame_steps.h"
#include "world/level.h"
#include "world/plane_scroll.h"

namespace tolv::test {
namespace {

using V = std::vector<int32_t>;
constexpr uint32_t kNewLevel = 1548;  // test command: a level load replaces the planes
constexpr uint32_t kCount = 1549;     // test command: user register op1 += 1

class PlaneScrollTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AllocRegisters(8);
    ResetRegisters();
    RegisterWorldCommands();
    script_commands[kNewLevel] = [] {
      PlaneList next;
      next.Add(kPlaneFlat, 2, 2)->active_view0 = 1;
      TilePlane* p = next.Add(kPlaneFlat, 2, 2);
      p->active_view0 = 1;
      p->line_factors[0] = 64;
      SwapLevelPlanes(next);
    };
    script_commands[kCount] = [] { registers[256 + Op(1)]++; };
    plane_context.table = script_commands;
    game_frame_counter = 0;
  }
  void TearDown() override {
    FreeLevel();
    FreeCodeSet(script_functions);
    BindScriptFunctions();
    ResetEditorPlaneState();
    active_screen = 0;
    BuildCommandTables();
    ResetMachineState();
  }
  // Planes of the given types, 5 tiles wide and 7 high, active in view 0,
  // every line on factor `factor`.
  static void Level(std::vector<uint8_t> types, uint8_t factor = 64) {
    PlaneList next;
    for (uint8_t t : types) {
      TilePlane* p = next.Add(t, 5, 7);
      p->active_view0 = 1;
      for (uint32_t i = 0; i < PlaneLineCount(t, 5, 7); i++) p->line_factors[i] = factor;
      p->other_factor = factor;
    }
    SwapLevelPlanes(next);
  }
  static uint16_t Function(std::vector<std::vector<uint32_t>> instrs) {
    FunctionBuilder b;
    for (auto& i : instrs) b.Add(i.data(), static_cast<uint32_t>(i.size()));
    uint16_t n = static_cast<uint16_t>(AppendFunction(script_functions, b.Finish()));
    BindScriptFunctions();
    return n;
  }
  static void Run(std::vector<uint32_t> words) {
    current_instruction = words.data();
    script_commands[words[0]]();
  }
  static V Lines(uint32_t plane) {
    const TilePlane& p = planes[plane];
    return V(p.line_offsets, p.line_offsets + PlaneLineCount(p.type, p.width, p.height));
  }
};

TEST_F(PlaneScrollTest, TablesFromTheCameraOffsetAndFrameCount) {
  struct Case {
    int32_t camera, offset;
    uint32_t frames;
    V entries;  // 0, 1, 32, 64, 128, 129, 160, 192, 255
  } cases[] = {
      {900, 100, 0, {0, 15, 500, 1000, 2000, 15, 500, 1000, 2000}},
      {0, 0, 640, {0, 0, 0, 0, 0, 10, 320, 640, 1280}},
      {0, 0, 641, {0, 0, 0, 0, 0, 10, 320, 641, 1282}},
      {-1, 0, 0, {0, -1, -1, -1, -2, -1, -1, -1, -2}},
      {0x01000000, 0x01000000, 0, {0, 524288, 16777216, -33554432, 0, 524288, 16777216, -33554432, 0}},  // products wrap
  };
  Level({});
  for (const Case& c : cases) {
    registers[kRegCameraX] = c.camera;
    registers[kRegScrollOffsetX] = c.offset;
    registers[kRegCameraY] = 5;
    game_frame_counter = c.frames;
    UpdatePlaneScroll();
    V got;
    for (int k : {0, 1, 32, 64, 128, 129, 160, 192, 255}) got.push_back(scroll_table_x[k]);
    EXPECT_EQ(got, c.entries) << c.camera << " + " << c.offset << " at " << c.frames;
    EXPECT_EQ(scroll_table_y[64], 5);
  }
}

TEST_F(PlaneScrollTest, EachTypeFillsItsLinesFromItsAxis) {
  Level({kPlaneFlat, kPlaneRelative, kPlaneHTiled, kPlaneVTiled, kPlaneHLined, kPlaneVLined, 6});
  registers[kRegCameraX] = 100, registers[kRegCameraY] = -7;
  for (uint32_t i = 0; i < plane_count; i++) planes[i].other_offset = 1234;
  planes[6].line_offsets[0] = 1234;
  UpdatePlaneScroll();
  const size_t counts[] = {1, 1, 7, 5, 56, 40};
  for (uint32_t i = 0; i < 6; i++) {
    bool columns = i == kPlaneVTiled || i == kPlaneVLined;
    EXPECT_EQ(Lines(i), V(counts[i], columns ? -7 : 100)) << "type " << i;
    EXPECT_EQ(planes[i].other_offset, columns ? 100 : -7) << "type " << i;
  }
  EXPECT_EQ(planes[6].line_offsets[0], 1234);  // no such type: nothing filled
  EXPECT_EQ(planes[6].other_offset, 1234);
  EXPECT_EQ(PlaneLineCount(kPlaneHLined, 5, 60), 480u);
  EXPECT_EQ(PlaneLineCount(kPlaneHTiled, 5, 60), 60u);
}

TEST_F(PlaneScrollTest, OnlyPlanesTakingPartAreFilledAndRunTheirFunction) {
  Level({kPlaneRelative, kPlaneRelative});
  uint16_t count0 = Function({{kCount, 0}});
  uint16_t wake = Function({{kCount, 1}, {1270, 1, 0, 5}});  // would make itself active
  planes[0].plane_function = count0;
  planes[1].plane_function = wake;
  planes[1].active_view0 = 0;
  planes[1].active_view1 = 1;
  planes[1].line_offsets[0] = 77;
  registers[kRegCameraX] = 40;
  UpdatePlaneScroll();
  EXPECT_EQ(Lines(0), V{40});
  EXPECT_EQ(Lines(1), V{77});
  EXPECT_EQ((V{registers[256], registers[257]}), (V{1, 0}));
  registers[kRegView] = registers[kRegPlayer] = 1;  // the second view: once per view
  UpdatePlaneScroll();
  EXPECT_EQ((V{registers[256], registers[257]}), (V{1, 1}));
  EXPECT_EQ(Lines(1), V{45});  // filled for view 1, then its function added 5

  // The level editor fills the shown planes only and runs no function.
  active_screen = 253;
  registers[kRegView] = registers[kRegPlayer] = 0;
  registers[kRegCameraX] = 8;
  plane_show_flags[1] = 1;
  UpdatePlaneScroll();
  EXPECT_EQ(Lines(0), V{40});
  EXPECT_EQ(Lines(1), V{8});
  EXPECT_EQ((V{registers[256], registers[257]}), (V{1, 1}));
  EXPECT_FALSE(PlaneShownInEditor(16));
}

TEST_F(PlaneScrollTest, FunctionsAndCommandsAdjustFreshOffsets) {
  Level({kPlaneHLined, kPlaneRelative});
  planes[0].plane_function = Function({{1280, 3}, {1278, 55, 1}, {1275, kRegisterBit | 256, kRegisterBit | 257}});
  registers[256] = 2, registers[257] = 9;
  registers[kRegCameraX] = 64, registers[kRegCameraY] = 10;
  UpdatePlaneScroll();
  EXPECT_EQ(planes[0].other_offset, 13);  // this frame's table value plus 3
  EXPECT_EQ(Lines(0)[55], 65);
  EXPECT_EQ(Lines(0)[2], 73);
  EXPECT_EQ(Lines(0)[3], 64);
  // Outside a function: 1279 on the last plane of the list, 1275 on the last filled.
  planes[1].active_view0 = 0;
  UpdatePlaneScroll();
  Run({1280, 4});
  EXPECT_EQ(planes[1].other_offset, 14);  // 10 from its last fill
  Run({1278, 0, 6});
  EXPECT_EQ(Lines(0)[0], 70);
  Run({1270, 1, 0, static_cast<uint32_t>(-1)});
  Run({1274, 0, 1});
  Run({1266, kRegisterBit | 256, 0, 1});  // register 256 = 2: no plane 2
  Run({1266, kRegisterBit | 258, 56, 1});  // plane 0 has lines 0..55
  Run({1270, 0, 0x3FFFFFFF, 1});
  EXPECT_EQ(planes[1].line_offsets[0], 63);
  EXPECT_EQ(planes[0].other_offset, 14);
  EXPECT_EQ(Lines(0)[0], 70);
  Run({1262, 1, 0x1FFFF});
  EXPECT_EQ(planes[1].plane_function, 0xFFFF);
  Run({1262, kRegisterBit | 257, 4});  // no plane 9
  EXPECT_EQ(timed_commands[1263], stat_obj_commands[1280]);
  EXPECT_NE(timed_commands[1262], timed_commands[1263]);
}

TEST_F(PlaneScrollTest, AFunctionThatLoadsALevelEndsThePass) {
  Level({kPlaneRelative, kPlaneRelative});
  planes[0].plane_function = Function({{kNewLevel}, {1280, 3}});
  registers[kRegCameraX] = 16;
  UpdatePlaneScroll();
  ASSERT_EQ(plane_count, 2);
  EXPECT_EQ(planes[0].other_offset, 0);  // the new level's planes wait for the next pass
  EXPECT_EQ(planes[1].line_offsets[0], 0);
  EXPECT_EQ(CurrentPlane(), kNoPlane);
  Run({1279, 0});
  Run({1276, 0, 1});
  EXPECT_EQ(planes[1].other_offset, 0);
  UpdatePlaneScroll();
  EXPECT_EQ(planes[1].line_offsets[0], 16);
}

}  // namespace
}  // namespace tolv::test
