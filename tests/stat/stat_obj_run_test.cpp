// Layout instances: building the tree, triggers, lanes, tweening with
// arrival counters, deletion from inside and the trims.
#include "base/key_state.h"
#include "objects/world_update.h"
#include "stat/stat_obj_def.h"
#include "stat_obj_world.h"

namespace tolv::test {

using StatObjRun = StatObjWorld;

static std::string SetReg(int r, int v) { return "#45 :r" + std::to_string(r) + " :" + std::to_string(v) + "\n"; }
static std::string Fn(const std::string& body) { return body + "#End\n"; }

TEST_F(StatObjRun, BuildsTheTreeElementsAndAnimations) {
  Layout l;
  l.selection = "1";
  // node 0 under the screen root, 1 under node 0, 2 under the later node
  // 3, 3 under itself.
  l.nodes = "4  255 1 2 0 0 9 9 1 0 0 0 0  0 3 4 -1 -2 5 6 1 0 0 0 0  3 0 0 0 0 1 1 1 0 0 0 0  3 0 0 0 0 1 1 1 0 0 0 0";
  l.sprites = "1 1 a.pcx 0 0 12 6";
  l.elements = "3  0 255 0 1 1 1 7 8  3 0 1 200 0 0  0 255 0 n 2 254 0 0";
  l.functions = "2 " + Fn(SetReg(100, 1)) + Fn(SetReg(105, 5) + "#1527 :1\n");
  ObjectSlot* o = SpawnLayout(Load(l));
  ASSERT_TRUE(o);
  StatObj* so = Instance(o);
  ASSERT_TRUE(so);
  EXPECT_EQ(o->vars[7], o->stat_instance);
  ASSERT_EQ(so->node_count, 6);
  EXPECT_EQ(so->selected_node, 3);
  EXPECT_EQ(so->nodes[1].right, 319);
  EXPECT_EQ(so->nodes[1].bottom, 199);
  ASSERT_EQ(so->nodes[1].child_count, 1);
  EXPECT_EQ(so->nodes[1].children[0], 2);
  ASSERT_EQ(so->nodes[2].child_count, 1);
  EXPECT_EQ(so->nodes[2].children[0], 3);
  EXPECT_EQ(so->nodes[3].left_target, -1);
  EXPECT_EQ(so->nodes[3].clip_bottom, 6);
  EXPECT_EQ(so->nodes[5].child_count + so->nodes[4].child_count, 0);  // 4 hangs under a later node
  EXPECT_EQ(so->nodes[5].parent, kNoNode);                            // 5 named itself
  ASSERT_EQ(so->nodes[3].element_count, 1);
  EXPECT_EQ(so->elements[0].width, 12);
  EXPECT_EQ(so->elements[1].parent, kNoNode);
  EXPECT_EQ(so->nodes[0].element_count, 1);
  // The element starts its animation (function 1) without running it; the
  // layout's function 0 waits for the first run.
  EXPECT_EQ(FindLane(&so->elements[0].anim, 1), 0);
  EXPECT_EQ(so->elements[2].anim.lane_count, 0);
  EXPECT_EQ(FindLane(&so->ctx, 0), 0);
  EXPECT_EQ(registers[100], 0);
  Run(o);
  EXPECT_EQ(registers[100], 1);
  EXPECT_EQ(registers[105], 5);  // the element's lane ran through timed_commands
  EXPECT_EQ(so->ctx.lane_funcs[0], kFreeLane);
}

TEST_F(StatObjRun, TriggersOfTheSelectedNodeAndItsMenuEntry) {
  Layout l;
  l.selection = "0";
  // Node 0: group 1 fires on t5 or on an empty combination (never); group
  // 2 on t6. Entry 0 of node 0 fires on the own pad's entry 1 (pt1).
  l.nodes = "1  255 0 0 0 0 9 9 1 0 0 0 2  2 1 t5 0 1  1 1 t6 2";
  l.sets = "1  0 0 0 1  1 1 pt1 3";
  l.functions = "4 " + Fn("") + Fn(SetReg(101, 1)) + Fn(SetReg(102, 1)) + Fn(SetReg(103, 1));
  pad_stride = 30;
  ObjectSlot* o = SpawnLayout(Load(l), 1);
  StatObj* so = Instance(o);
  key_state[5] = key_state[6] = 1;
  key_state[512 + 30 + 1] = 1;
  Run(o);
  EXPECT_EQ(registers[101] + registers[102] + registers[103], 0);  // triggers off
  so->triggers_enabled = 1;
  Run(o);
  EXPECT_EQ(registers[101], 1);
  EXPECT_EQ(registers[102], 0);  // one function per list and frame
  EXPECT_EQ(registers[103], 1);  // player 1's pad block
  EXPECT_EQ(registers[kRegPlayer], 1);
  registers[101] = registers[103] = 0;
  key_state[5] = 0;
  key_state[512 + 30 + 1] = 0;
  key_state[512 + 1] = 1;  // player 0's entry does not count for player 1
  Run(o);
  EXPECT_EQ(registers[102], 1);
  EXPECT_EQ(registers[101] + registers[103], 0);
  std::memset(key_state, 0, 600);
  pad_stride = 0;
}

TEST_F(StatObjRun, TweeningReachesTargetsAndCountsArrivals) {
  Layout l;
  l.nodes = "1  255 0 0 0 0 10 10 1 0 0 0 0";
  l.elements = "3  3 0 1 255 0 0  3 0 1 255 0 0  3 0 1 255 0 0";
  ObjectSlot* o = SpawnLayout(Load(l));
  StatObj* so = Instance(o);
  StatObjElement* e = so->elements;
  e[0].x_target = 10;  // x only: arrives on the third frame
  e[0].x_speed = 4;
  e[0].counter = 0;
  e[1].x_target = 6;  // both axes in the same frame: one arrival
  e[1].y_target = -6;
  e[1].x_speed = e[1].y_speed = 6;
  e[1].counter = 1;
  e[2].x_target = 5;  // speed 0: never
  e[2].counter = 2;
  StatObjNode& n = so->nodes[2];
  n.left_target = -4;
  n.right_target = 16;
  n.edge_speed_h = 0x10003;  // low 16 bits: 3
  n.y_target = 3;
  n.y_speed = 1;
  n.counter = 3;
  for (int f = 0; f < 2; f++) Run(o);
  EXPECT_EQ(e[0].x, 8);
  EXPECT_EQ(so->counters[0], 0);
  EXPECT_EQ(so->counters[1], 1);
  EXPECT_EQ(so->counters[3], 1);  // the edges arrived
  Run(o);
  EXPECT_EQ(e[0].x, 10);
  EXPECT_EQ(so->counters[0], 1);
  EXPECT_EQ(so->counters[3], 2);  // and the position, counted apart
  for (int f = 0; f < 5; f++) Run(o);
  EXPECT_EQ(so->counters[0], 1);
  EXPECT_EQ(so->counters[1], 1);
  EXPECT_EQ(so->counters[2], 0);
  EXPECT_EQ(n.left, -4);
  EXPECT_EQ(n.right, 16);
  EXPECT_EQ(n.y, 3);
  EXPECT_EQ(so->counters[3], 2);
}

TEST_F(StatObjRun, CountLoopsOnTheInstanceCounters) {
  Layout l;
  l.functions = "1 @top\n#28 :@top :1 :2\n" + Fn(SetReg(100, 1));
  ObjectSlot* o = SpawnLayout(Load(l));
  for (int f = 0; f < 2; f++) Run(o);
  EXPECT_EQ(Instance(o)->counters[1], 2);
  EXPECT_EQ(registers[100], 0);
  Run(o);
  EXPECT_EQ(registers[100], 1);
  EXPECT_EQ(Instance(o)->counters[1], 0);
}

TEST_F(StatObjRun, ALaneRunsExactlyItsBudgetPerRun) {
  Layout l;
  l.functions = "1 " + Fn(SetReg(100, 1) + SetReg(101, 1) + SetReg(102, 1));
  const uint64_t saved_budget = lane_budget;
  for (uint64_t budget : {1, 2}) {
    SCOPED_TRACE(budget);
    lane_budget = budget;
    registers[100] = registers[101] = registers[102] = 0;
    ObjectSlot* o = SpawnLayout(Load(l));
    auto done = [] { return registers[100] + registers[101] + registers[102]; };
    Run(o);
    EXPECT_EQ(done(), int32_t(budget));
    Run(o);
    EXPECT_EQ(done(), int32_t(std::min<uint64_t>(3, 2 * budget)));
  }
  lane_budget = saved_budget;
}

TEST_F(StatObjRun, DeletionFromItsOwnScriptEndsTheRun) {
  Layout l;
  l.elements = "1  3 0 1 255 0 0";
  l.functions = "1 " + Fn(SetReg(100, 1) + "#0\n" + SetReg(101, 1));
  ObjectSlot* o = SpawnLayout(Load(l));
  int32_t id = o->stat_instance;
  StatObj* so = Instance(o);
  so->elements[0].x_target = 5;
  so->elements[0].x_speed = 5;
  Run(o);
  EXPECT_EQ(registers[100], 1);
  EXPECT_EQ(registers[101], 0);
  EXPECT_EQ(o->vars[0], 0);
  EXPECT_EQ(o->stat_instance, 0);
  EXPECT_FALSE(stat_obj_pool[id - 1].in_use);
  UpdateWorld();
  EXPECT_EQ(Active(), 0);
  // Retyped to a plain object from its own script: the instance goes, the
  // run ends cleanly.
  AddType();
  l.functions = "1 " + Fn("#1179 :1\n" + SetReg(102, 1));
  o = SpawnLayout(Load(l));
  Run(o);
  EXPECT_EQ(o->vars[0], 1);
  EXPECT_EQ(o->stat_instance, 0);
  EXPECT_EQ(registers[102], 0);
  // The same from an element's animation: the instance goes when the run
  // that is inside it ends.
  l.elements = "1  0 255 0 1 1 255 0 0";
  l.sprites = "1 1 a.pcx 0 0 4 4";
  l.functions = "2 " + Fn("#1527 :0\n") + Fn("#1179 :1\n" + SetReg(103, 1));
  o = SpawnLayout(Load(l));
  id = o->stat_instance;
  Run(o);
  EXPECT_EQ(registers[103], 1);
  EXPECT_EQ(o->stat_instance, 0);
  EXPECT_FALSE(stat_obj_pool[id - 1].in_use);
}

TEST_F(StatObjRun, RunsFromTheWorldUpdate) {
  Layout l;
  l.functions = "1 " + Fn(SetReg(100, 7));
  SpawnLayout(Load(l));
  UpdateWorld();
  EXPECT_EQ(registers[100], 7);
}

TEST_F(StatObjRun, TrimsDeleteInstancesOfTrimmedDefinitions) {
  int game = Load(Layout{}, 0);
  int zone = Load(Layout{}, 1);
  ObjectSlot* hud = SpawnLayout(game);
  ObjectSlot* zone_hud = SpawnLayout(zone, 1);
  ObjectSlot* menu = SpawnLayout(zone, -1);
  registers[kRegPause] = 1;
  pause_stat_obj = static_cast<uint16_t>(zone);
  pause_slot = menu;
  TrimZoneStatObjDefs();  // while the level runs
  EXPECT_EQ(hud->vars[0], kTypeHud);
  EXPECT_TRUE(Instance(hud));
  EXPECT_EQ(zone_hud->vars[0], 0);
  EXPECT_EQ(zone_hud->stat_instance, 0);
  EXPECT_EQ(menu->vars[0], 0);
  EXPECT_EQ(registers[kRegPause], 0);
  EXPECT_EQ(pause_stat_obj, 65535);
  EXPECT_EQ(stat_obj_def_counts.total, 1);
  registers[kRegLevelStarted] = 0;  // a restart resets every object
  TrimStatObjDefs();
  EXPECT_EQ(Active(), 0);
  EXPECT_EQ(hud->stat_instance, 0);
  for (const StatObj& so : stat_obj_pool) ASSERT_FALSE(so.in_use);
}

}  // namespace tolv::test
