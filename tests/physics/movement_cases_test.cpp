// The movement rules one call at a time: motion angle, box, continuation,
// hand-overs, the world-tied airborne rules of the turned modes, plane 0,
// wrapping, the object pass and the documented quirks.
#include <gtest/gtest.h>

#include <array>

#include "objects/player_select.h"
#include "objects/collision_passes.h"
#include "script/operands.h"
#include "terrain_art.h"
#include "terrain_kit.h"

namespace tolv::test {
namespace {

class MovementCase : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartPhysics(); }
  void SetUp() override {
    kit.AddTiles(kTileArt);
    kit.AddTiles(R"(
q:150    z:0
######## ########
######## ########
######## ########
######## ########
######## ########
######## ########
######## ########
######## ########
)");
  }
  void TearDown() override { collide_player_with_objects = [] {}; }
  static void Move(uint8_t arg) {
    SelectPlayer(0);
    movement_routines[Word(kPvMovementMode)](arg);
  }
  TerrainKit kit;
};

TEST_F(MovementCase, MotionAngle) {
  const int32_t cases[][3] = {{0, 0, 40}, {1, 1, 32}, {-1, 0, 128}, {0, -1, 192}, {-1, -1, 160},
                              {256, 0, 0}, {0, 256, 64}, {INT32_MIN, INT32_MIN, 160}, {-300, 100, 115}};
  for (auto& c : cases) EXPECT_EQ(MotionAngle(c[0], c[1]), c[2]) << c[0] << ", " << c[1];
}

TEST_F(MovementCase, BoxFromTheFrame) {
  kit.SetLevel("#");
  struct Case {
    int32_t mode, flags, flip_h, frame;
    int32_t box[10];
  } cases[] = {
      {0, kTurnedBox, 0, 0, {-8, 8, -32, 0, -7, 7, -31, -1, 0, -16}},
      {1, kTurnedBox, 0, 0, {-32, 0, -8, 8, -31, -1, -7, 7, -16, 0}},
      {3, 0, 0, 0, {-8, 8, -32, 0, -7, 7, -31, -1, 0, -16}},
      {0, 0, 3, 0, {1, 17, -32, 0, 2, 16, -31, -1, 9, -16}},   // flip bit 0 picks the mirrored bounds
      {0, 0, 0, 5, {-1, 1, -1, 1, 0, 0, 0, 0, 0, 0}},         // no frame 5: a blank frame's box
  };
  for (const Case& c : cases) {
    PlacePlayer({.x = 4, .y = 0, .box = {-8, 8, -32, 0}, .flags = static_cast<uint32_t>(c.flags), .mode = c.mode});
    Box mirrored{1, 17, -32, 0};
    const_cast<SpriteFrame*>(player_records[0].frames->frames)->mirrored_box = mirrored;
    Word(kPvFlipX) = c.flip_h;
    player_records[0].main_ctx.frame_values[0] = static_cast<uint16_t>(c.frame);
    Move(2);
    EXPECT_EQ(std::vector<int32_t>(player_records[0].motion, player_records[0].motion + 10),
              std::vector<int32_t>(c.box, c.box + 10))
        << "mode " << c.mode << " flags " << c.flags << " flip " << c.flip_h;
  }
}

TEST_F(MovementCase, ContinuationAfterAHandOver) {
  kit.SetLevel(R"(
........
........
........
########
........
........
)");
  const int32_t cases[][4] = {
      // mode, pending before, pixels moved along the pending's axis, pending after
      {0, 300, 0, 44}, {0, -300, 0, -44}, {0, 256, 2, 0}, {1, -600, -1, -88}, {1, 256, 2, 0}, {3, 300, 0, 44}};
  for (auto& c : cases) {
    PlacePlayer({.x = 32, .y = c[0] ? 8 : 24, .flags = 0, .mode = c[0]});
    uint32_t along = c[0] & 1 ? kPvY : kPvX;
    int32_t before = Word(along);
    Word(along + kPvPendingX - kPvX) = c[1];
    Move(1);
    EXPECT_EQ(Word(along) - before, c[2]) << "mode " << c[0] << " pending " << c[1];
    EXPECT_EQ(Word(along + kPvPendingX - kPvX), c[3]) << "mode " << c[0] << " pending " << c[1];
  }
}

// Airborne contacts follow the world whatever the mode: a platform byte
// stops only a downward pixel; walls stop x and ground speed, floors and
// ceilings only y speed; the feet side lands.
TEST_F(MovementCase, TurnedAirborneContacts) {
  kit.SetLevel(R"(
......##........
......----......
................
..........##....
..........##....
..........##....
................
................
)");
  struct Case {
    int32_t mode, x, y, sx, sy;
    int32_t x_after, ground, sx_after, sy_after, gs_after;
  } cases[] = {
      {2, 76, 28, 0, -2048, 76, 0, 0, -2048, 99},  // feet up through a platform: no stop
      {2, 56, 28, 0, -2048, 56, 1, 0, 0, 99},      // feet up onto solid: lands on hit_up
      {0, 76, 4, 0, 1024, 76, 1, 0, 0, 99},        // falling onto a platform lands
      {1, 70, 36, 2048, 0, 74, 1, 0, 0, 0},        // mode 1 into its feet wall: x and ground speed stop, lands
      {1, 70, 36, -1024, 0, 66, 0, -1024, 0, 99},  // away from it: nothing
      {3, 70, 36, 2048, 0, 74, 0, 0, 0, 0},        // mode 3: the same wall is its head side
  };
  for (const Case& c : cases) {
    PlacePlayer({.x = c.x, .y = c.y, .flags = kLandOnFloor, .mode = c.mode, .on_ground = 0, .ground_speed = 99});
    Word(kPvSpeedX) = c.sx;
    Word(kPvSpeedY) = c.sy;
    Move(0);
    EXPECT_EQ(Word(kPvX), c.x_after) << "case mode " << c.mode << " at " << c.x << "," << c.y;
    EXPECT_EQ(Word(kPvOnGround), c.ground) << "case mode " << c.mode << " at " << c.x << "," << c.y;
    EXPECT_EQ(Word(kPvSpeedX), c.sx_after) << "case mode " << c.mode << " at " << c.x << "," << c.y;
    EXPECT_EQ(Word(kPvSpeedY), c.sy_after) << "case mode " << c.mode << " at " << c.x << "," << c.y;
    EXPECT_EQ(Word(kPvGroundSpeed), c.gs_after) << "case mode " << c.mode << " at " << c.x << "," << c.y;
  }
}

// A wall mode takes its reference angle for a flat wall, never 0; a tile
// of 150 under mode 1's leading foot hands the player to the ceiling.
TEST_F(MovementCase, WallAnglesAndHandOver) {
  kit.SetLevel(R"(
..........q#..........
..........q#..........
..........##..........
..........##..........
..........##..........
)");
  const int32_t cases[][6] = {
      // mode, x, y, speed_y, then mode and ground angle after
      {1, 74, 32, -256, 1, 192}, {3, 101, 24, 256, 3, 64}, {1, 74, 24, -256, 2, 150}};
  for (auto& c : cases) {
    PlacePlayer({.x = c[1], .y = c[2], .flags = kFollowSlopes | kLandOnFloor, .mode = c[0]});
    Word(kPvSpeedY) = c[3];
    Move(0);
    EXPECT_EQ(Word(kPvMovementMode), c[4]) << "case " << c[0] << " at " << c[2];
    EXPECT_EQ(Word(kPvGroundAngle), c[5]) << "case " << c[0] << " at " << c[2];
  }
}

// Probes wrap once: by the view's wrap when it wraps, else by the plane's
// size; what still lies outside reads empty. On plane 0 the player is
// pushed out but records no contact.
TEST_F(MovementCase, WrapAndPlaneZero) {
  kit.SetLevel(R"(
................
................
................
..........##...#
)");
  const int32_t cases[][4] = {
      // wrap, x, plane, on the ground after
      {0, 24, 1, 0}, {1, 24, 1, 1}, {0, -4, 1, 1}, {0, 210, 1, 1}, {0, 340, 1, 0},
      {1, 40, 1, 0}, {0, 84, 1, 1}, {0, 84, 0, 0}};
  for (auto& c : cases) {
    PlacePlayer({.x = c[1], .y = 24, .flags = kLandOnFloor});
    Word(kPvPlane) = c[2];
    registers[39] = c[0];
    registers[23] = 32, registers[27] = 96, registers[47] = 64;
    Move(0);
    EXPECT_EQ(Word(kPvOnGround), c[3]) << "wrap " << c[0] << " x " << c[1] << " plane " << c[2];
  }
  PlacePlayer({.x = 84, .y = 20, .flags = kLandOnFloor, .on_ground = 0});
  Word(kPvPlane) = 0;
  Word(kPvSpeedY) = 2048;
  Move(0);
  EXPECT_EQ(Word(kPvY), 24);  // fell into the floor and was pushed back out
  EXPECT_EQ(Word(kPvHitDown), 0);
}

// With the level wrap off, a sensor one pixel before the plane's start
// reads its last column or row: a player at 3 moving one pixel towards 0
// is stopped by the solid far edge of a 32-pixel plane.
TEST_F(MovementCase, SensorsBeforeThePlaneReadItsFarEdge) {
  kit.AddTiles(R"(
r:0      u:0
.......# ........
.......# ........
.......# ........
.......# ........
.......# ........
.......# ........
.......# ........
.......# ########
)");
  struct Case {
    const char* level;
    int axis;  // of the move: 0 left, 1 up
    uint32_t hit;
  } cases[] = {{"...r\n...r\n...r\n...r", 0, kPvHitLeft}, {"....\n....\n....\nuuuu", 1, kPvHitUp}};
  for (const Case& c : cases) {
    kit.SetLevel(c.level);
    PlacePlayer({.x = 3, .y = 3, .box = {-4, 4, -4, 4}, .step_height = 0, .wall_top_inset = 0, .on_ground = 0});
    Word(c.axis ? kPvSpeedY : kPvSpeedX) = -256;
    Move(0);
    EXPECT_EQ(Word(c.hit), 1) << c.level;
    EXPECT_EQ(Word(kPvX), 3) << c.level;
    EXPECT_EQ(Word(kPvY), 3) << c.level;
  }
}

// A loaded plane's cell count may end at its other-axis wrap; the floor
// below it is still there to land on.
TEST_F(MovementCase, FloorPastTheCellCountHolds) {
  kit.SetLevel("....\n....\n....\n####");
  planes[1].cell_count = 2 * 4;
  PlacePlayer({.x = 16, .y = 20, .flags = kLandOnFloor, .on_ground = 0});
  Word(kPvSpeedY) = 2048;
  Move(0);
  EXPECT_EQ(Word(kPvY), 24);
  EXPECT_EQ(Word(kPvOnGround), 1);
}

// One call steps at most 65536 pixels; what it leaves unstepped is
// dropped, bar the sub-pixel part, so a huge speed keeps its direction
// frame after frame instead of piling up pending movement until it wraps.
TEST_F(MovementCase, UnsteppedPixelsAreDropped) {
  kit.SetLevel("....");
  struct Case {
    int32_t speed, step;  // speed x, pixels moved each frame
    int32_t pending[3];   // after each frame
  } cases[] = {{1 << 30, 65536, {0, 0, 0}},
               {-(1 << 24) - 356, -65536, {-100, -200, -44}},
               {(1 << 24) + 100, 65536, {100, 200, 44}}};  // 65537 pixels only in the third
  for (const Case& c : cases) {
    PlacePlayer({.x = 0, .y = 0, .flags = 0, .on_ground = 0});
    Word(kPvSpeedX) = c.speed;
    for (int frame = 0; frame < 3; frame++) {
      Move(0);
      EXPECT_EQ(Word(kPvX), c.step * (frame + 1)) << c.speed << " frame " << frame;
      EXPECT_EQ(Word(kPvPendingX), c.pending[frame]) << c.speed << " frame " << frame;
    }
  }
}

// The object pass: the other axis' pending is parked during airborne
// steps; the ground pass sees the player pressing down and may give the
// ground angle; a mode it sets continues the step when it neighbours.
TEST_F(MovementCase, ObjectPass) {
  kit.SetLevel(R"(
................
................
................
################
)");
  static std::vector<std::array<int32_t, 3>> seen;  // pending x, pending y, mode
  static int32_t set_mode = -1;
  collide_player_with_objects = [] {
    seen.push_back({Word(kPvPendingX), Word(kPvPendingY), Word(kPvMovementMode)});
    if (object_ground_angle == kNoAngle) object_ground_angle = 40;
    if (set_mode >= 0) Word(kPvMovementMode) = set_mode, set_mode = -1;
  };
  PlacePlayer({.x = 40, .y = 0, .flags = kLandOnFloor, .on_ground = 0});
  Word(kPvSpeedX) = 700;
  Word(kPvSpeedY) = 900;
  Move(0);
  ASSERT_GT(seen.size(), 2u);
  for (size_t i = 0; i + 1 < seen.size(); i++) EXPECT_TRUE(seen[i][0] == 0 || seen[i][1] == 0) << i;
  EXPECT_GE(seen.back()[1], 256);  // the settle's ground pass: pressing down
  EXPECT_EQ(Word(kPvParkedX) | Word(kPvParkedY), 0);

  PlacePlayer({.x = 40, .y = 24, .flags = kLandOnFloor});
  Word(kPvPendingY) = -100;
  seen.clear();
  Move(0);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0][1], 256);
  EXPECT_EQ(Word(kPvPendingY), 0);
  EXPECT_EQ(Word(kPvGroundAngle), 40);

  for (int32_t mode : {2, 1}) {
    PlacePlayer({.x = 40, .y = 24, .flags = kLandOnFloor});
    Word(kPvSpeedX) = 512;
    seen.clear();
    set_mode = mode;
    Move(0);
    EXPECT_EQ(Word(kPvX), 40) << "mode " << mode;
    EXPECT_EQ(seen.back()[2], mode == 1 ? 1 : 0) << "mode " << mode;  // only a neighbour runs on
  }
}

// Quirks kept: a step height of 255 scans no rows below the feet; a
// player that lands and leaves the ground in one call gets its speeds
// added twice; a wall behind a player pushed away from it uses up the
// pixel without stopping it.
TEST_F(MovementCase, Quirks) {
  kit.SetLevel(R"(
................
................
....#...........
....#...hhhh....
################
)");
  for (uint8_t sh : {6, 255}) {
    PlacePlayer({.x = 99, .y = 28, .step_height = sh, .ground_speed = 768});
    Move(0);
    EXPECT_EQ(Word(kPvY), sh == 255 ? 28 : 32) << "step height " << int{sh};
    EXPECT_EQ(Word(kPvOnGround), sh == 255 ? 0 : 1) << "step height " << int{sh};
  }

  PlacePlayer({.x = 40, .y = 14, .on_ground = 0, .ground_speed = 1024});
  Word(kPvSpeedY) = 1024;
  Word(kPvGroundAngle) = 224;  // set before; lets the walk launch off the pillar
  Move(0);
  // Two pixels falling, one walking off the pillar, then the 256 left and
  // the x speed once more: eight pixels where the speed gives four.
  EXPECT_EQ(Word(kPvX), 40 + 8);
  EXPECT_EQ(Word(kPvPendingX), 0);

  for (int32_t speed : {100, -100}) {
    PlacePlayer({.x = 45, .y = 32, .flags = kLandOnFloor, .ground_speed = 5});
    Word(kPvSpeedX) = speed;
    Word(kPvPendingX) = -512;
    Move(2);
    EXPECT_EQ(Word(kPvX), 45) << speed;
    EXPECT_EQ(Word(kPvSpeedX), speed < 0 ? 0 : speed) << speed;
    EXPECT_EQ(Word(kPvGroundSpeed), speed < 0 ? 0 : 5) << speed;
    EXPECT_EQ(Word(kPvPendingX), 0) << speed;
  }
}

}  // namespace
}  // namespace tolv::test
