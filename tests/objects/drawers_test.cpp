#include "object_world.h"
#include "render/draw_routines.h"
#include "world/tile.h"

namespace tolv::test {

struct DrawCall {
  int routine;
  const void* what;
  int32_t cam_x, cam_y, x, y;
  bool operator==(const DrawCall&) const = default;
};
static std::vector<DrawCall> calls;

template <int R>
static int32_t RecordSprite(const SpriteFrame* f, int32_t cx, int32_t cy, int32_t x, int32_t y) {
  calls.push_back({R, f, cx, cy, x, y});
  return 1;
}
template <int R>
static void RecordTile(const Tile* t, int32_t cx, int32_t cy, int32_t x, int32_t y) {
  calls.push_back({R, t, cx, cy, x, y});
}

class Drawers : public ObjectWorld {
 protected:
  void SetUp() override {
    ObjectWorld::SetUp();
    kept_ = draw_routines;
    draw_routines.draw_sprite[0] = RecordSprite<0>;
    draw_routines.draw_sprite[1] = RecordSprite<1>;
    draw_routines.draw_sprite[2] = RecordSprite<2>;
    draw_routines.draw_sprite[3] = RecordSprite<3>;
    draw_routines.draw_tile_opaque = RecordTile<10>;
    draw_routines.draw_tile_transparent = RecordTile<11>;
    calls.clear();
    set_ = SpriteSet{frames_, 2};
    registers[kRegCameraX] = 5;
    registers[kRegCameraY] = 6;
  }
  void TearDown() override {
    draw_routines = kept_;
    tiles = nullptr;
    tile_count = 0;
    ObjectWorld::TearDown();
  }
  // An object with two running Animation lanes showing frames 1 and 0.
  ObjectSlot* SpawnTwoLanes(int drawer) {
    ObjectType& t = AddType(3);
    t.builtin_drawing = builtin_drawers[drawer];
    GiveSprites(t, &set_);
    uint16_t a = AddLoop(kAnimationCode), b = AddFunction(kAnimationCode, {{1527, 0}, {79}});
    GiveAnimation(t, {a});
    EXPECT_TRUE(Spawn(TypeId(t), 100, 50));
    ObjectSlot* o = last_spawned_slot;
    SavedMachineState keep;
    timed_context = &o->animation_ctx;
    StartTimedFunction(b, 7, 255);
    o->animation_ctx.frame_values[0] = 1;
    return o;
  }
  void Draw(ObjectSlot* o) {
    running_slot = o;
    FindObjectType(o->vars[0])->builtin_drawing();
    running_slot = &void_slot;
  }
  SpriteFrame frames_[2];
  SpriteSet set_;
  DrawRoutines kept_{};
};

TEST_F(Drawers, LanesDrawTheirFramesWithTheFlipRoutineAndOffsets) {
  ObjectSlot* o = SpawnTwoLanes(1);
  o->vars[6] = kFlipX;
  o->vars[7] = 20;
  Draw(o);
  std::vector<DrawCall> plain = {{0, &frames_[1], 5, 6, 100, 50}, {0, &frames_[0], 5, 6, 100, 50}};
  EXPECT_EQ(calls, plain);

  calls.clear();
  o->vars[0] = TypeId(AddType(3));
  ObjectType& t4 = *FindObjectType(o->vars[0]);
  GiveSprites(t4, &set_);
  t4.builtin_drawing = builtin_drawers[4];
  o->vars[6] = kFlipY;
  Draw(o);
  EXPECT_EQ(calls[0].routine, 2);

  calls.clear();
  t4.builtin_drawing = builtin_drawers[5];  // lane 1's parameter 1 names variable 7
  Draw(o);
  EXPECT_EQ(calls[1], (DrawCall{0, &frames_[0], 5, 6, 120, 50}));

  calls.clear();
  t4.builtin_drawing = builtin_drawers[6];
  o->vars[6] = kFlipX | kFlipY;
  Draw(o);
  EXPECT_EQ(calls[1], (DrawCall{3, &frames_[0], 5, 6, 80, 50}));
}

TEST_F(Drawers, MissingFramesDrawNothing) {
  ObjectSlot* o = SpawnTwoLanes(1);
  o->animation_ctx.frame_values[0] = 9;  // beyond the set
  o->vars[4] = 3;                        // no such set
  Draw(o);
  EXPECT_TRUE(calls.empty());
  o->vars[4] = 0;
  Draw(o);
  EXPECT_EQ(calls.size(), 1u);
}

TEST_F(Drawers, TileMapIsCentredAndShiftedByTheWrapCell) {
  std::vector<Tile> store(3);
  store[1].opaque = 1;
  tiles = store.data();
  tile_count = 3;
  ObjectType& t = AddType(8);
  t.builtin_drawing = builtin_drawers[7];
  ASSERT_TRUE(Spawn(TypeId(t), 100, 50));
  ObjectSlot* o = last_spawned_slot;
  int32_t words[] = {1, 0, 2, 1, 0, 1, 2, 9};  // m = 1: width 2, height 1, ids 1, 2
  for (int k = 0; k < 8; k++) o->vars[7 + k] = words[k];
  o->vars[8] = 2;
  o->vars[9] = 1;
  o->vars[11] = 1;
  o->vars[12] = 2;
  registers[47] = 1000;
  registers[49] = 2000;
  o->range_state = 2;  // up a wrap height and right a wrap width
  Draw(o);
  std::vector<DrawCall> want = {{10, &store[1], 5, 6, 1092, -1954}, {11, &store[2], 5, 6, 1100, -1954}};
  EXPECT_EQ(calls, want);
}

TEST_F(Drawers, DebugRowsOnlyWhilePlacing) {
  ObjectSlot* o = SpawnTwoLanes(2);
  AllocPlayerVars();
  current_player = &player_records[0];
  Draw(o);
  EXPECT_TRUE(calls.empty());
  PVar(current_player, kPvMovementMode) = 8;
  Draw(o);
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].x, 76);
  EXPECT_EQ(calls[3].x, 124);
  EXPECT_EQ(calls[3].what, &frames_[0]);
  current_player = &void_player;
}

}  // namespace tolv::test
