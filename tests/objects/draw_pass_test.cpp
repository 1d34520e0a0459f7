// The object half of the draw pass: wrap cells, the cell lists and the
// Drawing routines and lanes.
#include "objects/draw_pass.h"
#include "render/draw_routines.h"
#include "world_fixture.h"

namespace tolv::test {
namespace {

using V = std::vector<int32_t>;

TEST_F(WorldTest, ViewCellsWidenTheViewBy160AndFollowTheWrap) {
  registers[19] = 0, registers[21] = 0, registers[13] = 320, registers[14] = 240;
  EXPECT_EQ(ObjectViewCell(0, -100, 50), 4);
  EXPECT_EQ(ObjectViewCell(0, -200, 50), 255);
  EXPECT_EQ(ObjectViewCell(0, 480, 400), 4);
  EXPECT_EQ(ObjectViewCell(0, 481, 400), 255);
  EXPECT_EQ(ObjectViewCell(0, 100, 401), 255);
  // Horizontal wrap 1000 wide, limits 0..1000: a wrap width to the right.
  registers[39] = 1, registers[47] = 1000, registers[31] = 0, registers[35] = 1000;
  EXPECT_EQ(ObjectViewCell(0, 1000, 50), 3);
  EXPECT_EQ(ObjectViewCell(0, 1000, 401), 255);
  registers[19] = 900;  // near the seam: the level's start shows on the left
  EXPECT_EQ(ObjectViewCell(0, 100, 50), 5);
  // Vertical wrap too: the rows a wrap height below and above.
  registers[19] = 0;
  registers[41] = 1, registers[49] = 1000, registers[33] = 0, registers[37] = 1000;
  EXPECT_EQ(ObjectViewCell(0, 100, 1000), 1);
  EXPECT_EQ(ObjectViewCell(0, 1000, 1000), 0);
  registers[21] = 900;
  EXPECT_EQ(ObjectViewCell(0, 100, 100), 7);
  registers[19] = 900;
  EXPECT_EQ(ObjectViewCell(0, 100, 100), 8);
  // View 1 reads its own camera.
  registers[20] = 5000, registers[22] = 5000;
  EXPECT_EQ(ObjectViewCell(1, 5100, 5100), 4);
  EXPECT_EQ(ObjectViewCell(1, 100, 100), 255);
}

TEST_F(WorldTest, DrawPassListsObjectsPerCellAndRunsTheirDrawing) {
  static int drawn;
  drawn = 0;
  types[1].builtin_drawing = [] { drawn++; };
  types[1].drawing_label = AddFunction(kDrawingCode, {{kTrace, 0}, {kYieldLoop, 0}});
  registers[19] = 0, registers[21] = 0;
  registers[39] = 1, registers[47] = 1000, registers[35] = 1000;
  ObjectSlot* seen = Spawn(1, 50, 1, 100, 100);
  ObjectSlot* wrapped = Spawn(1, 40, 2, 1000, 100);
  ObjectSlot* far = Spawn(1, 30, 3, 500, 5000);
  Spawn(1, 20, 4, 100, 100)->vars[0] = 0;
  int32_t p = 0;
  ASSERT_TRUE(SpawnObject(kTypePlayerSecond, 100, 100, 10, 5, 0, 1, &p));
  far->range_state = 255;
  cell_object_counts[3] = 77;
  DrawSceneObjects(0);
  EXPECT_EQ(Traced(), (V{1, 2}));
  EXPECT_EQ(drawn, 2);
  EXPECT_EQ(seen->range_state, 4);
  EXPECT_EQ(wrapped->range_state, 3);
  EXPECT_EQ(far->range_state, 255);
  EXPECT_EQ(cell_object_counts[4], 1);
  EXPECT_EQ(cell_object_counts[3], 1);
  EXPECT_EQ(cell_object_lists[4][0], seen);
  EXPECT_EQ(cell_object_lists[3][0], wrapped);
  for (int c : {0, 1, 2, 5, 6, 7, 8}) EXPECT_EQ(cell_object_counts[c], 0);
  // View 1's lists are its own.
  registers[20] = 0, registers[22] = 0;
  DrawSceneObjects(1);
  EXPECT_EQ(cell_object_counts[13], 1);
  EXPECT_EQ(cell_object_counts[4], 1);
}

}  // namespace
}  // namespace tolv::test
