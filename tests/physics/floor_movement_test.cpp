// Floor movement: golden traces of 120 frames over drawn terrain, reviewed
// and kept under golden/.
#include <gtest/gtest.h>

#include "script/operands.h"
#include "terrain_art.h"
#include "terrain_kit.h"

namespace tolv::test {
namespace {

class FloorTrace : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartPhysics(); }
  void SetUp() override { kit.AddTiles(kTileArt); }
  TerrainKit kit;
};

auto Jump(int frame, int32_t speed) {
  return [=](int f) {
    if (f != frame) return;
    Word(kPvOnGround) = 0;
    Word(kPvSpeedY) = speed;
  };
}

TEST_F(FloorTrace, FlatRun) {
  kit.SetLevel(R"(
........................................
........................................
........................................
########################################
)");
  PlacePlayer({.x = 16, .y = 24});
  ExpectGolden("flat_run", RunTrace(120, [](int) { Word(kPvGroundSpeed) = std::min(Word(kPvGroundSpeed) + 16, 640); }));
}

TEST_F(FloorTrace, Slopes22UpAndDown) {
  kit.SetLevel(R"(
........................................
..........ab##cd........................
........ab######cd......................
......ab##########cd....................
########################################
)");
  PlacePlayer({.x = 16, .y = 32, .ground_speed = 512});
  ExpectGolden("slopes_22", RunTrace(120, nullptr));
}

TEST_F(FloorTrace, Slopes45UpAndDown) {
  kit.SetLevel(R"(
........................................
............/##\........................
.........../####\.......................
........../######\......................
########################################
)");
  PlacePlayer({.x = 16, .y = 32, .ground_speed = 512});
  ExpectGolden("slopes_45", RunTrace(120, nullptr));
}

// Down a 4-pixel step (within the step height: the feet follow), then off
// a 12-pixel one (the player falls and lands).
TEST_F(FloorTrace, LedgesDown) {
  kit.SetLevel(R"(
........................................
........................................
........................................
........................................
########hhhhhhhh........................
################........................
########################################
)");
  PlacePlayer({.x = 16, .y = 32, .ground_speed = 512});
  ExpectGolden("ledges_down", RunTrace(120, nullptr));
}

// With full wall sensors: up a 4-pixel step in one pixel, then against a
// 12-pixel one, which is a wall; the player turns back at frame 80.
TEST_F(FloorTrace, LedgesUp) {
  kit.SetLevel(R"(
........................................
........................................
........................................
........................................
........................................
................########################
........hhhhhhhh########################
########################################
)");
  PlacePlayer({.x = 16, .y = 56, .flags = kGroundSpeedDrives | kFollowSlopes | kLandOnFloor | kFullWallSensors,
               .ground_speed = 512});
  ExpectGolden("ledges_up", RunTrace(120, [](int f) {
                 if (f == 80) Word(kPvGroundSpeed) = -512;
               }));
}

// Up through a platform from below, landing on it from above; then off its
// end and down to the floor.
TEST_F(FloorTrace, OneWayPlatform) {
  kit.SetLevel(R"(
........................................
........................................
........................................
........................................
........................................
......----------........................
........................................
........................................
########################################
)");
  PlacePlayer({.x = 40, .y = 64, .ground_speed = 384});
  ExpectGolden("one_way_platform", RunTrace(120, Jump(2, -1100)));
}

// Up a 45-degree ramp that ends in mid-air: the player launches at its top.
TEST_F(FloorTrace, RampLaunch) {
  kit.SetLevel(R"(
........................................
........................................
........................................
........................................
.........../............................
........../#............................
........./##............................
......../###............................
########################################
)");
  PlacePlayer({.x = 16, .y = 64, .ground_speed = 1024});
  ExpectGolden("ramp_launch", RunTrace(120, nullptr));
}

// Into a wall and stopped; from frame 60 walking back.
TEST_F(FloorTrace, WallStop) {
  kit.SetLevel(R"(
........................................
........................###.............
........................###.............
........................###.............
########################################
)");
  PlacePlayer({.x = 120, .y = 32, .ground_speed = 768});
  ExpectGolden("wall_stop", RunTrace(120, [](int f) {
                 if (f < 60) Word(kPvGroundSpeed) = 768;
                 else if (f == 60) Word(kPvGroundSpeed) = -512;
               }));
}

// The left level edge stops a run; turned round, the player runs off the
// floor into a pit, meets the right edge in the air and comes to rest on
// the bottom edge.
TEST_F(FloorTrace, LevelEdges) {
  kit.SetLevel(R"(
..............................
..............................
..............................
####################..........
)");
  PlacePlayer({.x = 64, .y = 24, .flags = kGroundSpeedDrives | kLandOnFloor | kEdgeLeft | kEdgeRight | kEdgeBottom,
               .ground_speed = -768});
  registers[29] = 96;  // the bottom limit lies below the plane
  ExpectGolden("level_edges", RunTrace(120, [](int f) {
                 if (f == 40) Word(kPvGroundSpeed) = 1024;
               }));
}

}  // namespace
}  // namespace tolv::test
