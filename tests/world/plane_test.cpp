#include "level_test_util.h"
#include "world/frame_steps.h"
#include "world/world_state.h"

namespace tolv::test {
namespace {

using V32 = std::vector<uint32_t>;

// Line count, line wrap and other-axis wrap of a 10 x 4 plane by type.
struct TypeCase {
  uint8_t type;
  uint32_t lines, line_wrap, other_wrap;
};
const TypeCase kTypes[] = {{kPlaneFlat, 1, 10, 4},   {kPlaneRelative, 1, 10, 4}, {kPlaneHTiled, 4, 10, 4},
                           {kPlaneVTiled, 10, 4, 10}, {kPlaneHLined, 32, 10, 4},  {kPlaneVLined, 80, 4, 10},
                           {9, 1, 10, 4}};

TEST(Plane, InitRetypeAndCopyKeepTheirFields) {
  for (const TypeCase& c : kTypes) {
    SCOPED_TRACE(int(c.type));
    TilePlane p;
    p.flags = 3;
    InitPlane(p, c.type, 10, 4);
    PlaneModel m = Snapshot(p);
    EXPECT_EQ(m.wraps, V32(c.lines, c.line_wrap));
    EXPECT_EQ(m.factors, std::vector<uint8_t>(c.lines, 0));
    EXPECT_EQ(std::vector<int32_t>(p.line_offsets, p.line_offsets + c.lines), std::vector<int32_t>(c.lines, 0));
    EXPECT_EQ(m.other_wrap, c.other_wrap);
    EXPECT_EQ(V32(p.row_starts, p.row_starts + 4), (V32{0, 10, 20, 30}));
    EXPECT_EQ(std::vector<uint16_t>(p.map, p.map + PlaneMapCells(10, 4)), std::vector<uint16_t>(51, 0));
    EXPECT_EQ(m.cell_count, 40u);
    EXPECT_EQ(m.flags, 3);  // not InitPlane's to set
    EXPECT_EQ(m.function, kNoPlaneFunction);

    // Retyping keeps map, view bytes and flags and drops the function.
    p.map[13] = 7;
    p.active_view1 = 1;
    p.plane_function = 4;
    const uint8_t next = (c.type + 1) % 6;
    SetPlaneType(p, next);
    EXPECT_EQ(p.map[13], 7);
    EXPECT_EQ(p.active_view1, 1);
    EXPECT_EQ(p.flags, 3);
    EXPECT_EQ(p.plane_function, kNoPlaneFunction);
    EXPECT_EQ(p.line_wraps[PlaneLineCount(next, 10, 4) - 1], PlaneLineExtent(p));

    // A copy takes everything but the function, view bytes and flags.
    p.plane_function = 4;
    p.line_factors[0] = 9;
    p.other_offset = -5;
    TilePlane q;
    InitPlane(q, kPlaneFlat, 3, 3);
    q.flags = 1;
    CopyPlane(p, q);
    PlaneModel from = Snapshot(p), to = Snapshot(q);
    from.view1 = 0, from.flags = 1, from.function = kNoPlaneFunction;
    EXPECT_EQ(to, from);
    EXPECT_EQ(q.other_offset, -5);
    EXPECT_EQ(q.map[PlaneMapCells(10, 4) - 1], 0);
    FreePlane(p);
    FreePlane(q);
  }
}

TEST_F(LevelTest, StartWorldDrawsOneView) {
  view_count = 2;  // left by a two-view warp
  StartWorld();
  EXPECT_EQ(view_count, 1);
}

TEST_F(LevelTest, DefaultLevelResetsPlanesCameraAndEditor) {
  Bytes f;
  f.Head(2, 1).Plane(kPlaneFlat, 90, 70).U16(0);
  for (int i = 0; i < 90 * 70; i++) f.U16(1);
  ASSERT_EQ(Read(f.U16(5)), kLevelRead);
  for (uint32_t r = 17; r <= 54; r++) registers[r] = 99;
  editor_current_plane = 2;
  plane_show_flags[15] = 1;
  ResetDefaultPlanes();
  LevelModel m = Model();
  ASSERT_EQ(m.planes.size(), 3u);
  const uint8_t types[] = {kPlaneRelative, kPlaneFlat, kPlaneFlat};
  for (int i = 0; i < 3; i++) {
    EXPECT_EQ(m.planes[i].type, types[i]);
    EXPECT_EQ(m.planes[i].flags, i == 0 ? 1 : 0);
    EXPECT_EQ(m.planes[i].cells, std::vector<uint16_t>(80 * 60, 0));
  }
  EXPECT_EQ(m.width, 80u);
  EXPECT_EQ(m.height, 60u);
  EXPECT_EQ(std::vector<int32_t>(registers + 17, registers + 19), (std::vector<int32_t>{0, 0}));
  EXPECT_EQ(std::vector<int32_t>(registers + 23, registers + 51),
            (std::vector<int32_t>{0, 0, 0, 0, 320, 320, 200, 200, 0, 0, 0, 0, 320, 320, 200, 200,
                                  0, 0, 0, 0, 0, 0, 0, 0, 320, 320, 200, 200}));
  EXPECT_EQ(registers[kRegWaterLine], 340);
  EXPECT_EQ(editor_current_plane, 0);
  EXPECT_FALSE(PlaneShownInEditor(15));
  plane_show_flags[0] = 1;
  EXPECT_FALSE(PlaneShownInEditor(16 + 256));  // 16 flags whatever the plane count
  EXPECT_EQ(LevelFault(), "");
}

}  // namespace
}  // namespace tolv::test
