// Screen modes: geometry registers, the routines each mode installs, the
// two-view layout and the skip routines of a dropped frame.
#include <gtest/gtest.h>

#include "frame_check.h"
#include "sprite_fixture.h"

namespace tolv::test {
namespace {

bool SameRoutines(const DrawRoutines& a, const DrawRoutines& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(ScreenMode, RegistersAndGeometryPerMode) {
  struct Case {
    int mode;
    int32_t r11, r12, r13, r14, r15, r16, area;
  } cases[] = {
      {0, 41, 31, 320, 240, 320, 240, 240}, {1, 41, 29, 320, 224, 320, 224, 224}, {2, 41, 29, 320, 224, 320, 448, 448},
      {3, 41, 29, 320, 224, 320, 224, 224}, {4, 81, 61, 640, 480, 640, 480, 480}, {5, 54, 31, 424, 240, 424, 240, 240},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    StartFrame(c.mode);
    EXPECT_EQ(registers[0], c.mode);
    EXPECT_EQ((std::vector<int32_t>{registers + 11, registers + 17}),
              (std::vector<int32_t>{c.r11, c.r12, c.r13, c.r14, c.r15, c.r16}));
    EXPECT_EQ(frame_width, c.r13);
    EXPECT_EQ(frame_height, c.r14);
    EXPECT_EQ(frame_area_height, c.area);
    EXPECT_EQ(row_offsets[c.r14 - 1], uint32_t((c.r14 - 1) * c.r13));
    EXPECT_EQ(frame_buffer, FrameStart());
  }
  StartFrame(4);
  SetScreenMode(6);  // no such mode: nothing changes
  EXPECT_EQ(registers[0], 4);
  EXPECT_EQ(frame_width, 640);
}

TEST(ScreenMode, ModesShareRoutinesOnlyWhereTheirGeometryIsShared) {
  DrawRoutines per_mode[6];
  for (int m = 0; m < 6; m++) {
    StartFrame(m);
    per_mode[m] = draw_routines;
    EXPECT_TRUE(SameRoutines(draw_routines, saved_draw_routines));
    EXPECT_EQ(draw_routines.draw_tile_opaque_clipped, draw_routines.draw_tile_transparent_clipped);
  }
  EXPECT_TRUE(SameRoutines(per_mode[1], per_mode[2]));
  EXPECT_TRUE(SameRoutines(per_mode[1], per_mode[3]));
  for (int a : {0, 1, 4, 5})
    for (int b : {0, 1, 4, 5})
      if (a != b) {
        EXPECT_NE(per_mode[a].draw_sprite[0], per_mode[b].draw_sprite[0]) << a << " " << b;
      }
  EXPECT_NE(per_mode[5].draw_sprite_clipped[0], per_mode[0].draw_sprite_clipped[0]);
}

TEST(ScreenMode, SkippedFrameDrawsNothingAndRestoresEverySlot) {
  StartFrame(5);
  DrawRoutines before = draw_routines;
  SwapInSkipRoutines();
  TestSprite s(8, 8);
  TestTile t;
  EXPECT_EQ(draw_routines.draw_sprite[3](&s.frame, 0, 0, 10, 10), 0);
  EXPECT_EQ(draw_routines.draw_sprite_clipped[0](&s.frame, 0, 0, 10, 10, 0, 100, 0, 100), 0);
  draw_routines.draw_tile_opaque(&t.tile, 0, 0, 10, 10);
  draw_routines.draw_plane[2](nullptr);
  EXPECT_EQ(Pixel(10, 10), 0);
  EXPECT_EQ(draw_routines.draw_hline, before.draw_hline);  // lines are not swapped
  EXPECT_EQ(draw_routines.draw_plane_opaque[5], SkipPlaneDraw);
  RestoreDrawRoutines();
  EXPECT_TRUE(SameRoutines(draw_routines, before));
  EXPECT_TRUE(CanaryIntact());
}

TEST(ScreenMode, SecondViewOfTheTwoViewModeLies224RowsLower) {
  StartFrame(2);
  TestSprite s(4, 4);
  SelectFrameView(1);
  EXPECT_EQ(frame_buffer, FrameStart() + 224 * 320);
  draw_routines.draw_sprite[0](&s.frame, 0, 0, 0, 222);  // cut at the view's own bottom
  SelectFrameView(0);
  EXPECT_EQ(frame_buffer[(224 + 223) * 320], s.At(0, 1));
  EXPECT_EQ(frame_buffer[(224 + 222) * 320], s.At(0, 0));
  EXPECT_TRUE(CanaryIntact());
  StartFrame(0);
  SelectFrameView(1);  // one view only: stays on view 0
  EXPECT_EQ(frame_buffer, FrameStart());
}

TEST(ScreenMode, GuardRowsAreZeroAfterAModeChange) {
  StartFrame(0);
  SetScreenMode(4);
  for (size_t i = 0; i < kFrameGuardBytes; i++) ASSERT_EQ(frame_memory[i], 0);
  for (size_t i = kFrameGuardBytes + kFrameBytes; i < sizeof frame_memory; i++) ASSERT_EQ(frame_memory[i], 0);
}

}  // namespace
}  // namespace tolv::test
