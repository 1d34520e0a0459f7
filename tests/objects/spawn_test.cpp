#include "object_world.h"
#include "objects/object_links.h"
#include "objects/stat_obj_hooks.h"

namespace tolv::test {

using Spawning = ObjectWorld;

TEST_F(Spawning, InitialisersReadNumbersPositionsArgumentsAndRegisters) {
  ObjectType& t = AddType(9);
  const char* inits[] = {"5", "X+16", "Y-8", "*1", "R0", "r9", "X", "X*2", "*7"};
  for (int k = 0; k < 9; k++) SetInitialiser(t, k, inits[k]);
  registers[256] = 77;
  registers[9] = 1;
  ASSERT_TRUE(Spawn(TypeId(t), 100, 200, 0, {7, 42}));
  const int32_t* v = last_spawned_slot->vars;
  EXPECT_EQ(last_spawned_slot->var_count, 16);
  EXPECT_EQ(v[7], 5);
  EXPECT_EQ(v[8], 116);
  EXPECT_EQ(v[9], 192);
  EXPECT_EQ(v[10], 42);
  EXPECT_EQ(v[11], 77);
  EXPECT_EQ(v[12], 1);
  EXPECT_EQ(v[13], 100);  // X alone
  EXPECT_EQ(v[14], 100);  // only + and - are read after X
  EXPECT_EQ(v[15], 0);    // argument 7 of 2
  EXPECT_EQ(EvalInitialiser("R99999", 0, 0, 0, nullptr), 0);
  EXPECT_EQ(EvalInitialiser("r-3", 0, 0, 0, nullptr), 0);
  EXPECT_EQ(EvalInitialiser("$1F", 0, 0, 0, nullptr), 31);
}

TEST_F(Spawning, FixedWordsDefaultKeyAndRefusals) {
  ObjectType& t = AddType(0, 33);
  ASSERT_TRUE(SpawnObject(TypeId(t), 1, 2, 65535, 5, 6, 0, nullptr));
  const ObjectSlot* o = last_spawned_slot;
  EXPECT_EQ(o->vars[3], 33);
  EXPECT_EQ(o->vars[5], 5);
  EXPECT_EQ(o->vars[6], 6);
  EXPECT_EQ(o->range_state, 4);
  EXPECT_EQ(o->former_type, static_cast<uint32_t>(TypeId(t)));
  EXPECT_EQ(spawn_count, 1);
  EXPECT_FALSE(Spawn(200));  // no such type
  EXPECT_FALSE(Spawn(-4));
  EXPECT_FALSE(Spawn(10000));
  EXPECT_TRUE(Spawn(9500));  // special ids need no record
  EXPECT_EQ(Active(), 2);
}

TEST_F(Spawning, FullPoolRefusesWithoutTouchingCounters) {
  ObjectType& t = AddType();
  for (int i = 0; i < kObjectSlotCount; i++) ASSERT_TRUE(Spawn(TypeId(t)));
  ObjectSlot* last = last_spawned_slot;
  uint16_t spawned = spawn_count;
  EXPECT_FALSE(Spawn(TypeId(t)));
  EXPECT_EQ(Active(), kObjectSlotCount);
  EXPECT_EQ(spawn_count, spawned);
  EXPECT_EQ(last_spawned_slot, last);
  EXPECT_TRUE(Logged("Spawn refused: object pool full"));
}

TEST_F(Spawning, ReusedSlotKeepsNothingOfItsPreviousObject) {
  ObjectType& t = AddType(2);
  uint16_t anim = AddLoop(kAnimationCode);
  GiveAnimation(t, {anim});
  ASSERT_TRUE(Spawn(TypeId(t)));
  ObjectSlot* a = last_spawned_slot;
  ASSERT_TRUE(Spawn(TypeId(t)));
  ObjectSlot* b = last_spawned_slot;
  b->parent = a;
  SetChild(b, 3, a);
  EXPECT_EQ(b->child_count, 4);
  EXPECT_EQ(b->animation_ctx.lane_count, 1);
  registers[kRegActiveObjects] = 1;  // b's slot is free again
  ObjectType& plain = AddType();
  ASSERT_TRUE(Spawn(TypeId(plain)));
  EXPECT_EQ(last_spawned_slot, b);
  EXPECT_EQ(b->parent, nullptr);
  EXPECT_EQ(b->child_count, 0);
  EXPECT_EQ(b->animation_ctx.lane_count, 0);
  EXPECT_EQ(b->mover, builtin_movers[0]);
  EXPECT_FALSE(SetChild(b, 255, a));
  EXPECT_FALSE(SetChild(b, -1, a));
}

TEST_F(Spawning, SnapshotTakenForRestoringTypesUntilThePoolIsFull) {
  ObjectType& t = AddType(1);
  SetInitialiser(t, 0, "9");
  t.range_action = 2;
  ASSERT_TRUE(Spawn(TypeId(t), 3, 4));
  EXPECT_EQ(last_spawned_slot->snapshot_index, 0);
  EXPECT_EQ(object_snapshots[0].vars[7], 9);
  EXPECT_EQ(object_snapshots[0].vars[1], 3);
  snapshot_count = kObjectSlotCount;
  ASSERT_TRUE(Spawn(TypeId(t)));
  EXPECT_EQ(last_spawned_slot->snapshot_index, 65535);
}

TEST_F(Spawning, SortKeepsEqualKeysInListOrder) {
  ObjectType& t = AddType();
  int32_t keys[] = {5, 9, 5, -65535, 9, 7};
  ObjectSlot* made[6];
  for (int i = 0; i < 6; i++) {
    ASSERT_TRUE(Spawn(TypeId(t), i, 0, keys[i]));
    made[i] = last_spawned_slot;
  }
  SortObjects();
  ObjectSlot* want[] = {made[1], made[4], made[5], made[0], made[2], made[3]};
  for (int i = 0; i < 6; i++) {
    EXPECT_EQ(object_slots[i], want[i]) << i;
    EXPECT_EQ(object_slots[i]->order_index, i);
  }
}

TEST_F(Spawning, PoolResetKeepsSpecialTypesWhateverTheirKey) {
  ObjectType& t = AddType();
  ASSERT_TRUE(Spawn(TypeId(t), 0, 0, 50));
  ASSERT_TRUE(Spawn(kTypePlayerObject, 0, 0, 10, {0}));
  ObjectSlot* player = last_spawned_slot;
  ASSERT_TRUE(Spawn(TypeId(t), 0, 0, 20));
  stat_obj_def_counts.total = stat_obj_def_counts.game = 1;
  static std::vector<int32_t> freed;
  freed.clear();
  build_stat_obj = [](uint32_t) { return int32_t{41}; };
  free_stat_obj = [](int32_t id) { freed.push_back(id); };
  ASSERT_TRUE(SpawnObject(kTypePauseMenu, 0, 0, -65535, 0, 0, 1, std::vector<int32_t>{0}.data()));
  ObjectSlot* menu = last_spawned_slot;
  EXPECT_EQ(menu->vars[7], 41);
  EXPECT_EQ(player_records[0].player_object, player);
  ResetObjectPool();
  EXPECT_EQ(Active(), 2);
  EXPECT_EQ(object_slots[0], player);
  EXPECT_EQ(object_slots[1], menu);
  EXPECT_TRUE(freed.empty());
  ResetObjectSlots();
  EXPECT_EQ(freed, std::vector<int32_t>{41});
  stat_obj_def_counts = ScopeCounts{};
  build_stat_obj = [](uint32_t) { return int32_t{0}; };
  free_stat_obj = [](int32_t) {};
}

TEST_F(Spawning, BadStatObjectAndPlaneSpawnsAreNotCounted) {
  stat_obj_def_counts = ScopeCounts{3, 1, 0, 2};
  EXPECT_FALSE(SpawnObject(kTypeHud, 0, 0, 0, 0, 0, 1, std::vector<int32_t>{3}.data()));
  EXPECT_TRUE(Logged("Stat Obj not loaded for ID 3"));
  EXPECT_TRUE(Logged("2 Game Stat Objs: 0 - 1"));
  EXPECT_TRUE(Logged("No Zone Stat Objs currently loaded"));
  EXPECT_TRUE(Logged("1 Act Stat Objs: 2 - 2"));
  EXPECT_FALSE(SpawnObject(kTypePlaneSwitch, 0, 0, 0, 0, 0, 2, std::vector<int32_t>{4, 1}.data()));
  EXPECT_TRUE(Logged("Tile Plane 4 doesn't exist"));
  EXPECT_EQ(Active(), 0);
  EXPECT_EQ(object_slots[0]->vars[0], 0);
  stat_obj_def_counts = ScopeCounts{};
}

TEST_F(Spawning, RetypeDropsChildrenByTheOldTypesRule) {
  ObjectType& keeper = AddType(3);
  ObjectType& killer = AddType(3);
  killer.flags = 2;
  ObjectType& other = AddType(1);
  for (ObjectType* parent_type : {&keeper, &killer}) {
    ResetObjectSlots();
    ASSERT_TRUE(Spawn(TypeId(*parent_type)));
    ObjectSlot* p = last_spawned_slot;
    p->vars[9] = 123;
    ASSERT_TRUE(Spawn(TypeId(other)));
    ObjectSlot* c = last_spawned_slot;
    c->parent = p;
    SetChild(p, 0, c);
    running_slot = p;
    ASSERT_TRUE(RetypeObject(p, TypeId(other)));
    EXPECT_EQ(p->vars[0], TypeId(other));
    EXPECT_EQ(p->var_count, 10);  // the block stays as it was
    EXPECT_EQ(p->vars[9], 123);
    EXPECT_EQ(c->parent, nullptr);
    if (parent_type == &killer) {
      EXPECT_EQ(c->vars[0], 0);
      EXPECT_EQ(p->child_count, 0);
    } else {
      EXPECT_EQ(c->vars[0], TypeId(other));
      EXPECT_EQ(p->child_count, 1);
    }
  }
  running_slot = &void_slot;
}

TEST_F(Spawning, RetypeIntoStatTypesNeedsAnInstanceAndLeavingThemFreesIt) {
  ObjectType& t = AddType();
  ASSERT_TRUE(Spawn(TypeId(t)));
  ObjectSlot* o = last_spawned_slot;
  EXPECT_FALSE(RetypeObject(o, kTypePauseMenu));
  EXPECT_EQ(o->vars[0], TypeId(t));
  static int freed = 0;
  free_stat_obj = [](int32_t id) { freed = id; };
  o->stat_instance = 8;
  EXPECT_TRUE(RetypeObject(o, kTypeHud));
  EXPECT_EQ(freed, 0);
  EXPECT_TRUE(RetypeObject(o, TypeId(t)));
  EXPECT_EQ(freed, 8);
  EXPECT_EQ(o->stat_instance, 0);
  free_stat_obj = [](int32_t) {};
}

TEST_F(Spawning, DetachAndDeletedObjectRelease) {
  ObjectType& killer = AddType();
  killer.flags = 2;
  ASSERT_TRUE(Spawn(TypeId(killer)));
  ObjectSlot* p = last_spawned_slot;
  ASSERT_TRUE(Spawn(TypeId(killer)));
  ObjectSlot* c = last_spawned_slot;
  c->parent = p;
  SetChild(p, 1, c);
  DetachFromParent(c);
  EXPECT_EQ(p->children[1], nullptr);
  EXPECT_EQ(c->parent, nullptr);
  DetachFromParent(c);  // no parent: nothing changes
  SetChild(p, 0, c);
  c->parent = p;
  p->vars[0] = 0;
  ReleaseDeletedObject(p);
  EXPECT_EQ(c->vars[0], 0);
  EXPECT_EQ(c->parent, nullptr);
}

}  // namespace tolv::test
