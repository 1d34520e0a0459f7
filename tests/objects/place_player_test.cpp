// Command 826 dropping a player onto solid ground with its camera, and
// command 1 freezing the world.
#include "object_fixture.h"
#include "objects/player_select.h"
#include "objects/players.h"
#include "world/tile.h"
#include "world/tile_plane.h"

namespace tolv::test {
namespace {

using V = std::vector<int32_t>;

// A plane 4 tiles wide and 50 high: a floor whose top pixel row is 300
// (tile row 37, lower half solid) and a wall in tile column 3 above row 20.
class PlacePlayerTest : public ObjectScriptTest {
 protected:
  std::vector<uint16_t> map = std::vector<uint16_t>(4 * 50, 0);
  TilePlane plane;
  SpriteFrame frame;
  SpriteSet set{&frame, 1};

  void SetUp() override {
    ObjectScriptTest::SetUp();
    ResizeTiles(3);
    for (int i = 0; i < 64; i++) {
      tiles[1].collision[i] = (i & 7) >= 4;  // rows 4 to 7
      tiles[2].collision[i] = 2;
    }
    for (int x = 0; x < 4; x++) map[37 * 4 + x] = 1;
    for (int y = 0; y < 20; y++) map[y * 4 + 3] = 2;
    plane.width = 4, plane.height = 50;
    plane.map = map.data();
    plane.cell_count = static_cast<uint32_t>(map.size());
    plane.map_cells = map.size();
    planes = &plane;
    plane_count = 1;
    frame.box = Box{-8, 8, -16, 16};
    character_count = 1;
    for (PlayerRecord& r : player_records) r.frames = &set;
    SelectPlayer(0);
  }
  void TearDown() override {
    planes = nullptr;
    plane_count = 0;
    ResizeTiles(0);
    ObjectScriptTest::TearDown();
  }
  static V Place(int32_t p, uint32_t x, uint32_t y, uint32_t direction, uint32_t camera = 0) {
    Exec({826, static_cast<uint32_t>(p), x, y, direction, camera});
    PlayerRecord* r = &player_records[p];
    return {PVar(r, kPvX), PVar(r, kPvY)};
  }
};

TEST_F(PlacePlayerTest, DropsOntoTheFirstSolidPixel) {
  EXPECT_EQ(Place(0, 16, 100, 1), (V{16, 284}));  // box bottom 16 on the floor row 300
  EXPECT_EQ(Place(0, 16, 400, 3), (V{16, 319}));  // up: the floor's last row 303, box top -16
  EXPECT_EQ(Place(0, 0, 50, 2), (V{16, 50}));     // right: the wall's first column 24, box right 8
  EXPECT_EQ(Place(0, 31, 50, 4), (V{39, 50}));    // left: its last column 31, box left -8
  EXPECT_EQ(Place(0, 16, 100, 5), (V{16, 100}));  // no such direction
  EXPECT_EQ(Place(0, 16, 330, 1), (V{16, 330}));  // nothing below: stays
  // Far below, only the plane and its copies a wrap size away are walked:
  // the copy below the plane holds the floor row 703.
  EXPECT_EQ(Place(0, 16, 1000000000, 3), (V{16, 719}));
  frame.box = Box{-8, -7, 0, 0};  // one pixel wide and no rows: nothing scanned
  EXPECT_EQ(Place(0, 16, 100, 1), (V{16, 100}));
  EXPECT_EQ(Place(0, 0, 50, 2), (V{0, 50}));
  PVar(&player_records[0], kPvPlane) = 1;  // no such plane
  frame.box = Box{-8, 8, -16, 16};
  EXPECT_EQ(Place(0, 16, 100, 1), (V{16, 100}));
}

TEST_F(PlacePlayerTest, PlacesTheCameraAcrossTheWrapSeam) {
  PlayerRecord* r = &player_records[1];
  PVar(r, kPvFlags) = 1 << 4;
  PVar(r, kPvPlane) = 0;
  registers[40] = 1;                   // player 1 wraps horizontally
  registers[24] = 0, registers[28] = 32, registers[48] = 32;
  registers[256] = -5;
  EXPECT_EQ(Place(1, kRegisterBit | 256, 200, 1, 1), (V{27, 284}));  // moved by the wrap width, then dropped
  EXPECT_EQ(PVar(r, kPvFollowX), 27 - 160);
  EXPECT_EQ(PVar(r, kPvFollowY), 284 - 112);
  EXPECT_EQ(registers[44], -32);  // the scroll offset keeps the parallax continuous
  EXPECT_EQ(registers[kRegPlayer], 0);
  EXPECT_EQ(current_player, &player_records[0]);
  EXPECT_EQ(Place(1, 16, 100, 1, 0), (V{16, 284}));
  EXPECT_EQ(PVar(r, kPvFollowX), 27 - 160);  // camera 0: the follow point stays
}

TEST_F(PlacePlayerTest, FreezeStopsBothPlayersAndKeepsTheSelection) {
  registers[kRegFreeze] = 0x100;
  SelectPlayer(1);
  Exec({1, 0});
  EXPECT_EQ(registers[kRegFreeze], 0x10F);
  EXPECT_EQ((V{PVar(&player_records[0], kPvControlMode), PVar(&player_records[1], kPvControlMode)}), (V{2, 2}));
  EXPECT_EQ(registers[kRegPlayer], 1);
  EXPECT_EQ(current_player, &player_records[1]);
  Exec({1, 1});
  EXPECT_EQ(registers[kRegFreeze], 0x100);
  EXPECT_EQ((V{PVar(&player_records[0], kPvControlMode), PVar(&player_records[1], kPvControlMode)}), (V{0, 0}));
}

}  // namespace
}  // namespace tolv::test
