// The draw pass as a whole: plane objects, layouts per view, players, the
// placement cursor with command 1408 swapped, command 1408 itself, and
// box outlines.
#include "objects/draw_frame_command.h"
#include "scene_fixture.h"

namespace tolv::test {
namespace {

struct PlaneCall {
  bool opaque;
  const TilePlane* plane;
  bool operator==(const PlaneCall&) const = default;
};
std::vector<PlaneCall> plane_calls;

TEST_F(SceneTest, PlaneObjectsDrawWhileActiveInTheView) {
  BuildPlanes();
  for (int t = 0; t < kPlaneTypes; t++) {
    draw_routines.draw_plane[t] = [](const TilePlane* p) { plane_calls.push_back({false, p}); };
    draw_routines.draw_plane_opaque[t] = [](const TilePlane* p) { plane_calls.push_back({true, p}); };
  }
  planes_[1].flags = 1;
  SpawnPlane(0, 1, 10);
  SpawnPlane(1, 0, 20)->vars[9] = 1;  // view 1 only
  SpawnPlane(1, 1, 30)->vars[7] = 5;  // a plane the level no longer has
  UpdateWorld();
  plane_calls.clear();
  DrawScene(0);
  EXPECT_EQ(plane_calls, (std::vector<PlaneCall>{{false, &planes_[0]}}));
  plane_calls.clear();
  registers[kRegView] = 1;
  DrawScene(1);
  EXPECT_EQ(plane_calls, (std::vector<PlaneCall>{{true, &planes_[1]}, {false, &planes_[0]}}));
}

std::vector<ObjectSlot*> layouts_drawn;

TEST_F(SceneTest, HudShowsInItsPlayersViewAndThePauseMenuInEvery) {
  stat_obj_def_counts.total = 1;
  build_stat_obj = [](uint32_t) { return int32_t{1}; };
  draw_stat_obj = [] { layouts_drawn.push_back(running_slot); };
  int32_t hud_args[2] = {0, 1}, menu_args[1] = {0};
  ASSERT_TRUE(SpawnObject(kTypeHud, 0, 0, 0, 0, 0, 2, hud_args));
  ObjectSlot* hud = last_spawned_slot;
  ASSERT_TRUE(SpawnObject(kTypePauseMenu, 0, 0, 0, 0, 0, 1, menu_args));
  ObjectSlot* menu = last_spawned_slot;
  layouts_drawn.clear();
  DrawScene(0);
  EXPECT_EQ(layouts_drawn, (std::vector<ObjectSlot*>{menu}));
  layouts_drawn.clear();
  DrawScene(1);
  EXPECT_EQ(layouts_drawn, (std::vector<ObjectSlot*>{hud, menu}));
  EXPECT_EQ(running_slot, &void_slot);
}

TEST_F(SceneTest, PlayerObjectShowsItsRunningMainLanesFlipped) {
  AllocPlayerVars();
  uint16_t f = AddPlayerFunction({{kYieldLoop, 0}});
  SelectPlayer(0);
  PlayerRecord& r = player_records[0];
  r.frames = &sets_[1];
  r.main_ctx.lane_funcs[0] = f;
  r.main_ctx.frame_values[0] = 0;
  PVar(&r, kPvX) = 40, PVar(&r, kPvY) = 30, PVar(&r, kPvFlipX) = 1;
  SpawnPlayerObject(0, 0);
  DrawScene(0);
  std::vector<uint8_t> ref(AreaBytes(), 0);
  ReferenceBlit(ref, 320, shape_.frame, 1, 40 + shape_.frame.back_draw_x, 30 + shape_.frame.draw_y, 0, 319, 0, 239);
  EXPECT_EQ(std::memcmp(ref.data(), FrameStart(), ref.size()), 0);
}

TEST_F(SceneTest, PlacementCursorDrawsThroughCommand1408AtTheCursor) {
  uint16_t debug_type = 2;
  debug_types = &debug_type, debug_type_count = 1;
  types[2].dbdraw_label = AddFunction(kDBDrawCode, {{kDrawFrameCommand, 0, 2, 3, 0, 0}, {346}});
  AllocPlayerVars();
  SelectPlayer(0);
  PVar(&player_records[0], kPvX) = 100, PVar(&player_records[0], kPvY) = 60;
  DrawScene(0);
  EXPECT_EQ(Count(33), 0);  // not placing
  PVar(&player_records[0], kPvMovementMode) = 8;
  DrawScene(0);
  EXPECT_EQ(Count(33), 16);
  EXPECT_EQ(Pixel(103, 60), 33);
  EXPECT_EQ(script_commands[kDrawFrameCommand], DrawObjectFrame);
}

TEST_F(SceneTest, Command1408Operands) {
  registers[260] = 65536 + 1;
  types[3].drawing_label = AddFunction(kDrawingCode, {
                                                         {kDrawFrameCommand, 0, kRegisterBit | 260, 0, 0, 0},
                                                         {kDrawFrameCommand, 0, 2, 0xFFFF, 0, 4},
                                                         {kDrawFrameCommand, 5, 0, 0, 0, 0},
                                                         {kDrawFrameCommand, 1, 0, 0xFFF6, 20, 3},
                                                         {kYieldLoop, 0},
                                                     });
  Spawn(3, 0, 0, 150, 100);
  UpdateWorld();
  DrawScene(0);
  EXPECT_EQ(Count(32), 64);  // frame 1 from the register's low 16 bits
  EXPECT_EQ(Pixel(150, 100), 32);
  EXPECT_EQ(Count(33) + Count(31), 0);  // flip 4, set 5: nothing
  std::vector<uint8_t> ref(AreaBytes(), 0);
  ReferenceBlit(ref, 320, frames_[1], 0, 150, 100, 0, 319, 0, 239);
  ReferenceBlit(ref, 320, shape_.frame, 3, 140 + shape_.frame.back_draw_x, 120 + shape_.frame.flip_draw_y, 0, 319, 0,
                239);
  EXPECT_EQ(std::memcmp(ref.data(), FrameStart(), ref.size()), 0);
}

TEST_F(SceneTest, BoxOutlinesFollowTheFrameAndTheFlips) {
  frames_[0].box = Box{-5, 5, -3, 3};
  frames_[0].mirrored_box = Box{-9, 1, -3, 3};
  ObjectSlot* o = SpawnShowing(1, 100, 100, 0, 0);
  UpdateWorld();
  DrawScene(0);
  EXPECT_EQ(Count(kMainBoxColour), 0);
  box_outlines = 1;
  DrawScene(0);
  EXPECT_EQ(Pixel(95, 97), kMainBoxColour);
  EXPECT_EQ(Pixel(104, 103), kMainBoxColour);
  EXPECT_EQ(Pixel(105, 102), kMainBoxColour);
  EXPECT_EQ(Pixel(100, 100), 0);
  ClearArea();
  o->vars[6] = kFlipX;
  DrawScene(0);
  EXPECT_EQ(Pixel(91, 97), kMainBoxColour);
  EXPECT_EQ(Pixel(101, 102), kMainBoxColour);
}

}  // namespace
}  // namespace tolv::test
