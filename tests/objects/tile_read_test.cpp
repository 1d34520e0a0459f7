// Reading tiles under a point of a plane or of an object's own map, from
// every operand place; copying a plane block into an object's map; plane
// visibility through plane objects.
#include <vector>

#include "object_world.h"
#include "world/level.h"
#include "world/tile.h"

namespace tolv::test {
namespace {

constexpr uint32_t R = kRegisterBit;
using Out = std::vector<int32_t>;

// Tile 1: floor 11, angle 21; tile 2: floor 12, angle 22; tile 3: floor
// 13; collision byte of pixel (x, y) = x * 8 + y + 1 in tiles 1 and 2.
// Plane 0 is all tile 3; plane 1 holds 100 + column in row 0, 1000 x row
// + column below, and tile 2 at cell (11, 5). Both are 100 x 8 tiles.
// The running object M at (100, 50) has a 4 x 2 map at type variable 1:
// rows {1, 2, 3, 70000} and {2, 1, 0, 5}, its top-left at (84, 42). The
// PA player and the OA object O stand at (90, 40); hot spot 1 is (4, 5)
// plain and (-3, -2) mirrored. So (94, 45) is pixel (6, 5) of plane 1's
// tile 2, and pixel (10, 3) of M's map, in its tile 2.
class TileReads : public ObjectWorld {
 protected:
  SpriteFrame frame_;
  HotSpot spots_[2] = {{0, 0}, {4, 5}}, mirrored_[2] = {{0, 0}, {-3, -2}};
  SpriteSet set_{&frame_, 1};
  ObjectSlot *m_ = nullptr, *o_ = nullptr, *d_ = nullptr;

  void SetUp() override {
    ObjectWorld::SetUp();
    AllocPlayerVars();
    ResizeTiles(4);
    for (int i = 1; i <= 3; i++) {
      tiles[i].floor = static_cast<uint8_t>(10 + i);
      tiles[i].angle = static_cast<uint8_t>(20 + i);
    }
    for (int k = 0; k < 64; k++) tiles[1].collision[k] = tiles[2].collision[k] = static_cast<uint8_t>(k + 1);
    PlaneList next;
    for (int n = 0; n < 3; n++) {
      TilePlane* p = next.Add(kPlaneFlat, n < 2 ? 100 : 2, n < 2 ? 8 : 2);
      for (uint32_t y = 0; y < p->height; y++)
        for (uint32_t x = 0; x < p->width; x++) *PlaneCell(*p, x, y) = uint16_t(n ? (y ? 1000 * y + x : 100 + x) : 3);
    }
    *PlaneCell(next.planes[1], 11, 5) = 2;
    SwapLevelPlanes(next);

    frame_.hotspot_count = 2;
    frame_.hotspots = spots_;
    frame_.mirrored_hotspots = mirrored_;
    ObjectType& t = AddType(16);
    GiveSprites(t, &set_);
    GiveAnimation(t, {AddLoop(kAnimationCode)});
    for (ObjectSlot** s : {&m_, &o_, &d_}) {
      EXPECT_TRUE(Spawn(TypeId(t), 90, 40));
      *s = last_spawned_slot;
    }
    SetMap(m_, 100, 50, {4, 2, 0, 1, 2, 3, 70000, 2, 1, 0, 5});
    running_slot = m_;
    player_records[0].frames = &set_;
    PVar(&player_records[0], kPvX) = 90;
    PVar(&player_records[0], kPvY) = 40;
    player_operand_a = &player_records[0];
    player_operand_d = &player_records[1];
    object_operand_a = o_;
    object_operand_d = d_;
  }
  void TearDown() override {
    running_slot = object_operand_a = object_operand_d = &void_slot;
    player_operand_a = player_operand_d = &void_player;
    FreeLevel();
    ResizeTiles(0);
    ObjectWorld::TearDown();
  }
  // o at (x, y) with its map at type variable 1: width, height, layer, ids.
  static void SetMap(ObjectSlot* o, int32_t x, int32_t y, std::vector<int32_t> map) {
    o->vars[1] = x;
    o->vars[2] = y;
    o->vars[7] = 1;
    std::copy(map.begin(), map.end(), o->vars + 8);
  }
  static void Exec(std::vector<uint32_t> words) {
    words.resize(8);
    current_instruction = words.data();
    script_commands[words[0]]();
  }
  // Plane tile read from registers into registers 260..263.
  static Out ReadPlane(int32_t x, int32_t y, int32_t plane) {
    registers[256] = x;
    registers[257] = y;
    registers[258] = plane;
    std::fill(registers + 260, registers + 264, -1);
    Exec({827, 256, 257, 258, 260, 261, 262, 263});
    return Out(registers + 260, registers + 264);
  }
  static Out ReadMap(int32_t x, int32_t y) {
    registers[256] = x;
    registers[257] = y;
    std::fill(registers + 260, registers + 264, -1);
    Exec({1202, 256, 257, 0, 260, 261, 262, 263});
    return Out(registers + 260, registers + 264);
  }
};

TEST_F(TileReads, EveryVariantReadsTheFourOutputsFromItsPlaces) {
  registers[256] = 94, registers[257] = 45, registers[258] = 1;
  PlayerVar(player_operand_a, 2) = 94, PlayerVar(player_operand_a, 3) = 45, PlayerVar(player_operand_a, 4) = 1;
  o_->vars[19] = 94, o_->vars[20] = 45, o_->vars[21] = 1;
  const std::vector<uint32_t> sources[5] = {{256, 257, 258}, {2, 3, 4}, {19, 20, 21}, {1, 1, 4}, {1, 1, 21}};
  const uint32_t outs[3] = {260, 10, 19};  // first of four: register, PD variable, OD variable
  auto out_cell = [&](int place, int k) -> int32_t& {
    if (place == 0) return registers[260 + k];
    if (place == 1) return PlayerVar(player_operand_d, 10 + k);
    return d_->vars[19 + k];
  };
  struct Family {
    uint32_t first;
    Out expected;
  } families[] = {{827, {2, 12, 22, 54}}, {1202, {2, 12, 22, 20}}};
  for (const Family& f : families)
    for (int place = 0; place < 3; place++)
      for (int s = 0; s < 5; s++) {
        uint32_t id = f.first + 5 * place + s;
        for (int k = 0; k < 4; k++) out_cell(place, k) = -1;
        Exec({id, sources[s][0], sources[s][1], sources[s][2], outs[place], outs[place] + 1, outs[place] + 2,
              outs[place] + 3});
        Out got;
        for (int k = 0; k < 4; k++) got.push_back(out_cell(place, k));
        EXPECT_EQ(got, f.expected) << "command " << id;
      }
}

TEST_F(TileReads, HotSpotsArePlainOrMirroredPerAxis) {
  struct Case {
    int32_t box_flip_x, flip_x, box_flip_y, flip_y, x, y;
  } player_cases[] = {
      {0, 0, 0, 0, 94, 45}, {1, 0, 0, 0, 87, 45}, {1, 1, 0, 1, 94, 38}, {0, 0, 1, 0, 94, 38}};
  PlayerRecord* p = player_operand_a;
  for (const Case& c : player_cases) {
    PVar(p, kPvBoxFlipX) = c.box_flip_x, PVar(p, kPvFlipX) = c.flip_x;
    PVar(p, kPvBoxFlipY) = c.box_flip_y, PVar(p, kPvFlipY) = c.flip_y;
    Exec({830, 1, 1, 4, 260, 261, 262, 263});
    EXPECT_EQ(Out({tile_probe_x, tile_probe_y}), Out({c.x, c.y}));
  }
  const int32_t object_cases[4][2] = {{94, 45}, {87, 45}, {94, 38}, {87, 38}};
  for (int bits = 0; bits < 4; bits++) {
    o_->vars[6] = bits;
    Exec({831, 1, 1, 21, 260, 261, 262, 263});
    EXPECT_EQ(Out({tile_probe_x, tile_probe_y}), Out({object_cases[bits][0], object_cases[bits][1]}));
  }
  Exec({831, 7, 1, 21, 260, 261, 262, 263});  // no hot spot 7: no offset on x
  EXPECT_EQ(Out({tile_probe_x, tile_probe_y}), Out({90, 38}));
}

TEST_F(TileReads, PlaneReadWrapsOnceAtBothEdgesAndChecksPlaneAndTile) {
  struct Case {
    int32_t x, y, id;
  } off[] = {{-8, 0, 199}, {800, 0, 100}, {799, 0, 199}, {0, -1, 7000}, {8, 64, 101}, {1700, 0, 0}, {5, -65, 0}};
  for (const Case& c : off) EXPECT_EQ(ReadPlane(c.x, c.y, 1)[0], c.id) << c.x << "," << c.y;
  EXPECT_EQ(tile_probe_y, -1);  // the wrapped point, even outside
  registers[kRegWrapX] = 1;
  registers[kRegLimitLeft] = 0;
  registers[kRegLimitRight] = 640;
  registers[kRegWrapWidth] = 640;
  Case on[] = {{645, 0, 100}, {640, 0, 100}, {639, 0, 179}, {-1, 0, 179}, {-3, 0, 179}, {-8, 0, 179}, {-641, 0, 0}};
  for (const Case& c : on) EXPECT_EQ(ReadPlane(c.x, c.y, 1)[0], c.id) << c.x;
  EXPECT_EQ(ReadPlane(645, 0, 1), Out({100, 0, 0, 0}));
  EXPECT_EQ(tile_probe_x, 5);
  registers[kRegPlayer] = 1;  // player 1 has no wrap
  EXPECT_EQ(ReadPlane(-8, 0, 1)[0], 199);
  EXPECT_EQ(ReadPlane(94, 45, 256 + 1), Out({2, 12, 22, 54}));  // plane indexes use the low 8 bits
  EXPECT_EQ(tile_probe_plane, 1);
  EXPECT_EQ(ReadPlane(94, 45, 3), Out(4, 0));             // no plane 3
  EXPECT_EQ(ReadPlane(16, 8, 1), Out({1002, 0, 0, 0}));  // beyond the tile set: the id only
}

TEST_F(TileReads, ObjectMapReadInsideAndOutside) {
  EXPECT_EQ(ReadMap(84, 42), Out({1, 11, 21, 1}));
  EXPECT_EQ(Out({tile_probe_x, tile_probe_y}), Out({0, 0}));
  EXPECT_EQ(ReadMap(115, 57), Out({5, 0, 0, 0}));
  EXPECT_EQ(ReadMap(114, 42), Out({70000, 0, 0, 0}));
  for (auto [x, y] : {std::pair{116, 50}, {83, 42}, {84, 58}, {100, 41}}) EXPECT_EQ(ReadMap(x, y), Out(4, 0));
  EXPECT_EQ(Out({tile_probe_x, tile_probe_y}), Out({16, -1}));
  m_->vars[8] = 9;  // 9 x 2 ids no longer fit the block
  EXPECT_EQ(ReadMap(84, 42), Out(4, 0));
  running_slot = &void_slot;
  EXPECT_EQ(ReadMap(84, 42), Out(4, 0));
}

TEST_F(TileReads, PlaneBlockIntoObjectMapIsClippedToThePlane) {
  SetMap(d_, 0, 0, {3, 2, 0, -5, -5, -5, -5, -5, -5});
  registers[256] = 98;
  Exec({1440, 1, R | 256, 0});
  EXPECT_EQ(Out(d_->vars + 11, d_->vars + 17), Out({198, 199, -5, 1098, 1099, -5}));
  Exec({1440, 1, 10, 4});
  EXPECT_EQ(Out(d_->vars + 11, d_->vars + 17), Out({4010, 4011, 4012, 5010, 2, 5012}));
  Exec({1440, 1, 0, 7});  // the last row, then nothing
  EXPECT_EQ(Out(d_->vars + 11, d_->vars + 17), Out({7000, 7001, 7002, 5010, 2, 5012}));
  Exec({1440, 5, 0, 0});  // no plane 5
  d_->vars[9] = 9;        // 3 x 9 ids do not fit
  Exec({1440, 1, 0, 0});
  EXPECT_EQ(Out(d_->vars + 11, d_->vars + 17), Out({7000, 7001, 7002, 5010, 2, 5012}));
}

// A loaded plane's cell count may stop at its other-axis wrap (here after
// row 2); the rows below still hold its cells, and the reads reach them.
TEST_F(TileReads, RowsPastTheCellCountReadAsStored) {
  planes[1].cell_count = 3 * 100;
  EXPECT_EQ(ReadPlane(94, 45, 1), Out({2, 12, 22, 54}));
  SetMap(d_, 0, 0, {2, 1, 0, -5, -5});
  Exec({1440, 1, 10, 5});
  EXPECT_EQ(Out(d_->vars + 11, d_->vars + 13), Out({5010, 2}));
}

TEST_F(TileReads, PlaneVisibilityThroughPlaneObjects) {
  for (auto [plane, shown] : {std::pair{1, 0}, {1, 0}, {2, 3}}) {
    int32_t args[2] = {plane, shown};
    EXPECT_TRUE(SpawnObject(kTypePlaneSwitch, 0, 0, 0, 0, 0, 2, args));
  }
  ObjectSlot* const* p = object_slots + 3;  // after M, O and D
  auto views = [](int n) { return Out({planes[n].active_view0, planes[n].active_view1}); };
  planes[0].active_view0 = 7;
  Exec({29, 0, 1});  // plane 0 has no plane object
  EXPECT_EQ(views(0), Out({7, 0}));
  Exec({29, 1, 1});
  EXPECT_EQ(views(1), Out({1, 1}));
  EXPECT_EQ(Out({p[0]->vars[8], p[0]->vars[9], p[1]->vars[8], p[1]->vars[9]}), Out({1, 1, 1, 1}));
  EXPECT_EQ(Out({p[2]->vars[8], p[2]->vars[9]}), Out({3, 3}));
  EXPECT_EQ(views(2), Out({3, 3}));
  Exec({1432, 1, 1, 0x1FF});
  EXPECT_EQ(views(1), Out({1, 255}));
  EXPECT_EQ(Out({p[0]->vars[8], p[0]->vars[9], p[1]->vars[9]}), Out({1, 0x1FF, 0x1FF}));
  registers[256] = 0;
  Exec({1432, 1, R | 256, 0});
  EXPECT_EQ(views(1), Out({0, 255}));
  Exec({1432, 1, 2, 5});  // no view 2
  EXPECT_EQ(views(1), Out({0, 255}));
  EXPECT_EQ(Out({p[0]->vars[8], p[0]->vars[9]}), Out({0, 0x1FF}));
}

}  // namespace
}  // namespace tolv::test
