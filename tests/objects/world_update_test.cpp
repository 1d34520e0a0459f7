// The world update: compaction, sort-in, freezes, range actions, the
// players' steps and the Count slot.
#include "objects/object_links.h"
#include "objects/stat_obj_hooks.h"
#include "script/count_slot.h"
#include "world/tile_plane.h"
#include "world_fixture.h"

namespace tolv::test {
namespace {

using V = std::vector<int32_t>;

TEST_F(WorldTest, CompactionWhileObjectsDeleteThemselvesAndEachOther) {
  Mover(1);
  Mover(2, {{kDeleteSelf}});
  Mover(3, {{kDeleteAt, 0}, {kDeleteAt, 4}});  // one already processed, one still ahead
  Spawn(1, 60, 1);
  Spawn(2, 50, 2);
  Spawn(3, 40, 3);
  Spawn(1, 30, 4);
  Spawn(1, 20, 5);
  Spawn(2, 10, 6);
  Frame();
  EXPECT_EQ(Traced(), (V{1, 2, 3, 4, 6}));  // 5 was deleted before its turn
  EXPECT_EQ(Tags(), (V{1, 3, 4}));          // 1 waits for the next compaction
  EXPECT_EQ(registers[kRegActiveObjects], 3);
  EXPECT_EQ(object_slots[0]->vars[0], 0);
  for (uint32_t i = 0; i < 3; i++) EXPECT_EQ(object_slots[i]->order_index, i);
  Frame();
  EXPECT_EQ(Traced(), (V{3, 4}));
  EXPECT_EQ(Tags(), (V{3, 4}));
  ExpectDense();
  EXPECT_EQ(deleted_count, 0);
  EXPECT_EQ(spawn_count, 0);
}

TEST_F(WorldTest, DeletedParentsAndChildrenFollowTheirLinks) {
  types[4].flags = 2;  // children die with it
  Mover(4, {{kDeleteSelf}});
  ObjectSlot* early = Spawn(1, 90, 1);
  ObjectSlot* killer = Spawn(4, 80, 2);
  ObjectSlot* late = Spawn(1, 70, 3);
  ObjectSlot* keeper = Spawn(1, 60, 4);
  ObjectSlot* kept = Spawn(1, 50, 5);
  ObjectSlot* foreign = Spawn(1, 40, 6);
  ObjectSlot* parent = Spawn(1, 30, 7);
  ObjectSlot* leaving = Spawn(1, 20, 8);
  spawn_count = 0;
  auto link = [](ObjectSlot* p, int i, ObjectSlot* c) {
    SetChild(p, i, c);
    c->parent = p;
  };
  link(killer, 0, early);
  link(killer, 1, late);
  link(keeper, 0, kept);
  SetChild(keeper, 1, foreign);
  foreign->parent = parent;
  link(parent, 0, leaving);
  keeper->vars[0] = 0;   // deleted from outside: its children stay
  leaving->vars[0] = 0;  // a child going away empties its parent's entry
  Frame();
  EXPECT_EQ(Tags(), (V{1, 5, 6, 7}));
  EXPECT_EQ(early->vars[0], 0);  // processed before its parent died
  EXPECT_EQ(early->parent, nullptr);
  EXPECT_EQ(killer->child_count, 0);
  EXPECT_EQ(killer->children, nullptr);
  EXPECT_EQ(kept->parent, nullptr);
  EXPECT_EQ(foreign->parent, parent);
  EXPECT_EQ(keeper->child_count, 2);
  EXPECT_EQ(parent->children[0], nullptr);
  Frame();
  EXPECT_EQ(Tags(), (V{5, 6, 7}));
  ExpectDense();
}

TEST_F(WorldTest, SpawnedObjectsRunInTheLoopAndSortInAfterEqualKeys) {
  Mover(1);
  // The spawner spawns twice on its first turn only, then idles.
  types[5].movement_label = AddFunction(kMovementCode, {{kTrace, 0}, {kSpawnHere, 1, 5, 100}, {kSpawnHere, 1, 7, 101},
                                                        {kYieldLoop, 3}});
  Spawn(1, 10, 1);
  Spawn(5, 5, 2);
  Spawn(1, 5, 3);
  Spawn(1, 0, 4);
  spawn_count = 0;
  Frame();
  EXPECT_EQ(Traced(), (V{1, 2, 3, 4, 100, 101}));
  EXPECT_EQ(Tags(), (V{1, 101, 2, 3, 100, 4}));
  ExpectDense();
  // Spawned between updates: last in the list until the next sort step.
  Spawn(1, 20, 200);
  EXPECT_EQ(Tags().back(), 200);
  Frame();
  EXPECT_EQ(Traced().back(), 200);
  EXPECT_EQ(Tags(), (V{200, 1, 101, 2, 3, 100, 4}));
  ExpectDense();
}

TEST_F(WorldTest, RunawaySpawningInTheLoopStopsAtAFullPool) {
  // Each object spawns the next on its first turn: the loop follows the
  // chain until the pool refuses.
  types[1].movement_label = AddFunction(kMovementCode, {{kSpawnHere, 1, 0, 0}, {kYieldLoop, 1}});
  Spawn(1, 0, 0);
  Frame();
  EXPECT_EQ(registers[kRegActiveObjects], kObjectSlotCount);
  EXPECT_EQ(spawn_count, 0);
  ExpectDense();
  Frame();
  EXPECT_EQ(registers[kRegActiveObjects], kObjectSlotCount);
}

TEST_F(WorldTest, FreezesStopDefinedTypesButNotStatObjectsOrCompaction) {
  Mover(1);
  Mover(2, {{kDeleteSelf}});
  static int stat_runs;
  stat_runs = 0;
  run_stat_obj = [] { stat_runs++; };
  stat_obj_def_counts.total = 1;
  build_stat_obj = [](uint32_t) { return int32_t{1}; };
  Spawn(1, 50, 1);
  ObjectSlot* grouped = Spawn(1, 40, 2);
  grouped->vars[6] = 1 << 29;
  Spawn(2, 30, 3);
  int32_t def = 0;
  ASSERT_TRUE(SpawnObject(kTypePauseMenu, 0, 0, -65535, 9, 0, 1, &def));
  registers[kRegFreeze] = 1 << 28;  // another group: nothing frozen
  Frame();
  EXPECT_EQ(Traced(), (V{1, 2, 3}));
  registers[kRegFreeze] = 3 << 28;
  Frame();
  EXPECT_EQ(Traced(), (V{1}));
  EXPECT_EQ(grouped->range_state, 255);
  registers[kRegFreeze] = 8;
  object_slots[0]->vars[0] = 0;
  Frame();
  EXPECT_TRUE(trace.empty());
  EXPECT_EQ(Tags(), (V{2, 9}));
  EXPECT_EQ(stat_runs, 3);
}

TEST_F(WorldTest, RangeLatchAndOutOfRangeActions) {
  uint16_t label = AddFunction(kMovementCode, {{kAddSelf, 8, 1}});
  types[1].range_action = 0;
  types[2].range_action = 3;
  types[3].range_action = (1 << 30) | label;
  types[4].range_action = 2;
  for (int t = 1; t <= 4; t++) Mover(t, {{kAddSelf, 7, 1}});
  ObjectSlot* idle = Spawn(1, 50, 1);
  Spawn(2, 40, 2);
  ObjectSlot* runner = Spawn(3, 30, 3);
  ObjectSlot* restorer = Spawn(4, 20, 4);
  ObjectSlot* child = Spawn(1, 10, 5);
  SetChild(restorer, 0, child);
  child->parent = restorer;
  Frame();  // in range at spawn: all run
  EXPECT_EQ(Traced(), (V{1, 2, 3, 4, 5}));
  EXPECT_EQ(restorer->vars[7], 1);
  Frame();  // first frame out of range: the actions
  EXPECT_TRUE(trace.empty());
  EXPECT_EQ(Tags(), (V{1, 3, 4}));
  EXPECT_EQ(runner->vars[8], 1);
  EXPECT_EQ(restorer->vars[7], 0);  // back as spawned
  EXPECT_EQ(restorer->child_count, 0);
  EXPECT_EQ(child->vars[0], 0);
  EXPECT_EQ(idle->range_latch, 1);
  Frame();  // latched: nothing more
  EXPECT_EQ(runner->vars[8], 1);
  runner->range_state = 4;  // the draw pass saw it
  Frame();
  EXPECT_EQ(Traced(), (V{3}));
  EXPECT_EQ(runner->range_latch, 0);
  Frame();  // out of range again: the label runs again
  EXPECT_EQ(runner->vars[8], 2);
  EXPECT_EQ(runner->range_state, 255);
  // State 9 with a snapshot: moved far away instead of restored.
  restorer->range_state = 4;
  Frame();
  restorer->range_state = 9;
  Frame();
  EXPECT_EQ(restorer->vars[1], -65535);
  EXPECT_EQ(restorer->vars[7], 1);
  EXPECT_EQ(restorer->range_latch, 0);
  EXPECT_EQ(restorer->range_state, 255);
}

TEST_F(WorldTest, CountSlotVariantsDuringTheUpdateAndRestoredAfter) {
  CommandHandler before = script_commands[28];
  Mover(1);
  uint16_t pre = AddPlayerFunction({{kTrace, 10}});
  uint16_t post = AddPlayerFunction({{kTrace, 12}});
  SetUpCharacter(pre, post);
  static std::vector<CommandHandler> boundary;
  boundary.clear();
  check_boundary_events = [] { boundary.push_back(script_commands[28]); };
  Spawn(1, 10, 1);
  SpawnPlayerObject(0, 2);
  Frame();
  ASSERT_EQ(Traced(), (V{1, 10, 12}));
  EXPECT_EQ(trace[0].count_slot, CountLoopInObjectVars);
  EXPECT_EQ(trace[1].count_slot, CountLoopInCharacterVars);
  ASSERT_EQ(boundary.size(), 1u);
  EXPECT_EQ(boundary[0], CountLoopInRegisters);
  EXPECT_EQ(script_commands[28], before);
}

TEST_F(WorldTest, PlayerStepRunsScriptsByControlModeAndMovesNextFrame) {
  uint16_t pre = AddPlayerFunction({{kTrace, 10}});
  uint16_t lane = AddPlayerFunction({{kTrace, 11}, {kYieldLoop, 0}});
  uint16_t post = AddPlayerFunction({{kTrace, 12}});
  uint16_t main = AddPlayerFunction({{kTrace, 13}, {kYieldLoop, 0}});
  SetUpCharacter(pre, post);
  PlayerRecord* r = &player_records[0];
  current_context = &r->character_ctx;
  StartFunction(lane);
  timed_context = &r->main_ctx;
  StartTimedFunctionNoArgs(main);
  static std::vector<int32_t> moved;
  moved.clear();
  movement_routines[0] = [](uint8_t step) { moved.push_back(registers[kRegPlayer] * 10 + step); };
  ObjectSlot* o = SpawnPlayerObject(0, 2);
  SpawnPlayerObject(7, 3);  // names no player: no step
  r->moved = 0;
  Frame();
  EXPECT_EQ(Traced(), (V{10, 11, 12, 13}));
  EXPECT_TRUE(moved.empty());  // movement follows in the next update
  EXPECT_EQ(r->moved, 1);
  EXPECT_EQ(registers[kRegPlayer], 0);
  PVar(r, kPvAction) = 5;  // no such action: no labels
  Frame();
  EXPECT_EQ(Traced(), (V{11, 13}));
  EXPECT_EQ(moved, (V{0}));
  PVar(r, kPvControlMode) = 1;
  Frame();
  EXPECT_EQ(Traced(), (V{13}));
  EXPECT_EQ(moved, (V{0}));  // movement only in control mode 0
  PVar(r, kPvControlMode) = 2;
  Frame();
  EXPECT_TRUE(trace.empty());
  PVar(r, kPvControlMode) = 0;
  PVar(r, kPvMovementMode) = -1;  // unsigned: beyond the modes
  Frame();
  EXPECT_EQ(moved, (V{0}));
  PVar(r, kPvMovementMode) = 0;
  o->vars[0] = 0;
  Frame();  // its object ran last frame: one more move, then none
  Frame();
  EXPECT_EQ(moved, (V{0, 0}));
}

// The follow box itself is the camera step's own test; here: the step runs
// from the player's turn, the wrap shift and clamping, and command 1407.
TEST_F(WorldTest, CameraStepFromThePlayerTurnAndCommand1407) {
  SetUpCharacter(kFreeLane, kFreeLane);
  PlayerRecord* r = &player_records[0];
  int32_t* c = r->character_vars;
  c[1] = -16, c[2] = 16, c[3] = -32, c[4] = 32, c[5] = 4, c[6] = 8;
  PVar(r, kPvFlags) = 1 << 4;
  PVar(r, kPvCameraOffsetX) = -160;
  registers[23] = 0, registers[27] = 1000;
  PVar(r, kPvFollowX) = 500;
  PVar(r, kPvX) = 520;  // 4 past the box edge: snap
  SpawnPlayerObject(0, 1);
  Frame();
  EXPECT_EQ(PVar(r, kPvFollowX), 504);
  EXPECT_EQ(registers[19], 344);
  PVar(r, kPvX) = 990, PVar(r, kPvFollowX) = 990;
  Frame();
  EXPECT_EQ(registers[19], 680);  // right limit minus the view width
  // Horizontal wrap: crossing the left edge moves player, box and offset.
  registers[39] = 1, registers[43] = 0;
  PVar(r, kPvX) = -3, PVar(r, kPvFollowX) = 0;
  Frame();
  EXPECT_EQ(PVar(r, kPvX), 997);
  EXPECT_EQ(PVar(r, kPvFollowX), 1000);
  EXPECT_EQ(registers[43], -1000);
  EXPECT_EQ(registers[19], 840);  // no clamping with wrap on
  PVar(r, kPvFlags) = 0;
  PVar(r, kPvX) = 2000;
  Frame();
  EXPECT_EQ(registers[19], 840);  // the camera no longer follows
  // Command 1407: player 1's step now, player 0 selected again after.
  PlayerRecord* r1 = &player_records[1];
  registers[24] = 0, registers[28] = 1000;
  PVar(r1, kPvFollowX) = 600;
  player_operand_d = r1;
  uint32_t words[kOperandPad] = {1407};
  current_instruction = words;
  script_commands[1407]();
  EXPECT_EQ(registers[20], 600);
  EXPECT_EQ(current_player, &player_records[0]);
  player_operand_d = &void_player;
}

TEST_F(WorldTest, PlayerSelectionSetsTheWrapWindowFromRegistersOrThePlane) {
  AllocPlayerVars();
  TilePlane plane;
  plane.width = 40, plane.height = 30;
  planes = &plane;
  plane_count = 1;
  PlayerRecord* r = &player_records[1];
  SelectPlayer(1);
  EXPECT_EQ(registers[kRegPlayer], 1);
  EXPECT_EQ(current_player, r);
  EXPECT_EQ(current_character_vars, r->character_vars);
  EXPECT_EQ(V({wrap_left, wrap_right, wrap_width, wrap_top, wrap_bottom, wrap_height}), (V{0, 320, 320, 0, 240, 240}));
  registers[40] = 1, registers[24] = 16, registers[28] = 500, registers[48] = 484;
  SelectPlayer(1);
  EXPECT_EQ(V({wrap_left, wrap_right, wrap_width, wrap_bottom}), (V{16, 500, 484, 240}));
  PVar(r, kPvPlane) = 5;  // no such plane: registers where wrapping, else empty
  SelectPlayer(1);
  EXPECT_EQ(tile_probe_plane, 5);
  EXPECT_EQ(V({wrap_left, wrap_right, wrap_width, wrap_top, wrap_bottom, wrap_height}), (V{16, 500, 484, 0, 0, 0}));
  SelectPlayer(3);
  EXPECT_EQ(current_player, &void_player);
  EXPECT_EQ(registers[kRegPlayer], 3);
  planes = nullptr;
  plane_count = 0;
}

TEST_F(WorldTest, ResortListMovesObjectsByTheirNewKeys) {
  Mover(1);
  Mover(2, {{kQueueVar, 7}});
  for (int i = 1; i <= 5; i++) Spawn(1, 60 - 10 * i, i);
  spawn_count = 0;
  ObjectSlot* o[6] = {};
  for (uint32_t i = 0; i < 5; i++) o[i + 1] = object_slots[i];
  QueueDrawKeyChange(o[4], 45);  // up: right after the nearest key >= 45
  QueueDrawKeyChange(o[1], 30);  // down: past every key >= 30
  QueueDrawKeyChange(o[5], 99);  // deleted below: skipped
  QueueDrawKeyChange(&void_slot, 99);
  o[5]->vars[0] = 0;
  Frame();
  EXPECT_EQ(Tags(), (V{4, 2, 3, 1}));
  EXPECT_EQ(o[4]->vars[3], 45);
  EXPECT_EQ(o[1]->vars[3], 30);
  EXPECT_EQ(resort_count, 0);
  ExpectDense();
  // Queued by a script, and a raise to an equal key lands after the equal one.
  o[2]->vars[0] = 2;
  o[2]->vars[7] = 45;
  current_context = &o[2]->movement_ctx;
  StartFunction(types[2].movement_label);
  Frame();
  EXPECT_EQ(Tags(), (V{4, 2, 3, 1}));
  o[2]->vars[7] = 46;
  Frame();
  EXPECT_EQ(Tags(), (V{2, 4, 3, 1}));
  ExpectDense();
}

}  // namespace
}  // namespace tolv::test
