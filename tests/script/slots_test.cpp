// Context slots and object handles.
#include <random>
#include <set>
#include <vector>

#include "objects/player_select.h"
#include "script/handles.h"
#include "object_fixture.h"

namespace tolv::test {
namespace {

TEST(Handles, EveryRecordHasOneStableDistinctHandle) {
  std::set<int32_t> seen;
  for (int i = 0; i < 2 * kObjectSlotCount; i++) {
    int32_t h = EncodeObjectHandle(&object_pool[i]);
    EXPECT_LT(h, 0);  // bit 31
    EXPECT_EQ(h, EncodeObjectHandle(&object_pool[i]));
    EXPECT_EQ(DecodeObjectHandle(h), &object_pool[i]);
    EXPECT_EQ(DecodePlayerHandle(h), &void_player);
    seen.insert(h);
  }
  for (int p = 0; p < kMaxPlayers; p++) {
    int32_t h = EncodePlayerHandle(&player_records[p]);
    EXPECT_LT(h, 0);
    EXPECT_EQ(DecodePlayerHandle(h), &player_records[p]);
    EXPECT_EQ(DecodeObjectHandle(h), &void_slot);
    seen.insert(h);
  }
  EXPECT_EQ(seen.size(), 2u * kObjectSlotCount + kMaxPlayers);
  EXPECT_EQ(DecodeObjectHandle(EncodeObjectHandle(&void_slot)), &void_slot);
  EXPECT_EQ(DecodePlayerHandle(EncodePlayerHandle(&void_player)), &void_player);
}

TEST(Handles, JunkDecodesToTheVoidRecords) {
  std::mt19937 rng(1234);
  std::vector<int32_t> junk = {0, 1, static_cast<int32_t>(0x80000000u), -1, 0x7FFFFFFF,
                               static_cast<int32_t>(kHandleBit | kObjectHandleTag | 8192),
                               static_cast<int32_t>(kObjectHandleTag | 5)};
  for (int i = 0; i < 1000; i++) junk.push_back(static_cast<int32_t>(rng() | 0x80000000u));
  for (int32_t h : junk) {
    uint32_t u = static_cast<uint32_t>(h);
    bool object_handle = (u & 0xFFFF0000u) == (kHandleBit | kObjectHandleTag) && (u & 0xFFFF) < 8192;
    bool player_handle = (u & 0xFFFF0000u) == (kHandleBit | kPlayerHandleTag) && (u & 0xFFFF) < 2;
    if (!object_handle) {
      EXPECT_EQ(DecodeObjectHandle(h), &void_slot) << h;
    }
    if (!player_handle) {
      EXPECT_EQ(DecodePlayerHandle(h), &void_player) << h;
    }
  }
}

class SlotTest : public ObjectScriptTest {};

TEST_F(SlotTest, SelectorsSetTheirSlots) {
  const bool expect[7][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 0}, {0, 1, 1}, {1, 0, 1}, {1, 1, 1}};
  running_slot = obj[2];
  for (int sel = 0; sel < 7; sel++) {
    object_operand_a = object_operand_b = object_operand_d = obj[0];
    Exec({139, static_cast<uint32_t>(sel)});
    EXPECT_EQ(object_operand_a == obj[2], expect[sel][0]) << sel;
    EXPECT_EQ(object_operand_b == obj[2], expect[sel][1]) << sel;
    EXPECT_EQ(object_operand_d == obj[2], expect[sel][2]) << sel;
    player_operand_a = player_operand_b = player_operand_d = &player_records[0];
    Exec({137, static_cast<uint32_t>(sel), 1});
    EXPECT_EQ(player_operand_a == &player_records[1], expect[sel][0]) << sel;
    EXPECT_EQ(player_operand_b == &player_records[1], expect[sel][1]) << sel;
    EXPECT_EQ(player_operand_d == &player_records[1], expect[sel][2]) << sel;
  }
  object_operand_a = object_operand_b = object_operand_d = obj[0];
  for (uint32_t sel : {7u, 0xFFFFFFFFu, 100u}) Exec({139, sel});
  EXPECT_TRUE(object_operand_a == obj[0] && object_operand_b == obj[0] && object_operand_d == obj[0]);
}

TEST_F(SlotTest, CopiesAndSwaps) {
  object_operand_a = obj[0];
  object_operand_b = obj[1];
  object_operand_d = obj[2];
  Exec({1247, 1, 6});  // B onto A and D
  EXPECT_TRUE(object_operand_a == obj[1] && object_operand_b == obj[1] && object_operand_d == obj[1]);
  object_operand_a = obj[0];
  object_operand_d = obj[2];
  Exec({1249, 1});
  EXPECT_TRUE(object_operand_b == obj[2] && object_operand_d == obj[1]);
  Exec({1249, 1});
  EXPECT_TRUE(object_operand_b == obj[1] && object_operand_d == obj[2]);
  Exec({1249, 2});
  EXPECT_TRUE(object_operand_a == obj[2] && object_operand_d == obj[0]);
  Exec({1249, 3});
  Exec({1247, 3, 6});
  EXPECT_TRUE(object_operand_a == obj[2] && object_operand_b == obj[1] && object_operand_d == obj[0]);

  player_operand_a = &player_records[0];
  player_operand_b = &player_records[1];
  player_operand_d = &void_player;
  Exec({1246, 0, 4});  // A onto B and D
  EXPECT_TRUE(player_operand_b == &player_records[0] && player_operand_d == &player_records[0]);
  player_operand_b = &player_records[1];
  Exec({1248, 0});
  EXPECT_TRUE(player_operand_a == &player_records[1] && player_operand_b == &player_records[0]);
}

TEST_F(SlotTest, MissingRecordsGiveTheVoidRecord) {
  ObjectSlot* kids[2] = {obj[3], nullptr};
  obj[1]->children = kids;
  obj[1]->child_count = 2;
  obj[3]->parent = obj[1];
  running_slot = obj[1];
  object_operand_a = obj[3];
  struct Case {
    std::vector<uint32_t> words;
    ObjectSlot* want;
  };
  const Case cases[] = {
      {{372, 2, 0}, obj[3]}, {{372, 2, 1}, &void_slot}, {{372, 2, 2}, &void_slot},
      {{372, 2, 0x80000005}, &void_slot}, {{371, 2}, &void_slot}, {{373, 2}, obj[1]},
      {{374, 2, 0}, &void_slot}, {{138, 2, 3}, obj[3]}, {{138, 2, 4}, &void_slot},
      {{138, 2, 0x80000000}, &void_slot}, {{324, 2}, &void_slot}, {{349, 2}, &void_slot},
  };
  for (const Case& c : cases) {
    object_operand_d = obj[0];
    Exec({c.words[0], c.words[1], c.words.size() > 2 ? c.words[2] : 0});
    EXPECT_EQ(object_operand_d, c.want) << c.words[0] << " " << c.words.back();
  }
  registers[kRegActiveObjects] = 100000;  // a junk count cannot reach past the table
  Exec({138, 2, 5000});
  EXPECT_EQ(object_operand_d, &void_slot);
  Exec({137, 2, 2});
  EXPECT_EQ(player_operand_d, &void_player);
  obj[1]->children = nullptr;
  obj[1]->child_count = 0;
}

TEST_F(SlotTest, HandlesMadeByScriptsRoundTrip) {
  running_slot = obj[2];
  object_operand_a = obj[1];
  player_operand_a = &player_records[1];
  registers[kRegPlayer] = 0;
  object_operand_d = obj[3];
  player_operand_d = &player_records[0];
  for (uint32_t id = 978; id <= 989; id++) {
    uint32_t where = (id - 978) % 6 / 2;  // 0 register 60, 1 PD variable 20, 2 OD variable 9
    int32_t& cell = where == 0 ? registers[60] : where == 1 ? player_block[0][20] : vars[3][9];
    cell = 0;
    Exec({id, where == 0 ? 60u : where == 1 ? 20u : 9u});
    EXPECT_LT(cell, 0) << id;
  }
  Exec({979, 60});
  Exec({995, 6, 60});
  EXPECT_TRUE(object_operand_a == obj[2] && object_operand_b == obj[2] && object_operand_d == obj[2]);
  Exec({978, 61});
  Exec({990, 2, 61});
  EXPECT_EQ(player_operand_d, &player_records[0]);
  Exec({985, 62});
  EXPECT_EQ(DecodeObjectHandle(registers[62]), obj[2]);

  // Handles stored in variables: self, OA, PA and character variables.
  object_operand_d = obj[0];
  Exec({983, 9});  // self handle into OD variable 9
  EXPECT_EQ(DecodeObjectHandle(vars[0][9]), obj[2]);
  object_operand_a = obj[0];
  Exec({999, 2, 9});
  EXPECT_EQ(object_operand_d, obj[2]);
  player_operand_d = &player_records[1];
  Exec({980, 20});  // current player handle into PD variable 20
  player_operand_a = &player_records[1];
  Exec({993, 2, 20});
  EXPECT_EQ(player_operand_d, &player_records[0]);

  // A player handle given to an object command, and junk, name the void slot.
  Exec({995, 2, 61});
  EXPECT_EQ(object_operand_d, &void_slot);
  registers[63] = 12345;
  Exec({1199, 63});
  EXPECT_EQ(running_slot, &void_slot);
  Exec({983, 3});  // into a variable of the void record (OD): dropped
  EXPECT_EQ(ODVar(3), 0);
  EXPECT_EQ(void_slot.vars, nullptr);
  Exec({1199, 62});
  EXPECT_EQ(running_slot, obj[2]);
}

}  // namespace
}  // namespace tolv::test
