// Block copies between planes, and the object view tests: the wrap region
// of a view that shows the running object, and the jump unless an object
// is on screen, in range or inside the camera limits.
#include <vector>

#include "../script/script_fixture.h"
#include "world/command_lists.h"
#include "world/level.h"

namespace tolv::test {
namespace {

constexpr uint32_t R = kRegisterBit;

class PlaneCommands : public ScriptTest {
 protected:
  int32_t self_vars[8] = {};
  int32_t other_vars[8] = {};
  ObjectSlot self, other;

  void SetUp() override {
    RegisterWorldCommands();  // before the probe is installed
    ScriptTest::SetUp();
    self.vars = self_vars;
    self.var_count = 8;
    other.vars = other_vars;
    other.var_count = 8;
    running_slot = &self;
    object_operand_a = &other;
  }
  void TearDown() override {
    running_slot = object_operand_a = &void_slot;
    FreeLevel();
    ScriptTest::TearDown();
  }
  static void Exec(std::vector<uint32_t> words) {
    current_instruction = words.data();
    script_commands[words[0]]();
  }
  // Planes of the given sizes, each cell holding column + 10 x row.
  static void Level(std::vector<std::pair<uint32_t, uint32_t>> sizes) {
    PlaneList next;
    for (auto [w, h] : sizes) {
      TilePlane* p = next.Add(kPlaneFlat, w, h);
      for (uint32_t y = 0; y < h; y++)
        for (uint32_t x = 0; x < w; x++) *PlaneCell(*p, x, y) = static_cast<uint16_t>(x + 10 * y);
    }
    SwapLevelPlanes(next);
  }
  static std::vector<uint16_t> Row(uint32_t plane, uint32_t row) {
    const TilePlane& p = planes[plane];
    return std::vector<uint16_t>(p.map + p.row_starts[row], p.map + p.row_starts[row] + p.width);
  }
};

using Cells = std::vector<uint16_t>;

TEST_F(PlaneCommands, BlockCopyWithinAPlaneRepeatsCellsItHasWritten) {
  Level({{6, 2}});
  Exec({825, 0, 0, 0, 0, 1, 0, 3, 2});  // 3 x 2 onto itself, one cell right
  EXPECT_EQ(Row(0, 0), (Cells{0, 0, 0, 0, 4, 5}));
  EXPECT_EQ(Row(0, 1), (Cells{10, 10, 10, 10, 14, 15}));
}

TEST_F(PlaneCommands, BlockCopyIsClippedToBothPlanes) {
  Level({{4, 3}, {3, 2}});
  registers[256] = 1;
  Exec({825, 0, 2, 1, R | 256, 1, 0, 5, 5});  // operands may be registers
  EXPECT_EQ(Row(1, 0), (Cells{0, 12, 13}));
  EXPECT_EQ(Row(1, 1), (Cells{10, 22, 23}));
  registers[257] = -1;
  Exec({825, 0, 0, 0, 1, R | 257, R | 257, 2, 2});  // destination starts above and left
  EXPECT_EQ(Row(1, 0), (Cells{11, 12, 13}));
  Exec({825, 1, 0, 0, 2, 0, 0, 1, 1});    // no plane 2
  Exec({825, 1, 0, 0, 256, 0, 0, 1, 1});  // plane indexes use the low 8 bits: plane 0
  EXPECT_EQ(Row(0, 0), (Cells{11, 1, 2, 3}));
}

// Rows past a loaded plane's cell count (its other-axis wrap) are copied
// from and into like any other.
TEST_F(PlaneCommands, BlockCopyReachesRowsPastTheCellCount) {
  Level({{4, 4}});
  planes[0].cell_count = 2 * 4;
  Exec({825, 0, 0, 3, 0, 1, 2, 2, 1});
  EXPECT_EQ(Row(0, 2), (Cells{20, 30, 31, 23}));
}

// A 320 x 240 frame; view 0's camera at (1000, 1000), view 1's at (6000,
// 6000).
class ViewTest : public PlaneCommands {
 protected:
  void SetUp() override {
    PlaneCommands::SetUp();
    registers[kRegFrameWidth] = 320;
    registers[kRegFrameHeight] = 240;
    for (uint32_t v : {0u, 1u}) registers[kRegViewX + v] = registers[kRegViewY + v] = 1000 + 5000 * v;
  }
};

// Wrap 1000 x 1000, target limits 0..3000 both ways (5000..8000 in view
// 1). View 0's centre columns are 840..1480, its rows 840..1400; the copy
// ranges right 1840..3160, left -160..480, below 1840..3160, above
// -160..400.
class ViewRegions : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    int32_t* r = registers;
    for (uint32_t v : {0u, 1u}) {
      r[kRegWrapWidth + v] = r[kRegWrapHeight + v] = 1000;
      r[kRegTargetLeft + v] = r[kRegTargetTop + v] = 5000 * v;
      r[kRegTargetRight + v] = r[kRegTargetBottom + v] = 3000 + 5000 * v;
      r[kRegWrapX + v] = r[kRegWrapY + v] = 1;
    }
  }
  int32_t Region(int32_t x, int32_t y, uint32_t view = 0) {
    self_vars[1] = x;
    self_vars[2] = y;
    registers[260] = -1;
    Exec({1183, view, 260});
    return registers[260];
  }
};

TEST_F(ViewRegions, NineRegionsAndTheirEdges) {
  struct Case {
    int32_t x, y, region;
  } cases[] = {
      {1000, 1000, 4}, {840, 840, 4},    {1480, 1400, 4},  {839, 1000, 255}, {1481, 1000, 255},
      {2000, 1000, 3}, {1840, 840, 3},   {3160, 1400, 3},  {1839, 1000, 255}, {3161, 1000, 255},
      {0, 1000, 5},    {-160, 1000, 5},  {480, 1000, 5},   {481, 1000, 255},  {-161, 1000, 255},
      {1000, 2000, 1}, {1000, 1840, 1},  {1000, 1839, 255}, {1000, 3161, 255},
      {1000, 0, 7},    {1000, 400, 7},   {1000, 401, 255},  {1000, -161, 255},
      {3160, 3160, 0}, {1840, 1840, 0},  {-160, 3160, 2},   {480, 1840, 2},
      {3160, -160, 6}, {1840, 400, 6},   {-160, -160, 8},   {480, 400, 8},
      {-161, -160, 255}, {700, 2000, 255},  // in a copy row but no column
  };
  for (const Case& c : cases) EXPECT_EQ(Region(c.x, c.y), c.region) << c.x << "," << c.y;
}

TEST_F(ViewRegions, OneViewAndNoWrap) {
  EXPECT_EQ(Region(6000, 6000, 1), 255);  // one view: view 0 answers for view 1
  registers[kRegScreenMode] = 2;
  registers[261] = 1;
  for (uint32_t view : {1u, R | 261, 257u}) EXPECT_EQ(Region(6000, 6000, view), 4);
  EXPECT_EQ(Region(6000, 6000, 2), 255);  // any other view is view 0
  registers[kRegWrapY] = 0;
  EXPECT_EQ(Region(2000, 2000), 255);  // copy rows need vertical wrap
  registers[kRegWrapX] = 0;
  EXPECT_EQ(Region(900, 1000), 4);  // 100 left of the view, inside the margin
  EXPECT_EQ(Region(800, 1000), 255);
  EXPECT_EQ(Region(2000, 1000), 255);
}

// Command 325 as the compiler lays out an If: the block runs (probe 1)
// when the answer equals the expected value, else the Else part (probe 0).
class InViewTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    int32_t* r = registers;
    r[kRegWrapWidth] = r[kRegWrapHeight] = 2000;
    r[kRegLimitRight] = 640;
    r[kRegLimitBottom] = 480;
    r[kRegLimitLeft + 1] = r[kRegLimitTop + 1] = 1000;
    r[kRegLimitRight + 1] = r[kRegLimitBottom + 1] = 1100;
  }
  // Answer of test `test` for the OA object at (x, y), through an If in a
  // plain and a timed lane; -1 when they disagree.
  int Answer(uint32_t test, int32_t x, int32_t y) {
    other_vars[1] = x;
    other_vars[2] = y;
    FreeCodeSet(code);
    Add({{325, test, 1, 2}, {kProbe, 1}, {63, 4}, {kProbe, 0}, {64}, {346}});
    Bind();
    probe_hits.clear();
    RunFunctionNow(0);
    StartTimedFunctionNoArgs(0);
    RunTimedLanes();
    std::vector<uint32_t> t = Tags();
    return t.size() == 2 && t[0] == t[1] ? static_cast<int>(t[0]) : -1;
  }
};

TEST_F(InViewTest, ThreeTestsAtTheirEdges) {
  struct Case {
    int32_t mode, wrap_x, range;
    uint32_t test;
    int32_t x, y, answer;
  } cases[] = {
      {0, 0, 255, 0, 1000, 1000, 1}, {0, 0, 255, 0, 1320, 1240, 1}, {0, 0, 255, 0, 1321, 1000, 0},
      {0, 0, 255, 0, 999, 1000, 0},  {0, 0, 255, 0, 1000, 1241, 0}, {0, 0, 255, 0, 3000, 1000, 0},
      {0, 0, 255, 0, 1000 + 65536, 1000 - 65536, 1},  // positions count in 16 bits
      {0, 1, 255, 0, 3000, 1000, 1}, {0, 1, 255, 0, -1000, 1000, 1}, {0, 1, 255, 0, 3000, 3000, 0},
      {1, 0, 255, 0, 6100, 6100, 0}, {2, 0, 255, 0, 6100, 6100, 1},  // view 1 in two views only
      {0, 0, 255, 1, 0, 0, 0},       {0, 0, 4, 1, 0, 0, 1},
      {0, 0, 255, 2, 0, 0, 1},       {0, 0, 255, 2, 639, 479, 1},   {0, 0, 255, 2, 640, 0, 0},
      {0, 0, 255, 2, 0, 480, 0},     {0, 0, 255, 2, -1, 0, 0},      {0, 0, 255, 2, 1050, 1099, 1},
      {0, 0, 255, 2, 1100, 1050, 0}, {0, 0, 4, 3, 1000, 1000, 0},
  };
  for (const Case& c : cases) {
    registers[kRegScreenMode] = c.mode;
    registers[kRegWrapX] = c.wrap_x;
    other.range_state = static_cast<uint8_t>(c.range);
    EXPECT_EQ(Answer(c.test, c.x, c.y), c.answer) << c.test << ": " << c.x << "," << c.y;
  }
}

}  // namespace
}  // namespace tolv::test
