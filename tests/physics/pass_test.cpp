#include "script/object_globals.h"
#include "pass_world.h"

namespace tolv::test {

class Passes : public PassWorld {};

constexpr int32_t kW = 1000, kH = 500;

// One object in each of the nine cell lists of a view; each visit records
// where the pass put the player (or the collide object) for that cell.
TEST_F(Passes, GeometryIsShiftedPerCellInVisitingOrder) {
  struct Case {
    bool projectile;
    int player, screen_mode, view;
  };
  for (Case c : {Case{false, 0, 0, 0}, Case{false, 1, 0, 0}, Case{false, 1, 2, 1}, Case{true, 0, 2, 1}}) {
    SCOPED_TRACE(testing::Message() << c.projectile << c.player << c.screen_mode);
    std::fill(cell_object_counts, cell_object_counts + 18, 0);
    registers[kRegScreenMode] = c.screen_mode;
    registers[47 + c.view] = kW;
    registers[49 + c.view] = kH;
    registers[47 + 1 - c.view] = registers[49 + 1 - c.view] = 7;  // the other view's: never used
    ObjectType& t = AddShownType();
    t.builtin_collision = t.builtin_pcollision = RecordVisit;
    ObjectSlot* cells[9];
    for (int cell = 0; cell < 9; cell++) cells[cell] = AddObject(t, 0, 0, c.view * 9 + cell);
    ShowPlayer(c.player, 100, 50);
    ObjectSlot* self = AddObject(t, 300, 80);
    visits.clear();
    record_collide = c.projectile;
    int32_t left = 92, top = 38;  // box edges at the stored position
    if (c.projectile) {
      SelectPlayer(0);
      running_slot = self;
      SetObjectBox(self);
      projectile_view = static_cast<uint8_t>(c.view);
      projectile_shift_x = 40;  // the view shows the object 40 pixels right
      projectile_shift_y = 0;
      run_projectile_collision_pass();
      left = 300 + 40 - 8, top = 80 - 12;
    } else {
      SelectPlayer(c.player);
      collide_player_with_objects();
    }
    ASSERT_EQ(visits.size(), 9u);
    const int order[9] = {4, 3, 5, 2, 1, 0, 6, 7, 8};
    for (int i = 0; i < 9; i++) {
      int cell = order[i], dx = (1 - cell % 3) * kW, dy = (1 - cell / 3) * kH;
      EXPECT_EQ(visits[i].object, cells[cell]);
      EXPECT_EQ(visits[i].region, cell);
      EXPECT_EQ(visits[i].left, left + dx) << cell;
      EXPECT_EQ(visits[i].top, top + dy) << cell;
      EXPECT_EQ(visits[i].attacks, 1u);
      EXPECT_EQ(visits[i].attack_left, left + 6 + dx);
    }
    if (c.projectile) {
      EXPECT_EQ(self->vars[1], 300);  // shifted for the pass only
      EXPECT_EQ(collide_object, &void_slot);
      EXPECT_TRUE(CollideLists().attack.empty());
    } else {
      const int32_t* m = player_records[c.player].motion;
      EXPECT_EQ(m[kWorldLeft], 92);
      EXPECT_EQ(m[kWorldX], 100);
      EXPECT_EQ(PVar(&player_records[c.player], kPvWrapRegion), 4);
      EXPECT_TRUE(CurrentPlayerLists().attack.empty());
    }
    EXPECT_EQ(running_slot, c.projectile ? self : &void_slot);
  }
}

// A routine that deletes its object: no script for it, the next object
// still visited; the collide object deleted: the pass ends there.
TEST_F(Passes, DeletedObjectsGetNoScript) {
  uint16_t record = AddFunction(kCollisionCode, {{kRecord}});
  uint16_t precord = AddFunction(kPCollisionCode, {{kRecord}});
  ObjectType& doomed = AddShownType();
  doomed.builtin_collision = doomed.builtin_pcollision = [] { running_slot->vars[0] = 0; };
  doomed.collision_label = record;
  doomed.pcollision_label = precord;
  ObjectType& plain = AddShownType();
  plain.collision_label = record;
  plain.pcollision_label = precord;
  ObjectSlot* a = AddObject(doomed, 0, 0, 4);
  ObjectSlot* b = AddObject(plain, 0, 0, 4);
  ShowPlayer(0, 10, 10);
  collide_player_with_objects();
  ASSERT_EQ(visits.size(), 1u);
  EXPECT_EQ(visits[0].object, b);
  EXPECT_EQ(visits[0].count, script_commands[kCountCommand]);

  // The projectile: c's routine deletes the collide object in cell 3; b in
  // cell 5 is never seen.
  a->vars[0] = TypeId(plain);
  ObjectType& killer = AddShownType();
  killer.builtin_pcollision = [] { collide_object->vars[0] = 0; };
  AddObject(killer, 0, 0, 3);
  ObjectSlot* self = AddObject(plain, 0, 0);
  cell_object_lists[4][0] = self;  // never meets itself
  cell_object_lists[4][1] = a;
  cell_object_lists[5][cell_object_counts[5]++] = b;
  visits.clear();
  projectile_view = 255;
  projectile_shift_x = 5;
  running_slot = self;
  run_projectile_collision_pass();
  EXPECT_EQ(projectile_view, 0);
  ASSERT_EQ(visits.size(), 1u);
  EXPECT_EQ(visits[0].object, a);
  EXPECT_EQ(self->vars[0], 0);
  EXPECT_EQ(self->vars[1], 5);  // a deleted object stays where the pass put it
  EXPECT_EQ(running_slot, self);
  EXPECT_EQ(collide_object, &void_slot);
}

// 843 runs the pass for another player and leaves the caller's selection,
// register 9 and the Count slot as they were.
TEST_F(Passes, NamedPlayerPassRestoresTheSelection) {
  ObjectType& t = AddShownType();
  t.builtin_collision = RecordVisit;
  AddObject(t, 0, 0, 4);
  ShowPlayer(1, 10, 10);
  CommandHandler count = script_commands[kCountCommand] = CountLoopInRegisters;
  SelectPlayer(0);
  Run({843, 1});
  ASSERT_EQ(visits.size(), 1u);
  EXPECT_EQ(visits[0].player, 1);
  EXPECT_EQ(visits[0].left, 2);  // player 1's box
  EXPECT_EQ(visits[0].count, CountLoopInObjectVars);
  EXPECT_EQ(registers[kRegPlayer], 0);
  EXPECT_EQ(current_player, &player_records[0]);
  EXPECT_EQ(script_commands[kCountCommand], count);
  EXPECT_EQ(current_context, &lane_ctx_);
}

// A Collision script that starts a pass of its own: the outer pass goes on
// with its own lists, fields and cell.
TEST_F(Passes, NestedPassLeavesTheOuterOneIntact) {
  registers[47] = kW;
  registers[49] = kH;
  ObjectType& starter = AddShownType();
  starter.collision_label = AddFunction(kCollisionCode, {{kRecord}, {842}, {kRecord}});
  ObjectType& watcher = AddShownType();
  watcher.builtin_collision = RecordVisit;
  ObjectSlot* a = AddObject(starter, 0, 0, 5);
  ObjectSlot* b = AddObject(watcher, 0, 0, 2);
  ShowPlayer(0, 100, 50);
  collide_player_with_objects();
  // a's script in cell 5; the nested pass sees a (its script already runs)
  // and b; a's script again; then the outer pass reaches b in cell 2.
  ASSERT_EQ(visits.size(), 4u);
  EXPECT_EQ(visits[0].object, a);
  EXPECT_EQ(visits[0].region, 5);
  EXPECT_EQ(visits[0].left, 92 - kW);
  EXPECT_EQ(visits[2], visits[0]);  // back from the nested pass as it was
  EXPECT_EQ(visits[1].object, b);
  EXPECT_EQ(visits[1].left, 92 - kW);  // the nested pass's own cell 2
  EXPECT_EQ(visits[3].object, b);
  EXPECT_EQ(visits[3].region, 2);
  EXPECT_EQ(visits[3].left, 92 - kW);
  EXPECT_EQ(visits[3].top, 38 + kH);
  EXPECT_EQ(visits[3].attacks, 1u);
  EXPECT_EQ(visits[3].attack_left, 98 - kW);
  EXPECT_EQ(player_records[0].motion[kWorldTop], 38);
  EXPECT_EQ(PVar(&player_records[0], kPvWrapRegion), 4);
}

// 845 runs the pass as if the world update were at the object OD names and
// gives the update its own place back, also above 255.
TEST_F(Passes, ObjectOperandPassRestoresTheCursor) {
  ObjectType& t = AddShownType();
  t.builtin_pcollision = RecordVisit;
  AddObject(t, 0, 0, 4);
  ObjectSlot* shooter = AddObject(t, 0, 0);
  ObjectSlot* self = AddObject(t, 0, 0);
  slot_cursor = 300;
  running_slot = self;
  object_operand_d = shooter;
  Run({845});
  ASSERT_EQ(visits.size(), 1u);
  EXPECT_EQ(visits[0].cursor, shooter->order_index);
  EXPECT_EQ(slot_cursor, 300);
  EXPECT_EQ(running_slot, self);
  EXPECT_EQ(collide_object, &void_slot);
}

}  // namespace tolv::test
