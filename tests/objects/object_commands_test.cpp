#include "object_world.h"
#include "objects/object_links.h"
#include "objects/stat_obj_hooks.h"

namespace tolv::test {

constexpr uint32_t kProbe = 1550;
static int probes = 0;

class ObjectCommands : public ObjectWorld {
 protected:
  void SetUp() override {
    ObjectWorld::SetUp();
    AllocRegisters(64);
    script_commands[kProbe] = [] { probes++; };
    probes = 0;
  }
  // Spawns an object whose Movement label is the given code and runs its
  // Movement lanes once.
  ObjectSlot* RunAsObject(std::initializer_list<std::vector<uint32_t>> code) {
    ObjectType& t = AddType(2);
    t.movement_label = AddFunction(kMovementCode, code);
    EXPECT_TRUE(Spawn(TypeId(t)));
    ObjectSlot* o = last_spawned_slot;
    Run(o);
    return o;
  }
  void Run(ObjectSlot* o) {
    SavedMachineState keep;
    running_slot = o;
    current_context = &o->movement_ctx;
    RunLanes();
    running_slot = &void_slot;
  }
};

TEST_F(ObjectCommands, ResetPutsTheSlotsBackInPoolOrder) {
  std::swap(object_slots[0], object_slots[5]);  // as a draw-order resort leaves them
  object_slots[0]->order_index = 0;
  object_slots[5]->order_index = 5;
  ResetObjects();
  for (int i = 0; i < kObjectSlotCount; i++) {
    EXPECT_EQ(object_slots[i], &object_pool[i]) << i;
    EXPECT_EQ(object_slots[i]->order_index, i) << i;
  }
}

TEST_F(ObjectCommands, SpawnReadsOperandsAndHoldsArgumentsToTheInstruction) {
  ObjectType& target = AddType(1);
  SetInitialiser(target, 0, "*1");
  uint32_t id = static_cast<uint32_t>(TypeId(target));
  registers[300] = 55;
  registers[301] = static_cast<int32_t>(id);
  RunAsObject({{36, id, 7, 8, 9, 0, 0, 2, 11, 22}});
  EXPECT_EQ(last_spawned_slot->vars[1], 7);
  EXPECT_EQ(last_spawned_slot->vars[3], 9);
  EXPECT_EQ(last_spawned_slot->vars[7], 22);
  RunAsObject({{36, kRegisterBit | (1u << 29) | 301, 300, 8, 0, 0, 0, 0}});
  EXPECT_EQ(last_spawned_slot->vars[0], static_cast<int32_t>(id));
  EXPECT_EQ(last_spawned_slot->vars[1], 55);
  RunAsObject({{36, id, 1, 2, 0, 0, 0, 5000}, {kProbe}});  // count beyond the instruction
  EXPECT_EQ(last_spawned_slot->vars[7], 0);
  EXPECT_EQ(probes, 1);
}

TEST_F(ObjectCommands, DeleteAndRetypeSelf) {
  ObjectType& other = AddType();
  ObjectSlot* o = RunAsObject({{88}, {kProbe}});
  EXPECT_EQ(o->vars[0], 0);
  EXPECT_NE(o->former_type, 0u);
  EXPECT_EQ(probes, 1);
  ObjectSlot* r = RunAsObject({{1179, static_cast<uint32_t>(TypeId(other))}, {kProbe}});
  EXPECT_EQ(r->vars[0], TypeId(other));
  EXPECT_EQ(r->movement_ctx.lane_count, 0);
  EXPECT_EQ(probes, 1);  // the retype ended the lane's turn
}

TEST_F(ObjectCommands, ParentLinksAndDetach) {
  ObjectType& t = AddType();
  ASSERT_TRUE(Spawn(TypeId(t)));
  ObjectSlot* a = last_spawned_slot;
  ObjectSlot* child = RunAsObject({});
  object_operand_a = a;
  object_operand_d = child;
  script_commands[375]();
  EXPECT_EQ(child->parent, a);
  EXPECT_EQ(a->child_count, 0);  // only the parent word is set
  SetChild(a, 0, child);
  object_operand_b = child;
  script_commands[1525]();
  EXPECT_EQ(child->parent, nullptr);
  EXPECT_EQ(a->children[0], nullptr);
  object_operand_a = object_operand_b = object_operand_d = &void_slot;
}

TEST_F(ObjectCommands, PauseMenuThatCannotBeBuiltLeavesTheGameRunning) {
  ObjectSlot* o = RunAsObject({{1398, 3}});
  (void)o;
  EXPECT_EQ(registers[kRegPause], 0);
  EXPECT_TRUE(Logged("No Stat Objs currently loaded"));
  RunAsObject({{1397, 12}});
  EXPECT_EQ(registers[kRegPause], 1);
  EXPECT_EQ(pause_function, 12);
  EXPECT_EQ(pause_stat_obj, 65535);
}

}  // namespace tolv::test
