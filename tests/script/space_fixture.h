// A test world for command handlers: registers and distinct records behind
// every context slot, filled with varied values, run one instruction at a time.
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <vector>

#include "script/operand_kinds.h"
#include "script/records.h"
#include "script/registers.h"
#include "script/script_state.h"

namespace tolv {

class SpaceFixture : public ::testing::Test {
 protected:
  PlayerRecord pa, pb, pd;
  ObjectSlot oa, ob, od, self;
  std::vector<int32_t> pv[3], ov[4];

  void SetUp() override {
    ASSERT_EQ(BuildCommandTables(), 0);
    AllocRegisters(256);
    PlayerRecord* ps[3] = {player_operand_a = current_player = &pa, player_operand_b = &pb,
                           player_operand_d = &pd};
    ObjectSlot* os[4] = {object_operand_a = &oa, object_operand_b = &ob, object_operand_d = &od,
                         running_slot = &self};
    for (int i = 0; i < 3; i++) {
      pv[i].assign(PlayerBlockSize(), 0);
      ps[i]->character_vars = pv[i].data();
      ps[i]->player_vars = pv[i].data() + character_register_count;
    }
    for (int i = 0; i < 4; i++) {
      ov[i].assign(32, 0);
      os[i]->vars = ov[i].data();
      os[i]->var_count = 32;
    }
  }
  void TearDown() override {
    ResetMachineState();
  }
  void Scramble() {
    uint32_t s = 1;
    auto fill = [&](int32_t* c, size_t n) {
      for (size_t i = 0; i < n; i++) s = s * 1103515245u + 12345u, c[i] = int32_t(s >> 16 & 511) - 128;
    };
    fill(registers, register_count);
    for (auto& v : pv) fill(v.data(), v.size());
    for (auto& v : ov) fill(v.data(), v.size());
  }

  // Runs one instruction; every ID here has one handler in all three tables.
  void Run(std::initializer_list<uint32_t> words) {
    uint32_t w[16] = {};
    std::copy(words.begin(), words.end(), w);
    ASSERT_NE(script_commands[w[0]], UnavailableCommand) << w[0];
    ASSERT_EQ(script_commands[w[0]], timed_commands[w[0]]) << w[0];
    ASSERT_EQ(script_commands[w[0]], stat_obj_commands[w[0]]) << w[0];
    current_instruction = w;
    script_commands[w[0]]();
  }

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
  int32_t Value(Kind k, uint32_t w) { return k == Kind::K ? int32_t(w) : At(k, w); }
  static uint32_t Word(Kind k, uint32_t n) { return k == Kind::R ? kRegisterBit | n : n; }

  // Runs the instruction and checks that exactly these cells changed, to these values.
  struct Write {
    Kind kind;
    uint32_t word;
    int32_t value;
  };
  void Check(std::initializer_list<uint32_t> words, std::initializer_list<Write> writes) {
    SCOPED_TRACE(*words.begin());
    std::vector<int32_t> before = State(), old;
    for (const Write& w : writes) old.push_back(At(w.kind, w.word));
    Run(words);
    size_t k = 0;
    for (const Write& w : writes) EXPECT_EQ(At(w.kind, w.word), w.value);
    for (const Write& w : writes) At(w.kind, w.word) = old[k++];
    EXPECT_EQ(State(), before);
  }
};

}  // namespace tolv
