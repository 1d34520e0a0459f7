// Wall and ceiling movement: round a loop, the same run turned a quarter,
// and players buried in solid terrain.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "objects/collision_passes.h"
#include "script/operands.h"
#include "terrain_art.h"
#include "terrain_kit.h"

namespace tolv::test {
namespace {

class WallTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartPhysics(); }
  void SetUp() override { kit.AddTiles(kTileArt); }
  TerrainKit kit;
};

constexpr const char* kSolid16x16 = R"(
################
################
################
################
################
################
################
################
################
################
################
################
################
################
################
################
)";

TEST_F(WallTest, LoopAtGroundSpeed6GoesRoundOnceThroughEveryMode) {
  kit.SetLevel(kSolid16x16);
  kit.CutLoop(64, 64, 48);
  PlacePlayer({.x = 64, .y = 104, .box = {-8, 8, -8, 8}, .ground_speed = 6 * 256});
  std::vector<int32_t> modes{0};
  bool round = false;
  for (int f = 0; f < 120 && !round; f++) {
    int32_t x = Word(kPvX), y = Word(kPvY);
    RunTrace(1, nullptr);
    ASSERT_LE(std::hypot(Word(kPvX) - x, Word(kPvY) - y), 6 + 2) << "frame " << f;
    ASSERT_NE(Word(kPvOnGround), 0) << "frame " << f;
    if (Word(kPvMovementMode) != modes.back()) modes.push_back(Word(kPvMovementMode));
    round = modes.size() == 5 && Word(kPvX) >= 64;
  }
  EXPECT_EQ(modes, (std::vector<int32_t>{0, 1, 2, 3, 0}));
  EXPECT_TRUE(round);
  EXPECT_GT(Word(kPvY), 64 + 32);  // on the floor of the loop again
}

// A run over slopes and steps, then the same terrain and player turned a
// quarter anticlockwise (the floor becomes a right wall, mode 1 with the
// turned box): every frame is the first run turned.
TEST_F(WallTest, TurnedTerrainGivesTheTurnedTrace) {
  kit.SetLevel(R"(
........................................
..........ab##cd........................
........ab######cd........hh............
......ab##########cd....hh##hh......###.
########################################
)");
  const int32_t w = kit.Width();
  auto run = [](int mode) {
    return RunTrace(120, [mode](int f) {
      int32_t forward = f < 80 ? 512 : -384;
      Word(kPvSpeedX) = mode == 0 ? forward : 0;
      Word(kPvSpeedY) = mode == 0 ? 0 : -forward;
    }, mode == 0 ? Gravity{0, 56} : Gravity{56, 0});
  };
  for (uint32_t flags : {kFollowSlopes | kLandOnFloor, kFollowSlopes | kLandOnFloor | kFullWallSensors}) {
    PlacePlayer({.x = 16, .y = 32, .flags = flags});
    std::istringstream floor(run(0));
    kit.TurnAnticlockwise();
    PlacePlayer({.x = 32, .y = w - 1 - 16, .flags = flags | kTurnedBox, .mode = 1});
    std::istringstream wall(run(1));
    kit.TurnAnticlockwise(), kit.TurnAnticlockwise(), kit.TurnAnticlockwise();  // back as drawn
    std::string a, b;
    int frames = 0;
    while (std::getline(floor, a) && std::getline(wall, b)) {
      int f, x, y, sx, sy, gs, mode, ground, angle;
      std::sscanf(a.c_str(), "%d x %d y %d sx %d sy %d gs %d mode %d ground %d angle %d", &f, &x, &y, &sx, &sy, &gs,
                  &mode, &ground, &angle);
      char turned[160];
      std::snprintf(turned, sizeof turned, "%3d x %4d y %4d sx %5d sy %5d gs %5d mode %d ground %3d angle %3d", f,
                    y, w - 1 - x, sy, -sx, gs, (mode + 1) & 3, ground, (angle + 192) & 255);
      ASSERT_EQ(b, turned) << "floor run: " << a << " flags " << flags;
      frames++;
    }
    EXPECT_EQ(frames, 120);
  }
}

// A player inside a fully solid plane, with and without wrap, at sane and
// absurd speeds: each call ends.
TEST_F(WallTest, BuriedPlayerEndsItsFrame) {
  kit.SetLevel(kSolid16x16);
  for (int mode = 0; mode < 4; mode++)
    for (int wrap = 0; wrap < 2; wrap++)
      for (int32_t speed : {512, INT32_MAX}) {
        PlacePlayer({.x = 64, .y = 64, .flags = ~0u & ~kTurnedBox, .mode = mode, .on_ground = wrap});
        registers[39] = registers[41] = wrap;
        Word(kPvSpeedX) = Word(kPvSpeedY) = Word(kPvGroundSpeed) = speed;
        RunTrace(2, nullptr);
        SUCCEED();
      }
}

}  // namespace
}  // namespace tolv::test
