#include "objects/collision_passes.h"
#include "physics/physics_routines.h"
#include "world/tile.h"
#include "world/tile_plane.h"
#include "../objects/object_world.h"

namespace tolv::test {

class Movers : public ObjectWorld {
 protected:
  void SetUp() override {
    ObjectWorld::SetUp();
    InstallPhysicsRoutines();
    frame_ = SpriteFrame{};
    frame_.width = frame_.height = 16;
    frame_.box = frame_.mirrored_box = Box{-8, 8, -16, 0};  // feet at y
    set_ = SpriteSet{&frame_, 1};
  }
  void TearDown() override {
    tiles = nullptr;
    tile_count = 0;
    planes = nullptr;
    plane_count = 0;
    run_projectile_collision_pass = [] {};
    ObjectWorld::TearDown();
  }
  // A type with one running Animation lane showing frame_, 12 own variables
  // (words 7-18) and the given mover.
  ObjectSlot* SpawnMover(int kind, int32_t x, int32_t y) {
    ObjectType& t = AddType(12);
    t.builtin_movement = builtin_movers[kind];
    GiveSprites(t, &set_);
    GiveAnimation(t, {AddLoop(kAnimationCode)});
    EXPECT_TRUE(Spawn(TypeId(t), x, y));
    return last_spawned_slot;
  }
  void Frame(ObjectSlot* o, int n = 1) {
    for (int i = 0; i < n; i++) {
      running_slot = o;
      o->mover();
    }
    running_slot = &void_slot;
  }
  // 16 x 8 tiles: tile 0 empty, 1 solid (2), 2 floor only (1), 3 solid
  // in its lower half, 4 solid in its upper half.
  void BuildLevel() {
    tile_store_.assign(5, Tile{});
    for (int x = 0; x < 8; x++)
      for (int y = 0; y < 8; y++) {
        tile_store_[1].collision[x * 8 + y] = 2;
        tile_store_[2].collision[x * 8 + y] = 1;
        tile_store_[3].collision[x * 8 + y] = y >= 4 ? 2 : 0;
        tile_store_[4].collision[x * 8 + y] = y < 4 ? 2 : 0;
      }
    tiles = tile_store_.data();
    tile_count = 5;
    map_.assign(16 * 8, 0);
    plane_ = TilePlane{};
    plane_.width = 16;
    plane_.height = 8;
    plane_.map = map_.data();
    plane_.cell_count = 16 * 8;
    plane_.map_cells = map_.size();
    planes = &plane_;
    plane_count = 1;
  }
  void SetTile(int tx, int ty, uint16_t id) { map_[ty * 16 + tx] = id; }
  void Floor(int from_tx, int to_tx, int ty) {
    for (int x = from_tx; x < to_tx; x++)
      for (int y = ty; y < 8; y++) SetTile(x, y, 1);
  }

  SpriteFrame frame_;
  SpriteSet set_;
  std::vector<Tile> tile_store_;
  std::vector<uint16_t> map_;
  TilePlane plane_;
};

TEST_F(Movers, FixedPointCarryRule) {
  ObjectSlot* o = SpawnMover(2, 100, 50);
  o->vars[9] = -1;
  Frame(o, 255);
  EXPECT_EQ(o->vars[1], 100);
  EXPECT_EQ(o->vars[11], -255);
  Frame(o);
  EXPECT_EQ(o->vars[1], 99);
  EXPECT_EQ(o->vars[11], 0);
  o->vars[10] = 512;
  Frame(o, 3);
  EXPECT_EQ(o->vars[2], 56);
  EXPECT_EQ(o->vars[12], 0);
  o->vars[9] = 0;
  o->vars[10] = 0;
  o->vars[14] = 128;  // acceleration reaches the speed after the step
  Frame(o, 3);
  EXPECT_EQ(o->vars[10], 384);
  EXPECT_EQ(o->vars[2], 57);
  EXPECT_EQ(object_box_left, -8);
  EXPECT_EQ(object_box_inner_right, 7);
}

TEST_F(Movers, ProjectileStopsWhenAPassDeletesIt) {
  ObjectSlot* o = SpawnMover(3, 10, 10);
  o->vars[9] = 256 * 5;
  static int passes;
  static ObjectSlot* victim;
  passes = 0;
  victim = o;
  run_projectile_collision_pass = [] {
    if (++passes == 3) victim->vars[0] = 0;
  };
  Frame(o);
  EXPECT_EQ(passes, 3);
  EXPECT_EQ(o->vars[1], 12);
}

TEST_F(Movers, AbsurdSpeedsStepABoundedDistance) {
  ObjectSlot* o = SpawnMover(3, 0, 0);
  o->vars[9] = INT32_MAX;
  static int passes;
  passes = 0;
  run_projectile_collision_pass = [] { passes++; };
  Frame(o);
  EXPECT_EQ(o->vars[1], kMaxStepsPerFrame);
  EXPECT_EQ(passes, kMaxStepsPerFrame + 1);  // one per pixel and the last
}

TEST_F(Movers, ProjectileSweepStopsWhenAHitTurnsItAround) {
  ObjectSlot* o = SpawnMover(3, 10, 10);
  o->vars[9] = 256 * 4;
  static ObjectSlot* bullet;
  static int passes;
  bullet = o;
  passes = 0;
  run_projectile_collision_pass = [] {
    if (++passes == 2) bullet->vars[9] = -256;
  };
  Frame(o);
  EXPECT_EQ(o->vars[1], 11);
  EXPECT_EQ(projectile_view, 0);  // (10, 10) lies in view 0 at camera (0, 0)
}

TEST_F(Movers, WalkerLandsOnFloorAndStaysThere) {
  BuildLevel();
  Floor(0, 16, 6);  // solid from y 48
  ObjectSlot* o = SpawnMover(4, 40, 30);
  o->vars[6] = kFollowFloors;
  o->vars[10] = 256 * 3;
  o->vars[14] = 64;
  Frame(o, 20);
  EXPECT_EQ(o->vars[2], 48);
  EXPECT_TRUE(o->vars[6] & kOnFloor);
  Frame(o, 5);
  EXPECT_EQ(o->vars[2], 48);
}

TEST_F(Movers, WalkerBumpsCeilingWhileRising) {
  BuildLevel();
  for (int x = 0; x < 16; x++) SetTile(x, 1, 1);  // ceiling rows 8-15
  ObjectSlot* o = SpawnMover(4, 40, 40);
  o->vars[6] = kProbeCeilings;
  o->vars[10] = -256 * 4;
  Frame(o, 10);
  EXPECT_EQ(o->vars[2], 31);  // the top row touches the ceiling, as feet touch floors
  EXPECT_TRUE(o->vars[6] & kUnderCeiling);
}

TEST_F(Movers, WalkerStopsAtWall) {
  BuildLevel();
  Floor(0, 16, 6);
  for (int y = 0; y < 6; y++) SetTile(10, y, 1);  // wall from x 80
  ObjectSlot* o = SpawnMover(4, 60, 48);
  o->vars[6] = kFollowFloors | kProbeWalls;
  o->vars[9] = 256;
  o->vars[17] = 4;
  Frame(o, 30);
  EXPECT_EQ(o->vars[1], 72);
  EXPECT_TRUE(o->vars[6] & kWallRight);
  EXPECT_EQ(o->vars[2], 48);
}

TEST_F(Movers, WalkerStopsAtLedge) {
  BuildLevel();
  Floor(0, 8, 6);  // floor ends at x 64
  ObjectSlot* o = SpawnMover(4, 50, 48);
  o->vars[6] = kFollowFloors | kStopAtLedges;
  o->vars[9] = 256;
  o->vars[18] = 4;
  Frame(o, 20);
  EXPECT_EQ(o->vars[1], 56);
  EXPECT_EQ(o->vars[16], 1);
  EXPECT_EQ(o->vars[2], 48);
}

TEST_F(Movers, WalkerClimbsAStepAndWalksDownIt) {
  BuildLevel();
  Floor(0, 16, 6);
  for (int x = 8; x < 16; x++) SetTile(x, 5, 3);  // solid from y 44 beyond x 64
  ObjectSlot* o = SpawnMover(4, 50, 48);
  o->vars[6] = kFollowFloors;
  o->vars[9] = 256;
  o->vars[17] = 8;
  Frame(o, 20);
  EXPECT_EQ(o->vars[1], 70);
  EXPECT_EQ(o->vars[2], 44);
  o->vars[9] = -256;
  Frame(o, 20);
  EXPECT_EQ(o->vars[1], 50);
  EXPECT_EQ(o->vars[2], 48);
}

TEST_F(Movers, WalkerBacksOutOfASqueeze) {
  BuildLevel();
  Floor(0, 16, 6);
  for (int x = 9; x < 16; x++) SetTile(x, 4, 4);  // ceiling rows 32-35 from x 72
  ObjectSlot* o = SpawnMover(4, 60, 48);
  o->vars[6] = kFollowFloors | kProbeCeilings;
  o->vars[9] = 256;
  o->vars[17] = 8;
  Frame(o, 20);
  EXPECT_EQ(o->vars[1], 71);
  EXPECT_TRUE(o->vars[6] & kWallRight);
  EXPECT_TRUE(o->vars[6] & kUnderCeiling);
  EXPECT_EQ(o->vars[2], 48);
  // Without a floor under it the ceiling pushes the walker down instead.
  ObjectSlot* q = SpawnMover(4, 70, 48);
  q->vars[6] = kProbeCeilings;
  q->vars[9] = 256;
  q->vars[17] = 8;
  Frame(q, 2);
  EXPECT_EQ(q->vars[1], 72);
  EXPECT_EQ(q->vars[2], 52);
}

TEST_F(Movers, WalkerWithoutLanesOrParametersDoesNothing) {
  BuildLevel();
  ObjectType& t = AddType(2);  // too few variables for a walker
  t.builtin_movement = builtin_movers[4];
  GiveAnimation(t, {AddLoop(kAnimationCode)});
  ASSERT_TRUE(Spawn(TypeId(t), 5, 5));
  ObjectSlot* o = last_spawned_slot;
  Frame(o, 3);
  EXPECT_EQ(o->vars[1], 5);
  tile_count = 1;  // ids beyond the tile set read as empty
  Floor(0, 16, 0);
  EXPECT_EQ(ProbeCollision(10, 10), 0);
  EXPECT_EQ(ProbeCollision(-1, 10), 0);
  EXPECT_EQ(ProbeCollision(200, 10), 0);
}

}  // namespace tolv::test
