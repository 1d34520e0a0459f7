// A test world for command handlers: registers and distinct player and
// object records behind every context slot, run one instruction at a time.
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <vector>

#include "objects/records.h"
#include "script/commands.h"
#include "script/operand_kinds.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

class SpaceFixture : public ::testing::Test {
 protected:
  static constexpr uint32_t kObjVars = 32;
  PlayerRecord pa, pb, pd;
  ObjectSlot oa, ob, od, self;
  std::vector<int32_t> pv[3], ov[4];

  void SetUp() override {
    ASSERT_EQ(BuildCommandTables(), 0);
    AllocRegisters(256);
    std::memset(registers, 0, register_count * sizeof(int32_t));
    PlayerRecord* ps[3] = {&pa, &pb, &pd};
    for (int i = 0; i < 3; i++) {
      pv[i].assign(PlayerBlockSize(), 0);
      ps[i]->character_vars = pv[i].data();
      ps[i]->player_vars = pv[i].data() + character_register_count;
    }
    ObjectSlot* os[4] = {&oa, &ob, &od, &self};
    for (int i = 0; i < 4; i++) {
      ov[i].assign(kObjVars, 0);
      os[i]->vars = ov[i].data();
      os[i]->var_count = kObjVars;
    }
    player_operand_a = &pa, player_operand_b = &pb, player_operand_d = &pd;
    object_operand_a = &oa, object_operand_b = &ob, object_operand_d = &od;
    running_slot = &self;
    current_player = &pa;
  }
  void TearDown() override {
    player_operand_a = player_operand_b = player_operand_d = current_player = &void_player;
    object_operand_a = object_operand_b = object_operand_d = running_slot = &void_slot;
  }

  // Runs one instruction through each command table in turn (stat table
  // last), checking all three serve the ID with the same handler.
  void Run(std::initializer_list<uint32_t> words) {
    uint32_t w[16] = {};
    std::copy(words.begin(), words.end(), w);
    uint32_t id = w[0];
    ASSERT_NE(script_commands[id], UnavailableCommand) << id;
    ASSERT_EQ(script_commands[id], timed_commands[id]) << id;
    ASSERT_EQ(script_commands[id], stat_obj_commands[id]) << id;
    current_instruction = w;
    script_commands[id]();
  }

  // Every cell of every space, for whole-state comparisons.
  std::vector<int32_t> State() const {
    std::vector<int32_t> s(registers, registers + register_count);
    for (auto& v : pv) s.insert(s.end(), v.begin(), v.end());
    for (auto& v : ov) s.insert(s.end(), v.begin(), v.end());
    return s;
  }

  // Model addressing: the cell an operand word of a kind names.
  int32_t& At(Kind k, uint32_t w) {
    switch (k) {
      case Kind::R: return registers[w & kIndexMask];
      case Kind::PA: return pv[0][w];
      case Kind::PB: return pv[1][w];
      case Kind::PD: return pv[2][w];
      case Kind::OA: return ov[0][w];
      case Kind::OB: return ov[1][w];
      default: return ov[2][w];
    }
  }
  int32_t Value(Kind k, uint32_t w) { return k == Kind::K ? static_cast<int32_t>(w) : At(k, w); }
  // Runs the instruction and checks that exactly the given cells changed,
  // to the given values.
  struct Write {
    Kind kind;
    uint32_t word;
    int32_t value;
  };
  void Check(std::initializer_list<uint32_t> words, std::initializer_list<Write> writes) {
    SCOPED_TRACE(*words.begin());
    std::vector<int32_t> before = State();
    std::vector<int32_t> old;
    for (const Write& w : writes) old.push_back(At(w.kind, w.word));
    Run(words);
    size_t k = 0;
    for (const Write& w : writes) EXPECT_EQ(At(w.kind, w.word), w.value);
    for (const Write& w : writes) At(w.kind, w.word) = old[k++];
    EXPECT_EQ(State(), before);
  }

  // A word naming cell n of a kind (registers get the register flag).
  static uint32_t Word(Kind k, uint32_t n) { return k == Kind::R ? kRegisterBit | n : n; }
};

}  // namespace tolv
