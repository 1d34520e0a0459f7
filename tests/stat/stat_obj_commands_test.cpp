// Layout commands: placement modes and anchors, rectangles, menu entries
// and node selection, element and node edits, counter waits, and the
// object and player commands that share the family.
#include "objects/character.h"
#include "objects/object_links.h"
#include "stat/stat_obj_def.h"
#include "stat_obj_world.h"

namespace tolv::test {

class StatObjCommands : public StatObjWorld {
 protected:
  // Node 0 (instance 2) under the screen root with the rectangle 0..99 x
  // 0..30 at (10, 20); node 1 (instance 3) under node 0. Element 0 is a
  // 20 x 4 sprite in node 0, element 1 a 6 x 4 sprite in node 1.
  void SetUp() override {
    StatObjWorld::SetUp();
    Layout l;
    l.nodes = "2  255 10 20 0 0 99 30 1 0 1 2 0  0 0 0 0 0 9 9 1 0 3 4 0";
    l.sprites = "1 2 a.pcx 0 0 20 4 a.pcx 0 0 6 4";
    l.sets = "4  5 6 0 0  7 8 1 0  9 10 0 0  11 12 0 0";
    l.elements = "2  0 255 0 n 1 0 0 0  0 255 0 n 1 1 0 0";
    l.functions = "13 ";
    for (int f = 0; f < 13; f++) l.functions += "#1527 :0\n#End\n";
    o = SpawnLayout(Load(l));
    so = Instance(o);
    so->elements[1].frame = 1;
    MeasureStatObjElement(&so->elements[1]);
  }
  // Runs one instruction on the layout object; returns the yield flag.
  int Exec(std::vector<uint32_t> words) {
    words.resize(16, 0);
    running_slot = o;
    current_context = running_context = &so->ctx;
    current_lane = 0;
    yield_flag = 0;
    current_instruction = words.data();
    stat_obj_commands[words[0]]();
    return yield_flag;
  }
  bool Started(uint16_t f) const { return FindLane(&so->ctx, f) >= 0; }
  void StopAll() {
    current_context = &so->ctx;
    ClearContext();
  }
  ObjectSlot* o = nullptr;
  StatObj* so = nullptr;
};

TEST_F(StatObjCommands, AbsoluteAndParentRelativePlacement) {
  StatObjElement& e = so->elements[0];
  Exec({2, 0, 0, 0, 160});
  EXPECT_EQ(e.x, 150);  // centred on 160
  EXPECT_EQ(e.x_target, 150);
  Exec({2, 0, 1, 2, 50});
  EXPECT_EQ(e.y, 46);  // far edge on 50
  Exec({2, 0, 0, 3, 7});
  EXPECT_EQ(e.x, 150);  // anchor 3 keeps it in mode 0
  StatObjNode& n = so->nodes[2];
  Exec({6, 0, 1, 2, 100});
  EXPECT_EQ(n.y, 70);  // bottom at 100
  EXPECT_EQ(n.y_target, 70);
  n.scroll_x = 5;
  Exec({2, 0, 2, 0, 1});
  EXPECT_EQ(e.x, 0 + 49 - 10 + 5 + 1);  // centred in the parent
  Exec({2, 0, 2, 1, 0});
  EXPECT_EQ(e.x, 5 - 20);
  Exec({2, 0, 2, 2, 0});
  EXPECT_EQ(e.x, 99 + 1 + 5);
  Exec({2, 0, 2, 4, 0});
  EXPECT_EQ(e.x, 99 + 1 + 5 - 20);  // an element ends one past the edge
  StatObjNode& inner = so->nodes[3];
  Exec({6, 1, 2, 4, 0});
  EXPECT_EQ(inner.x, 99 + 5 - 9);  // a node ends on it
  // Only the target moves with 3 and 7; the anchor 5 keeps the coordinate.
  Exec({3, 0, 0, 1, 40});
  EXPECT_EQ(e.x_target, 40);
  EXPECT_EQ(e.x, 85);
  Exec({2, 0, 0, 9, 1});
  EXPECT_EQ(e.x_target, 85);
  Exec({7, 0, 9, 0, 0});  // mode above 7
  EXPECT_EQ(n.x_target, 10);
}

TEST_F(StatObjCommands, ReferencePlacementAndRegisterFlags) {
  StatObjElement& a = so->elements[0];
  StatObjElement& b = so->elements[1];
  a.x = 30;
  a.y = 8;
  Exec({2, 1, 4, 0, 0, 2});
  EXPECT_EQ(b.x, 30 - 6 + 2);  // just before element 0
  Exec({2, 1, 4, 1, 0, 0});
  EXPECT_EQ(b.x, 50);
  Exec({2, 1, 4, 2, 0, 0});
  EXPECT_EQ(b.x, 30 + 10 - 3);
  Exec({2, 1, 5, 4, 0, 1});
  EXPECT_EQ(b.y, 8 + 4 - 4 + 1);
  // Mode 6: the reference node's rectangle and its x; above 255 an
  // element's own parent.
  Exec({2, 1, 6, 3, 0, 1});
  EXPECT_EQ(b.x, 0 + 10 + 1);
  Exec({2, 1, 6, 3, 300, 0});
  EXPECT_EQ(b.x, 0 + 0);  // node 1 at x 0
  Exec({6, 1, 6, 3, 300, 0});
  EXPECT_EQ(so->nodes[3].x, 0);  // no reference node: unchanged
  // Index from register 70 (bit 15), value from register 71 (bit 12).
  registers[70] = 1;
  registers[71] = 90;
  Exec({2, 0x8000 | 0x1000 | 70, 0, 1, 71});
  EXPECT_EQ(b.x, 90);
  Exec({2, 7, 0, 1, 5});  // no element 7
  Exec({2, 0, 2, 0, 0});  // parent-relative: fine
}

TEST_F(StatObjCommands, RectanglesSetAndTweened) {
  StatObjNode& n = so->nodes[3];
  registers[72] = -3;
  registers[73] = 1;
  Exec({92, (1u << 31) | (1u << 27) | 73, 72, 1, 40, 30});
  EXPECT_EQ(n.left, -3);
  EXPECT_EQ(n.left_target, -3);
  EXPECT_EQ(n.right, 40);
  EXPECT_EQ(n.bottom_target, 30);
  Exec({93, 1, static_cast<uint32_t>(-3), 1, 40, 30, 2, 2, 1});
  EXPECT_EQ(so->counters[1], 1);  // already there: counted at once
  Exec({93, 1, 0, 1, 44, 30, 2, 0, 2});
  EXPECT_EQ(n.edge_speed_h, 2);
  EXPECT_EQ(n.counter, 2);
  for (int f = 0; f < 2; f++) Run(o);
  EXPECT_EQ(n.left, 0);
  EXPECT_EQ(n.right, 44);
  EXPECT_EQ(so->counters[2], 1);
}

TEST_F(StatObjCommands, MenuEntriesOfTheSelectedNode) {
  // Node 0 (instance 2) owns entries 0, 2 and 3; entry 1 is node 1's.
  Exec({1425, 0});
  EXPECT_EQ(so->selected_node, 2);
  EXPECT_TRUE(Started(1));  // node 0's enter function
  StopAll();
  StatObjNode& n = so->nodes[2];
  Exec({18, 0});
  EXPECT_EQ(n.trigger_set, 2);
  EXPECT_TRUE(Started(6));  // leave of entry 0
  EXPECT_TRUE(Started(9));  // enter of entry 2
  StopAll();
  Exec({18, 0});
  EXPECT_EQ(n.trigger_set, 3);
  Exec({18, 0});
  EXPECT_EQ(n.trigger_set, 3);  // last entry, no wrap
  Exec({18, 1});
  EXPECT_EQ(n.trigger_set, 0);  // wraps to the first
  Exec({19, 0});
  EXPECT_EQ(n.trigger_set, 0);
  Exec({19, 1});
  EXPECT_EQ(n.trigger_set, 3);
  Exec({19, 1});
  EXPECT_EQ(n.trigger_set, 2);
  StopAll();
  Exec({1424, 1});
  EXPECT_EQ(n.trigger_set, 1);
  EXPECT_TRUE(Started(10) && Started(7));
  Exec({1424, 4});
  EXPECT_EQ(n.trigger_set, 1);  // no entry 4
  StopAll();
  Exec({1425, 1});
  EXPECT_EQ(so->selected_node, 3);
  EXPECT_TRUE(Started(2) && Started(3));
  StopAll();
  Exec({1425, 255});
  EXPECT_EQ(so->selected_node, 1);
  EXPECT_TRUE(Started(4));  // node 1's leave
  Exec({1425, 2});
  EXPECT_EQ(so->selected_node, 1);  // no node 2
  EXPECT_EQ(script_commands[1425], UnavailableCommand);
}

TEST_F(StatObjCommands, ElementAndNodeEdits) {
  AddFont(3);
  StatObjElement& e = so->elements[0];
  Exec({9, 0, 2});
  EXPECT_EQ(e.visible, 2);
  Exec({10, 254, 0});
  EXPECT_EQ(so->nodes[0].visible, 1);  // roots stay
  Exec({10, 1, 0});
  EXPECT_EQ(so->nodes[3].visible, 0);
  Exec({12, 0, 11});
  EXPECT_EQ(e.anim.code, nullptr);
  Exec({14, 0, 0});
  Exec({11, 0x10000, 0});  // low 16 bits: element 0, font 0
  EXPECT_EQ(e.height, 16);
  Exec({12, 0, 2});
  EXPECT_EQ(e.anim.code, &player_functions);
  Exec({12, 0, 0});
  EXPECT_EQ(e.anim.code, &stat_obj_defs[so->def_index].functions);
  Exec({14, 0, 0});
  Exec({38, 0, 1});
  EXPECT_EQ(e.width, 6);
  Exec({14, 0, 0});
  EXPECT_EQ(e.frame, 0);
  EXPECT_EQ(e.width, 20);
  Exec({90, 0, 5});
  EXPECT_EQ(FindLane(&e.anim, 5), 0);
  Exec({90, 0, 6});
  EXPECT_EQ(e.anim.lane_count, 1);
  EXPECT_EQ(FindLane(&e.anim, 6), 0);
  // Moving elements and nodes.
  Exec({16, 0, 1});
  EXPECT_EQ(so->nodes[2].element_count, 0);
  ASSERT_EQ(so->nodes[3].element_count, 2);
  EXPECT_EQ(so->nodes[3].elements[1], 0);
  EXPECT_EQ(e.parent, 3);
  Exec({384, 0, 1});  // under its own child: refused
  EXPECT_EQ(so->nodes[2].parent, 1);
  Exec({384, 255, 0});  // a root: refused
  Exec({384, 1, 1});    // itself: refused
  Exec({384, 1, 255});
  EXPECT_EQ(so->nodes[3].parent, 1);
  EXPECT_EQ(so->nodes[2].child_count, 0);
  EXPECT_EQ(so->nodes[1].child_count, 2);
  Exec({384, 0, 1});  // now allowed
  EXPECT_EQ(so->nodes[2].parent, 3);
  EXPECT_EQ(so->nodes[1].child_count, 1);
}

TEST_F(StatObjCommands, CounterWaitsAndCounters) {
  so->counters[0] = 0;
  int yields = 0;
  while (Exec({5, 0, 0, 3})) yields++;
  EXPECT_EQ(yields, 3);
  EXPECT_EQ(so->counters[0], 0);
  Exec({20, 1, 2});
  EXPECT_EQ(Exec({5, 1, 1}), 1);
  EXPECT_EQ(Exec({5, 1, 1}), 1);
  EXPECT_EQ(Exec({5, 1, 1}), 0);
  Exec({20, 2, 5});
  EXPECT_EQ(Exec({5, 2, 2, 6}), 1);
  EXPECT_EQ(Exec({5, 2, 2, 5}), 0);
  EXPECT_EQ(so->counters[2], 0);
  EXPECT_EQ(Exec({5, 9, 0, 3}), 0);  // no counter 9
  Exec({20, 9, 1});
  Exec({4, 1, 1, 3, 2});
  EXPECT_EQ(so->elements[1].y_speed, 3);
  Exec({8, 0, 0, 4, 3});
  EXPECT_EQ(so->nodes[2].x_speed, 4);
  EXPECT_EQ(so->nodes[2].counter, 3);
}

TEST_F(StatObjCommands, WithoutAnInstanceNothingHappens) {
  ObjectType& t = AddType();
  ASSERT_TRUE(Spawn(TypeId(t)));
  ObjectSlot* plain = last_spawned_slot;
  for (uint32_t id : {2u, 5u, 6u, 9u, 12u, 16u, 18u, 20u, 92u, 384u, 1424u, 1425u, 28u}) {
    std::vector<uint32_t> w(16, 0);
    w[0] = id;
    running_slot = plain;
    yield_flag = 0;
    current_instruction = w.data();
    stat_obj_commands[id]();
    EXPECT_EQ(yield_flag, 0) << id;
  }
}

TEST_F(StatObjCommands, ChildLinksLabelsAndCharacterDefaults) {
  ObjectType& t = AddType();
  ASSERT_TRUE(Spawn(TypeId(t)));
  ObjectSlot* parent = last_spawned_slot;
  ASSERT_TRUE(Spawn(TypeId(t)));
  ObjectSlot* child = last_spawned_slot;
  SetChild(parent, 1, child);
  object_operand_a = child;
  running_slot = parent;
  std::vector<uint32_t> w = {378, 5, 0, 0};
  current_instruction = w.data();
  script_commands[378]();
  ASSERT_EQ(parent->child_count, 6);
  EXPECT_EQ(parent->children[1], child);
  EXPECT_EQ(parent->children[2], nullptr);
  EXPECT_EQ(parent->children[5], child);
  // Label table: a first triplet whose slot already holds its value ends
  // the command.
  PlayerRecord& p = player_records[0];
  p.labels = static_cast<uint16_t*>(std::calloc(3, sizeof(uint16_t)));
  p.label_count = 3;
  p.labels[0] = 4;
  player_operand_d = &p;
  w = {322, 6, 0, 4, 0, 1, 9, 0, 0, 0};
  current_instruction = w.data();
  current_context = nullptr;
  script_commands[322]();
  EXPECT_EQ(p.labels[1], 0);
  w = {322, 6, 1, 9, 0, 2, 0x40000001, 0};
  script_commands[322]();
  EXPECT_EQ(p.labels[1], 9);
  EXPECT_EQ(p.labels[2], 9);  // the entry just set
}

}  // namespace tolv::test
