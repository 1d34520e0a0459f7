// Context slots and object handles.
#include <random>
#include <set>

#include "object_fixture.h"
#include "script/handles.h"

namespace tolv::test {
namespace {

TEST(Handles, EveryRecordHasOneStableDistinctHandle) {
  std::set<int32_t> seen;
  for (int i = 0; i < 2 * kObjectSlotCount; i++) {
    int32_t h = EncodeObjectHandle(&object_pool[i]);
    EXPECT_TRUE(h < 0 && h == EncodeObjectHandle(&object_pool[i])) << i;
    EXPECT_TRUE(DecodeObjectHandle(h) == &object_pool[i] && DecodePlayerHandle(h) == &void_player) << i;
    seen.insert(h);
  }
  for (int p = 0; p < kMaxPlayers; p++) {
    int32_t h = EncodePlayerHandle(&player_records[p]);
    EXPECT_TRUE(h < 0 && DecodePlayerHandle(h) == &player_records[p] && DecodeObjectHandle(h) == &void_slot);
    seen.insert(h);
  }
  EXPECT_EQ(seen.size(), 2u * kObjectSlotCount + kMaxPlayers);
  EXPECT_EQ(DecodeObjectHandle(EncodeObjectHandle(&void_slot)), &void_slot);
}

TEST(Handles, JunkDecodesToTheVoidRecords) {
  std::mt19937 rng(1234);
  std::vector<uint32_t> junk = {0, 1, 0x80000000u, 0xFFFFFFFFu, kHandleBit | kObjectHandleTag | 8192,
                                kObjectHandleTag | 5, kHandleBit | kPlayerHandleTag | 2};
  for (int i = 0; i < 1000; i++) junk.push_back(rng() | 0x80000000u);
  for (uint32_t u : junk) {
    int32_t h = static_cast<int32_t>(u);
    bool object = (u & 0xFFFF0000u) == (kHandleBit | kObjectHandleTag) && (u & 0xFFFF) < 8192;
    bool player = (u & 0xFFFF0000u) == (kHandleBit | kPlayerHandleTag) && (u & 0xFFFF) < 2;
    EXPECT_TRUE(object || DecodeObjectHandle(h) == &void_slot) << u;
    EXPECT_TRUE(player || DecodePlayerHandle(h) == &void_player) << u;
  }
}

class SlotTest : public ObjectScriptTest {};

TEST_F(SlotTest, SelectorsCopiesAndSwaps) {
  const uint8_t expect[7] = {1, 2, 4, 3, 6, 5, 7};  // bits: A, B, D
  running_slot = obj[2];
  for (uint32_t sel = 0; sel < 10; sel++) {
    object_operand_a = object_operand_b = object_operand_d = obj[0];
    player_operand_a = player_operand_b = player_operand_d = &player_records[0];
    Exec({139, sel});
    Exec({137, sel, 1});
    uint8_t got = (object_operand_a == obj[2]) | (object_operand_b == obj[2]) << 1 | (object_operand_d == obj[2]) << 2;
    uint8_t got_p = (player_operand_a == &player_records[1]) | (player_operand_b == &player_records[1]) << 1 |
                    (player_operand_d == &player_records[1]) << 2;
    EXPECT_EQ(got, sel < 7 ? expect[sel] : 0) << sel;
    EXPECT_EQ(got_p, got) << sel;
  }

  object_operand_a = obj[0], object_operand_b = obj[1], object_operand_d = obj[2];
  Exec({1247, 1, 6});  // B onto A and D, not onto itself
  EXPECT_TRUE(object_operand_a == obj[1] && object_operand_b == obj[1] && object_operand_d == obj[1]);
  object_operand_a = obj[0], object_operand_d = obj[2];
  Exec({1249, 1});
  EXPECT_TRUE(object_operand_b == obj[2] && object_operand_d == obj[1]);
  Exec({1249, 1});
  Exec({1249, 3});     // no such pair
  Exec({1247, 3, 6});  // no such source
  EXPECT_TRUE(object_operand_a == obj[0] && object_operand_b == obj[1] && object_operand_d == obj[2]);
  player_operand_a = &player_records[0], player_operand_b = &player_records[1], player_operand_d = &void_player;
  Exec({1246, 0, 4});
  EXPECT_TRUE(player_operand_b == &player_records[0] && player_operand_d == &player_records[0]);
  Exec({1248, 2});
  EXPECT_TRUE(player_operand_a == &player_records[0] && player_operand_d == &player_records[0]);
}

TEST_F(SlotTest, MissingRecordsGiveTheVoidRecord) {
  ObjectSlot* kids[2] = {obj[3], nullptr};
  obj[1]->children = kids;
  obj[1]->child_count = 2;
  obj[3]->parent = obj[1];
  running_slot = obj[1];
  object_operand_a = obj[3];
  struct Case {
    uint32_t id, op2;
    ObjectSlot* want;
  };
  for (Case c : {Case{372, 0, obj[3]}, Case{372, 1, &void_slot}, Case{372, 2, &void_slot},
                 Case{372, 0x80000005, &void_slot}, Case{371, 0, &void_slot}, Case{373, 0, obj[1]},
                 Case{374, 0, &void_slot}, Case{138, 3, obj[3]}, Case{138, 4, &void_slot}, Case{324, 0, &void_slot},
                 Case{349, 0, &void_slot}}) {
    object_operand_d = obj[0];
    Exec({c.id, 2, c.op2});
    EXPECT_EQ(object_operand_d, c.want) << c.id << " " << c.op2;
  }
  registers[kRegActiveObjects] = 100000;  // a junk count reaches no further than the table
  Exec({138, 2, 5000});
  EXPECT_EQ(object_operand_d, &void_slot);
  Exec({137, 2, 2});
  EXPECT_EQ(player_operand_d, &void_player);
  obj[1]->children = nullptr;
}

TEST_F(SlotTest, HandlesMadeByScriptsRoundTrip) {
  running_slot = obj[2];
  object_operand_a = obj[1];
  player_operand_a = &player_records[1];
  object_operand_d = obj[3];
  player_operand_d = &player_records[0];
  for (uint32_t id = 978; id <= 989; id++) {
    uint32_t where = (id - 978) % 6 / 2;  // register 60, PD variable 20, OD variable 9
    int32_t& cell = where == 0 ? registers[60] : where == 1 ? player_block[0][20] : vars[3][9];
    cell = 0;
    Exec({id, where == 0 ? 60u : where == 1 ? 20u : 9u});
    EXPECT_LT(cell, 0) << id;
  }
  Exec({979, 60});
  Exec({995, 6, 60});
  EXPECT_TRUE(object_operand_a == obj[2] && object_operand_b == obj[2] && object_operand_d == obj[2]);
  Exec({978, 61});  // register 9 names player 0
  Exec({990, 2, 61});
  EXPECT_EQ(player_operand_d, &player_records[0]);
  object_operand_d = object_operand_a = obj[0];
  Exec({983, 9});  // through variables: self handle into OD 9, read back from OA 9
  Exec({999, 2, 9});
  EXPECT_EQ(object_operand_d, obj[2]);

  // A player handle given to an object command, and junk, name the void
  // slot, whose variables take no writes.
  Exec({995, 2, 61});
  EXPECT_EQ(object_operand_d, &void_slot);
  Exec({983, 3});
  EXPECT_EQ(ODVar(3), 0);
  registers[63] = 12345;
  Exec({1199, 63});
  EXPECT_EQ(running_slot, &void_slot);
  Exec({1199, 60});
  EXPECT_EQ(running_slot, obj[2]);
}

}  // namespace
}  // namespace tolv::test
