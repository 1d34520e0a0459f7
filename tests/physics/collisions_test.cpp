#include "audio/sound_queue.h"
#include "objects/collision_passes.h"
#include "objects/player_select.h"
#include "physics/physics_routines.h"
#include "../objects/object_world.h"

namespace tolv::test {

static std::vector<uint16_t> sounds;

class Collisions : public ObjectWorld {
 protected:
  void SetUp() override {
    ObjectWorld::SetUp();
    InstallPhysicsRoutines();
    AllocPlayerVars();
    SelectPlayer(0);
    sounds.clear();
    queue_sound = [](uint16_t id, uint8_t) { sounds.push_back(id); };
    frame_ = SpriteFrame{};
    frame_.width = frame_.height = 16;
    frame_.box = Box{-8, 8, -8, 8};
    set_ = SpriteSet{&frame_, 1};
    PlayerBoxAt(100, 100);
  }
  void TearDown() override {
    queue_sound = [](uint16_t, uint8_t) {};
    collide_object = &void_slot;
    current_player = &void_player;
    ObjectWorld::TearDown();
  }
  void PlayerBoxAt(int32_t x, int32_t y) {
    int32_t* m = player_records[0].motion;
    m[14] = x - 4;
    m[15] = x + 4;
    m[16] = y - 8;
    m[17] = y + 8;
  }
  ObjectSlot* SpawnWithFrame(ObjectType& t, int32_t x, int32_t y) {
    GiveSprites(t, &set_);
    if (!t.animation_label_count) GiveAnimation(t, {AddLoop(kAnimationCode)});
    EXPECT_TRUE(Spawn(TypeId(t), x, y));
    return last_spawned_slot;
  }
  void Collide(ObjectSlot* o, ObjectRoutine r) {
    running_slot = o;
    r();
    running_slot = &void_slot;
  }
  SpriteFrame frame_;
  SpriteSet set_;
};

TEST_F(Collisions, CollectOnTouchAddsClampsSoundsAndDeletes) {
  ObjectType& ring = AddType();
  SetParameters(ring, {3, -5, 0});
  std::vector<uint16_t> ring_sounds = {12};
  ring.sounds = ring_sounds.data();
  ring.sound_count = 1;
  ObjectSlot* far = SpawnWithFrame(ring, 200, 100);
  Collide(far, builtin_collisions[1]);
  EXPECT_EQ(far->vars[0], TypeId(ring));  // not touched
  current_player->character_vars[3] = 3;
  ObjectSlot* near = SpawnWithFrame(ring, 104, 100);
  Collide(near, builtin_collisions[1]);
  EXPECT_EQ(current_player->character_vars[3], 0);  // -5 held at the limit 0
  EXPECT_EQ(near->vars[0], 0);
  EXPECT_EQ(sounds, std::vector<uint16_t>{12});
}

TEST_F(Collisions, CollectOnTouchSpawnsItsReplacement) {
  ObjectType& spark = AddType(1);
  SetInitialiser(spark, 0, "*0");
  ObjectType& box = AddType();
  SetParameters(box, {1, 2, 10});
  std::vector<uint16_t> list = {static_cast<uint16_t>(TypeId(spark))};
  box.type_list = list.data();
  box.type_list_count = 1;
  ObjectSlot* o = SpawnWithFrame(box, 100, 96);
  Collide(o, builtin_collisions[1]);
  EXPECT_EQ(last_spawned_slot->vars[0], TypeId(spark));
  EXPECT_EQ(last_spawned_slot->vars[2], 96);
  EXPECT_EQ(current_player->character_vars[1], 2);
}

TEST_F(Collisions, LayerSwitchFollowsThePlayersSpeed) {
  ObjectType& sw = AddType();
  SetParameters(sw, {2, 3, 0});
  ObjectSlot* o = SpawnWithFrame(sw, 102, 130);  // within 31 pixels below the box
  PVar(current_player, kPvSpeedX) = 256;
  Collide(o, builtin_collisions[3]);
  EXPECT_EQ(PVar(current_player, kPvPlane), 0);  // switches are off (word 26 is 0)
  PVar(current_player, kPvSwitchesOn) = 1;
  Collide(o, builtin_collisions[3]);
  EXPECT_EQ(PVar(current_player, kPvPlane), 2);
  PVar(current_player, kPvSpeedX) = -1;
  Collide(o, builtin_collisions[3]);
  EXPECT_EQ(PVar(current_player, kPvPlane), 3);
  o->vars[2] = 140;  // too far below
  PVar(current_player, kPvSpeedX) = 1;
  Collide(o, builtin_collisions[3]);
  EXPECT_EQ(PVar(current_player, kPvPlane), 3);
}

TEST_F(Collisions, ProjectileHitRestartsThePartnersThirdLabel) {
  Box attack{-2, 2, -2, 2}, hurt{-4, 4, -4, 4};
  frame_.attack_boxes = &attack;
  frame_.attack_count = 1;
  frame_.hurt_boxes = &hurt;
  frame_.hurt_count = 1;
  ObjectType& enemy = AddType();
  uint16_t idle = AddLoop(kAnimationCode), hit = AddFunction(kAnimationCode, {{1527, 0}, {79}});
  GiveAnimation(enemy, {idle, idle, hit});
  ObjectSlot* shooter = SpawnWithFrame(enemy, 50, 50);
  ObjectSlot* target = SpawnWithFrame(enemy, 54, 50);
  collide_object = target;
  Collide(target, builtin_pcollisions[1]);  // the partner itself: nothing
  EXPECT_TRUE(sounds.empty());
  Collide(shooter, builtin_pcollisions[1]);
  EXPECT_EQ(sounds, std::vector<uint16_t>{20});
  ASSERT_EQ(target->animation_ctx.lane_count, 1);
  EXPECT_EQ(target->animation_ctx.lane_funcs[0], hit);
  target->vars[1] = 70;  // out of reach
  sounds.clear();
  Collide(shooter, builtin_pcollisions[1]);
  EXPECT_TRUE(sounds.empty());
  frame_ = SpriteFrame{};
}

TEST_F(Collisions, DebugPlacementSpawnsTheSelectedType) {
  ObjectType& t = AddType(0, 17);
  std::vector<uint16_t> list = {0, static_cast<uint16_t>(TypeId(t))};
  debug_types = list.data();
  debug_type_count = 2;
  PVar(current_player, kPvDebugType) = 1;
  PVar(current_player, kPvX) = 30;
  PVar(current_player, kPvY) = 40;
  builtin_dbplacers[1]();
  EXPECT_EQ(last_spawned_slot->vars[0], TypeId(t));
  EXPECT_EQ(last_spawned_slot->vars[1], 30);
  EXPECT_EQ(last_spawned_slot->vars[3], 17);
  PVar(current_player, kPvDebugType) = 2;  // beyond the list
  EXPECT_EQ(Active(), 1);
  builtin_dbplacers[1]();
  EXPECT_EQ(Active(), 1);
  debug_types = nullptr;
  debug_type_count = 0;
}

TEST_F(Collisions, CameraFollowBoxAndClamping) {
  int32_t* c = current_player->character_vars;
  c[1] = -16;  // follow box left, right, top, bottom
  c[2] = 16;
  c[3] = -32;
  c[4] = 32;
  c[5] = 4;  // catch-up steps
  c[6] = 8;
  PVar(current_player, kPvX) = 500;
  PVar(current_player, kPvFollowX) = 500;
  PVar(current_player, kPvY) = 100;
  PVar(current_player, kPvFollowY) = 100;
  PVar(current_player, kPvCameraOffsetX) = -160;
  registers[23] = 0;
  registers[27] = 2000;
  registers[13] = 320;
  PVar(current_player, kPvX) = 518;  // 2 past the box edge: snap
  CameraStep(0);
  EXPECT_EQ(PVar(current_player, kPvFollowX), 502);
  EXPECT_EQ(registers[19], 342);
  PVar(current_player, kPvX) = 600;  // far past: 4 a frame
  CameraStep(0);
  EXPECT_EQ(PVar(current_player, kPvFollowX), 506);
  PVar(current_player, kPvX) = 0;
  PVar(current_player, kPvFollowX) = 10;
  CameraStep(0);
  EXPECT_EQ(registers[19], 0);  // clamped to the left limit
}

}  // namespace tolv::test
