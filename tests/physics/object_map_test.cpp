// An object's own tile map against the player: the built-in collision in
// every mode (each case drawn for the floor and turned a quarter at a time
// with the player's box, movement and angles), and the commands that put a
// player against an object: snap, carry, push, map sweeps, wrap regions.
#include <gtest/gtest.h>

#include <string>

#include "objects/collision_passes.h"
#include "objects/player_select.h"
#include "physics/command_lists.h"
#include "physics/map_layer.h"
#include "physics/physics_routines.h"
#include "physics/pass_geometry.h"
#include "script/handles.h"
#include "terrain_kit.h"
#include "../objects/object_world.h"

namespace tolv::test {
namespace {

// '#' solid, '-' a platform (its top row), 's' solid at angle 20, 'k' a
// slope at angle 40 rising to the left, 'w' solid from its third row at
// angle 200, 'h' its lower half solid.
constexpr const char* kMapTiles = R"(
#:0      -:0      s:20     k:40     w:200    h:0
######## -------- ######## #....... ........ ........
######## ........ ######## ##...... ........ ........
######## ........ ######## ###..... ######## ........
######## ........ ######## ####.... ######## ........
######## ........ ######## #####... ######## ########
######## ........ ######## ######.. ######## ########
######## ........ ######## #######. ######## ########
######## ........ ######## ######## ######## ########
)";

ObjectSlot* pass_object = nullptr;

// The pass of one view cell: the player's world box, then the object's
// collision routine.
void MapPass() {
  WriteWorldFields(current_player);
  ObjectSlot* saved = running_slot;
  running_slot = pass_object;
  builtin_collisions[4]();
  running_slot = saved;
}

class ObjectMapTest : public ObjectWorld {
 protected:
  void SetUp() override {
    ObjectWorld::SetUp();
    InstallPhysicsRoutines();
    RegisterPhysicsCommands();
    frame_ = SpriteFrame{};
    frame_.box = frame_.mirrored_box = Box{-16, 16, -8, 8};
    set_ = SpriteSet{&frame_, 1};
    player_count = 2;
  }
  void TearDown() override {
    collide_player_with_objects = [] {};
    player_operand_d = &void_player;
    running_slot = &void_slot;
    ObjectWorld::TearDown();
  }
  // An object at (x, y) showing frame_, its map the current level's plane 1.
  ObjectSlot* AddMapObject(int32_t x, int32_t y, int32_t layer = 0) {
    ObjectType& t = AddType(80);
    GiveSprites(t, &set_);
    GiveAnimation(t, {AddLoop(kAnimationCode)});
    EXPECT_TRUE(Spawn(TypeId(t), x, y));
    ObjectSlot* o = last_spawned_slot;
    CopyMap(o, layer);
    return o;
  }
  // The level's plane 1 as o's map: type variable 0 says it starts at 1.
  // Words 60 and up stay free for the object's movement.
  static void CopyMap(ObjectSlot* o, int32_t layer) {
    const TilePlane& p = planes[1];
    int32_t* v = o->vars;
    v[7] = 1, v[8] = static_cast<int32_t>(p.width), v[9] = static_cast<int32_t>(p.height), v[10] = layer;
    for (uint32_t k = 0; k < p.width * p.height; k++) v[11 + k] = p.map[k];
  }
  // Player 0 placed, its box fields from its frame, its world box from them.
  static void Place(const PlayerSetup& s) {
    PlacePlayer(s);
    SetPlayerBox(&player_records[0], false);
    WriteWorldFields(&player_records[0]);
  }
  // The player's box at (left, top) relative to o's map, 12 x 16.
  static void BoxOnMap(ObjectSlot* o, int64_t left, int64_t top) {
    ObjectMap m;
    ASSERT_TRUE(m.Load(o));
    int32_t* w = player_records[0].motion;
    w[kWorldLeft] = static_cast<int32_t>(m.left + left), w[kWorldRight] = w[kWorldLeft] + 12;
    w[kWorldTop] = static_cast<int32_t>(m.top + top), w[kWorldBottom] = w[kWorldTop] + 16;
  }
  static void Collide(ObjectSlot* o) {
    probe_hit = 0;
    object_ground_angle = kNoAngle;
    running_slot = o;
    builtin_collisions[4]();
    running_slot = &void_slot;
  }
  SpriteFrame frame_;
  SpriteSet set_;
};

struct MapCase {
  const char* name;
  const char* art;
  int64_t left, top;  // the player's box relative to the map
  int32_t pend[2], speed[2];
  bool riding;
  int32_t ground_angle;
  int32_t move[2], pend_after[2];
  const char* hits;  // sides hit, of "lrtb"
  int turn;          // 0, or -1 for the orientation before
  bool rides_after;
  int32_t object_ground_angle, contact;  // 999 and 256: untouched
  uint8_t turns = 15;                    // the quarter turns it holds for, a bit each
  int32_t ground_speed = 300;            // on leaving
};

const MapCase kMapCases[] = {
    {"push out 3", "ss\nss", 2, -13, {0, 256}, {0, 256}, false, 0, {0, -3}, {0, 256}, "b", 0, false, 20, 256},
    {"land on a platform", "----", 10, -16, {0, 256}, {0, 256}, false, 0, {0, 0}, {0, 256}, "b", 0, false, 0, 256},
    {"jump through a platform", "----", 10, 0, {0, -256}, {0, -256}, false, 0, {0, 0}, {0, -256}, "", 0, false, 999, 256},
    {"head against solid", "####", 10, 7, {0, -256}, {0, -256}, false, 0, {0, 0}, {0, -256}, "t", 0, false, 999, 128},
    {"riding into a wall", "#...\n#...", 7, 0, {0, 0}, {-256, 0}, true, 0, {0, 0}, {0, 0}, "l", 0, true, 999, 64},
    {"leave a ledge", "##..", 10, -16, {256, 0}, {300, 0}, true, 200, {0, 0}, {256, 0}, "", 0, false, 999, 256},
    {"keep a flat ledge", "##..", 10, -16, {256, 0}, {300, 0}, true, 0, {0, 0}, {256, 0}, "", 0, true, 999, 256},
    {"turn up a slope", "k...\n####", 2, -8, {-256, 0}, {-256, 0}, true, 0, {-1, -6}, {0, -256}, "", -1, true, 999, 256},
    {"right edge 1 off", "##..", -13, -16, {256, 0}, {300, 0}, true, 200, {0, 0}, {256, 0}, "", 0, false, 999, 256},
    {"right edge 2 off", "##..", -14, -16, {256, 0}, {300, 0}, true, 200, {0, 0}, {256, 0}, "", 0, true, 999, 256},
    {"head under a corner", "##..", 15, 5, {-256, 0}, {-256, 0}, false, 0, {0, 3}, {-256, 0}, "", 0, false, 999, 256},
    // Stepping back down onto angle 200 the floor keeps its ground; the
    // other orientations leave theirs at the turned angle.
    {"floor steps back", "ww..", 2, -16, {-256, 0}, {-300, 0}, true, 0, {0, 2}, {-256, 0}, "", 0, true, 999, 256, 1},
    {"others step back", "ww..", 2, -16, {-256, 0}, {-300, 0}, true, 0, {0, 0}, {-256, 0}, "", 0, false, 999, 256, 14,
     -300},
};

// A quarter turn anticlockwise on screen, as TerrainKit turns a level:
// (x, y) moves to (y, W - 1 - x) and angles lose 64.
void TurnVector(int32_t (&v)[2]) {
  int32_t x = v[0];
  v[0] = v[1];
  v[1] = -x;
}
int32_t TurnAngle(int32_t a) { return a == 999 || a == 256 ? a : (a - 64) & 255; }

TEST_F(ObjectMapTest, CollisionInEveryMode) {
  const uint32_t hit_words[4] = {kPvHitLeft, kPvHitRight, kPvHitUp, kPvHitDown};
  ObjectSlot* o = nullptr;
  for (const MapCase& base : kMapCases) {
    for (int turns = 0; turns < 4; turns++) {
      if (!(base.turns >> turns & 1)) continue;
      MapCase c = base;
      TerrainKit kit;
      kit.AddTiles(kMapTiles);
      kit.SetLevel(c.art);
      std::string hits = c.hits;
      int64_t L = c.left, R = c.left + 12, T = c.top, B = c.top + 16;
      for (int k = 0; k < turns; k++) {
        int64_t w = kit.Width();
        kit.TurnAnticlockwise();
        int64_t l = T, r = B, t = w - 1 - R, b = w - 1 - L;
        L = l, R = r, T = t, B = b;
        for (int32_t (*v)[2] : {&c.pend, &c.speed, &c.move, &c.pend_after}) TurnVector(*v);
        for (char& h : hits) h = h == 'l' ? 'b' : h == 'b' ? 'r' : h == 'r' ? 't' : 'l';
        c.ground_angle = TurnAngle(c.ground_angle);
        c.object_ground_angle = TurnAngle(c.object_ground_angle);
        c.contact = TurnAngle(c.contact);
      }
      PlacePlayer({.x = 50, .y = 50, .mode = turns, .on_ground = 0});
      if (!o) o = AddMapObject(100, 100);
      CopyMap(o, 0);
      int32_t handle = EncodeObjectHandle(o);
      int32_t* w = player_records[0].motion;
      ObjectMap m;
      ASSERT_TRUE(m.Load(o));
      w[kWorldLeft] = static_cast<int32_t>(m.left + L), w[kWorldRight] = static_cast<int32_t>(m.left + R);
      w[kWorldTop] = static_cast<int32_t>(m.top + T), w[kWorldBottom] = static_cast<int32_t>(m.top + B);
      Word(kPvPendingX) = c.pend[0], Word(kPvPendingY) = c.pend[1];
      Word(kPvSpeedX) = Word(kPvStartSpeedX) = c.speed[0];
      Word(kPvSpeedY) = Word(kPvStartSpeedY) = c.speed[1];
      Word(kPvOnGround) = c.riding ? handle : 0;
      Word(kPvGroundAngle) = c.ground_angle;
      Word(kPvContactAngle) = kNoContact;
      Collide(o);
      std::string where = std::string(c.name) + ", mode " + std::to_string(turns);
      EXPECT_EQ(Word(kPvX) - 50, c.move[0]) << where;
      EXPECT_EQ(Word(kPvY) - 50, c.move[1]) << where;
      EXPECT_EQ(Word(kPvPendingX), c.pend_after[0]) << where;
      EXPECT_EQ(Word(kPvPendingY), c.pend_after[1]) << where;
      for (int s = 0; s < 4; s++)
        EXPECT_EQ(Word(hit_words[s]), hits.find("lrtb"[s]) != std::string::npos ? handle : 0) << where << " side " << s;
      EXPECT_EQ(Word(kPvMovementMode), (turns + c.turn) & 3) << where;
      EXPECT_EQ(Word(kPvOnGround), c.rides_after ? handle : 0) << where;
      if (c.riding && !c.rides_after) {
        EXPECT_EQ(Word(kPvGroundSpeed), c.ground_speed) << where;
      }
      EXPECT_EQ(object_ground_angle, c.object_ground_angle) << where;
      EXPECT_EQ(Word(kPvContactAngle), c.contact) << where;
    }
  }
}

TEST_F(ObjectMapTest, LayersFreeModesAndMapsThatDoNotFit) {
  TerrainKit kit;
  kit.AddTiles(kMapTiles);
  kit.SetLevel("####");
  struct Case {
    int32_t layer, plane, mode, word7, width;
    bool pushed;
  } cases[] = {
      {0, 1, 0, 1, 4, true},   {2, 1, 0, 1, 4, false}, {2, 2, 0, 1, 4, true},
      {0, 1, 5, 1, 4, false},  // free movement never meets a map
      {0, 1, 0, 78, 4, false},  // the map would start past the block
      {0, 1, 0, -3, 4, false}, {0, 1, 0, 1, 255, false},  // 255 x 1 tiles do not fit
  };
  for (const Case& c : cases) {
    PlacePlayer({.x = 50, .y = 50, .mode = c.mode, .on_ground = 0});
    Word(kPvPlane) = c.plane;
    ObjectSlot* o = AddMapObject(100, 100, c.layer);
    BoxOnMap(o, 10, -13);
    o->vars[7] = c.word7;
    o->vars[8] = c.width;
    Word(kPvPendingY) = 256;
    Collide(o);
    EXPECT_EQ(Word(kPvY), c.pushed ? 47 : 50) << c.layer << " " << c.plane << " " << c.mode << " " << c.word7;
    ResetObjects();
  }
}

// A falling player lands on the map through the movement routine's passes
// and is carried with the object; on another layer it is not.
TEST_F(ObjectMapTest, LandOnTheMapAndRideIt) {
  TerrainKit kit;
  kit.AddTiles(kMapTiles);
  kit.SetLevel("----");
  ObjectSlot* o = AddMapObject(100, 100, 3);
  pass_object = o;
  collide_player_with_objects = MapPass;
  kit.SetLevel("....\n....");  // no terrain
  PlacePlayer({.x = 100, .y = 80, .on_ground = 0});
  Word(kPvPlane) = 3;
  player_operand_d = &player_records[0];
  for (int f = 0; f < 30; f++) {
    if (!Word(kPvOnGround)) Word(kPvSpeedY) += 56;
    SelectPlayer(0);
    movement_routines[0](0);
  }
  int32_t handle = EncodeObjectHandle(o);
  EXPECT_EQ(Word(kPvOnGround), handle);
  EXPECT_EQ(Word(kPvY), 96);  // the feet on the platform's row
  o->vars[1] += 3;
  o->vars[60] = 768;
  running_slot = o;
  RunCommand({1189, 0, 60});
  EXPECT_EQ(Word(kPvX), 103);
  EXPECT_EQ(Word(kPvOnGround), handle);
  Word(kPvPlane) = 1;  // not the map's layer: no carry
  RunCommand({1189, 0, 60});
  EXPECT_EQ(Word(kPvX), 103);
}

TEST_F(ObjectMapTest, SnapAndPushAgainstTheFrameBox) {
  TerrainKit kit;
  kit.AddTiles(kMapTiles);
  kit.SetLevel("....\n....");
  ObjectSlot* o = AddMapObject(100, 60);  // box 84..116 by 52..68
  running_slot = o;
  player_operand_d = &player_records[0];
  Place({.x = 100, .y = 96, .on_ground = 0});
  RunCommand({1182, 0, 1});  // the player's top against the box's bottom
  EXPECT_EQ(Word(kPvY), 84);
  RunCommand({1182, 0, 4});  // no such side
  EXPECT_EQ(Word(kPvY), 84);
  // The box moved 4 pixels left: a right edge 2 pixels inside is pushed
  // out, one 5 pixels inside is not.
  o->vars[2] = 100;
  o->vars[60] = -1024;
  for (auto [inside, x] : {std::pair{2, 78}, std::pair{5, 83}}) {
    PlacePlayer({.x = 78 + inside, .y = 100, .on_ground = 0});
    player_records[0].motion[kWorldRight] = 84 + inside;
    player_records[0].motion[kWorldLeft] = 72 + inside;
    player_records[0].motion[kWorldTop] = 84, player_records[0].motion[kWorldBottom] = 100;
    RunCommand({1192, 0, 60});
    EXPECT_EQ(Word(kPvX), x) << inside;
  }
  // The box moves 3 right and 2 up: a left edge touching the old right
  // edge goes along, also upwards when the player stands on that face.
  o->vars[60] = 768;
  o->vars[61] = -512;
  for (auto [mode, y] : {std::pair{0, 100}, std::pair{3, 98}}) {
    PlacePlayer({.x = 119, .y = 100, .mode = mode, .on_ground = 0});
    player_records[0].motion[kWorldLeft] = 113, player_records[0].motion[kWorldRight] = 125;
    player_records[0].motion[kWorldTop] = 84, player_records[0].motion[kWorldBottom] = 100;
    RunCommand({1194, 0, 60, 61});
    EXPECT_EQ(Word(kPvX), 122) << mode;
    EXPECT_EQ(Word(kPvY), y) << mode;
  }
}

// The map moves 3 pixels right into a player standing against a wall, so
// every push fails: a map as tall as the player is found between the
// insets and stops; a block lower than the step height is climbed, one
// corner step after the other as its columns come.
TEST_F(ObjectMapTest, SweepIntoAPlayerAgainstAWall) {
  struct Case {
    const char* art;
    int32_t object_y, y;
    bool stopped;
  } cases[] = {{"##\n##", 16, 24, true}, {"hh", 20, 20, false}};
  for (const Case& c : cases) {
    TerrainKit kit;
    kit.AddTiles(kMapTiles);
    kit.SetLevel(c.art);
    ObjectSlot* o = AddMapObject(34 - 6 - 13 + 8, c.object_y);  // map columns 13..15 inside the box
    kit.SetLevel(R"(
..........
.....#....
.....#....
##########
)");
    pass_object = o;
    Place({.x = 34, .y = 24});  // the right edge against the wall's column 40
    o->vars[60] = 768;
    running_slot = o;
    player_operand_d = &player_records[0];
    RunCommand({1186, 0, 60});
    EXPECT_EQ(Word(kPvX), 34) << c.art;
    EXPECT_EQ(Word(kPvY), c.y) << c.art;
    EXPECT_EQ(Word(kPvHitLeft), c.stopped ? EncodeObjectHandle(o) : 0) << c.art;
    EXPECT_EQ(Word(kPvOnGround), 1) << c.art;
    EXPECT_EQ(o->vars[10], 0) << c.art;  // the layer byte as it was
    ResetObjects();
  }
}

// A map moving up 2 pixels lifts a floor player by its platform row, a
// ceiling player only by solid rows.
TEST_F(ObjectMapTest, VerticalSweepThresholdsByMode) {
  struct Case {
    const char* art;
    int32_t mode, lift;
  } cases[] = {{"----", 0, 2}, {"----", 2, 0}, {"####", 2, 2}};
  for (const Case& c : cases) {
    TerrainKit kit;
    kit.AddTiles(kMapTiles);
    kit.SetLevel(c.art);
    ObjectSlot* o = AddMapObject(100, 100);
    kit.SetLevel("....\n....");
    PlacePlayer({.x = 100, .y = 98, .mode = c.mode, .on_ground = 0});
    running_slot = o;
    player_operand_d = &player_records[0];
    BoxOnMap(o, 10, -14);  // the feet 2 rows into the map
    o->vars[60] = -512;
    RunCommand({1187, 0, 60});
    EXPECT_EQ(Word(kPvY), 98 - c.lift) << c.art << " mode " << c.mode;
    ResetObjects();
  }
}

// A map (92..108 both ways) that moved into a player it now overlaps
// pushes it out ahead of its leading edge, however far it moved in the
// frame: the sweep of a long movement walks the part where the map meets
// the player. The frame box of push 1194 likewise (84..116 by 92..108).
TEST_F(ObjectMapTest, LongMovesStillPushThePlayerOut) {
  struct Case {
    uint32_t command;
    int dx, dy;                  // direction of the movement
    int32_t x, y, end_x, end_y;  // the player before and after
  } cases[] = {
      {1186, 1, 0, 106, 108, 113, 108}, {1186, -1, 0, 94, 108, 86, 108},
      {1187, 0, 1, 100, 116, 100, 123}, {1187, 0, -1, 100, 100, 100, 92},
      {1188, 1, 1, 106, 116, 113, 116}, {1194, 1, 0, 120, 108, 122, 108},
  };
  for (const Case& c : cases)
    for (int32_t pixels : {200, 5000}) {
      TerrainKit kit;
      kit.AddTiles(kMapTiles);
      kit.SetLevel("##\n##");
      ObjectSlot* o = AddMapObject(100, 100);
      kit.SetLevel("....\n....");
      Place({.x = c.x, .y = c.y, .on_ground = 0});
      o->vars[60] = c.dx * pixels * 256, o->vars[61] = c.dy * pixels * 256;
      running_slot = o;
      player_operand_d = &player_records[0];
      RunCommand({c.command, 0, c.dx ? 60u : 61u, 61});
      EXPECT_EQ(Word(kPvX), c.end_x) << c.command << " moving " << pixels;
      EXPECT_EQ(Word(kPvY), c.end_y) << c.command << " moving " << pixels;
      ResetObjects();
    }
}

TEST_F(ObjectMapTest, WrapRegions) {
  TerrainKit kit;
  kit.AddTiles(kMapTiles);
  kit.SetLevel("####");
  ObjectSlot* o = AddMapObject(100, 100);
  PlacePlayer({.x = 50, .y = 60});
  player_records[0].motion[kBoxLeft] = -6, player_records[0].motion[kBoxRight] = 6;
  player_records[0].motion[kBoxTop] = -16, player_records[0].motion[kBoxBottom] = 0;
  registers[47] = 1000, registers[49] = 500;
  const int32_t* w = player_records[0].motion;
  RunCommand({1184, 0, 9});
  EXPECT_EQ(Word(kPvWrapRegion), 4);
  EXPECT_EQ(w[kWorldLeft], 44);
  EXPECT_EQ(w[kWorldCentreY], 52);
  RunCommand({1184, 0, 0});
  EXPECT_EQ(w[kWorldLeft], 1044);
  EXPECT_EQ(w[kWorldBottom], 560);
  RunCommand({1184, 2, 0});  // no such player
  EXPECT_EQ(Word(kPvWrapRegion), 0);
  // The view at camera (0, 0), 320 x 240; limits 0..2000 both ways.
  registers[13] = 320, registers[14] = 240, registers[35] = registers[37] = 2000;
  running_slot = o;
  o->vars[1] = 5000;  // far outside, no wrap
  RunCommand({1185, 0});
  EXPECT_EQ(Word(kPvWrapRegion), 4);
  EXPECT_EQ(w[kWorldLeft], 44);
  registers[39] = 1;  // horizontal wrap: one wrap width to the right
  o->vars[1] = 1100;
  RunCommand({1185, 0});
  EXPECT_EQ(Word(kPvWrapRegion), 3);
  EXPECT_EQ(w[kWorldLeft], 1044);
}

}  // namespace
}  // namespace tolv::test
