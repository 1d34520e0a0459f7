// Sweeps every ID of the arithmetic, assignment, power and compare families
// with edge values in every operand space and checks the whole machine
// state against the reference model: the right cell changes, in the right
// space, to the right value, and nothing else moves.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "family_reference.h"
#include "script/commands.h"
#include "script/family_signatures.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {
namespace {

using ref::Shape;
using ref::Sp;

constexpr int kObjVars = 16;
constexpr uint32_t kTarget = 0x10000 + 9;  // only the low 16 bits count

struct State {
  std::vector<int32_t> regs;
  int32_t obj[3][kObjVars];
  int32_t ply[3][64];
  uint16_t plain_pc, timed_pc;
  bool operator==(const State& o) const {
    return regs == o.regs && !std::memcmp(obj, o.obj, sizeof obj) && !std::memcmp(ply, o.ply, sizeof ply) &&
           plain_pc == o.plain_pc && timed_pc == o.timed_pc;
  }
};

class FamilySweep : public ::testing::Test {
 protected:
  ObjectSlot objs[3];
  PlayerRecord plys[3];
  int32_t obj_vars[3][kObjVars];
  int32_t ply_vars[3][64];
  uint16_t funcs[2] = {0, 0}, pcs[2];
  ScriptContext plain;
  TimedScriptContext timed;

  void SetUp() override {
    AllocRegisters(64);
    ASSERT_LE(PlayerBlockSize(), 64u);
    for (int i = 0; i < 3; i++) {
      objs[i].vars = obj_vars[i];
      objs[i].var_count = kObjVars;
      plys[i].character_vars = ply_vars[i];
    }
    plain.lane_funcs = &funcs[0];
    plain.lane_pcs = &pcs[0];
    plain.lane_count = 1;
    timed.lane_funcs = &funcs[1];
    timed.lane_pcs = &pcs[1];
    timed.lane_count = 1;
    current_context = &plain;
    timed_context = &timed;
    current_lane = 0;
  }
  void TearDown() override {
    object_operand_a = object_operand_b = object_operand_d = &void_slot;
    player_operand_a = player_operand_b = player_operand_d = &void_player;
    current_context = nullptr;
    timed_context = nullptr;
  }

  // aliased: every A, B, D slot names record 0 and every operand word the
  // same cell, so destinations overlap sources.
  void Reset(bool aliased) {
    for (uint32_t r = 0; r < register_count; r++) registers[r] = static_cast<int32_t>(0x5000 + r);
    for (int i = 0; i < 3; i++)
      for (int k = 0; k < kObjVars; k++) obj_vars[i][k] = 0x1000 * (i + 1) + k;
    for (int i = 0; i < 3; i++)
      for (int k = 0; k < 64; k++) ply_vars[i][k] = -0x1000 * (i + 1) - k;
    int b = aliased ? 0 : 1, d = aliased ? 0 : 2;
    object_operand_a = &objs[0], object_operand_b = &objs[b], object_operand_d = &objs[d];
    player_operand_a = &plys[0], player_operand_b = &plys[b], player_operand_d = &plys[d];
    pcs[0] = 0x1234;
    pcs[1] = 0x4321;
  }

  State Snap() {
    State s;
    s.regs.assign(registers, registers + register_count);
    std::memcpy(s.obj, obj_vars, sizeof s.obj);
    std::memcpy(s.ply, ply_vars, sizeof s.ply);
    s.plain_pc = pcs[0];
    s.timed_pc = pcs[1];
    return s;
  }

  // The cell a word addresses in space sp, within a state snapshot.
  int32_t* CellIn(State& s, Sp sp, uint32_t w, bool aliased) {
    int b = aliased ? 0 : 1, d = aliased ? 0 : 2;
    switch (sp) {
      case Sp::R: return &s.regs[w & kIndexMask];
      case Sp::PA: return &s.ply[0][w];
      case Sp::PB: return &s.ply[b][w];
      case Sp::PD: return &s.ply[d][w];
      case Sp::OA: return &s.obj[0][w];
      case Sp::OB: return &s.obj[b][w];
      case Sp::OD: return &s.obj[d][w];
      default: return nullptr;
    }
  }
  int32_t Value(State& s, Sp sp, uint32_t w, bool aliased) {
    return sp == Sp::K ? static_cast<int32_t>(w) : *CellIn(s, sp, w, aliased);
  }

  // Operand word for position k in space sp; constants carry the value.
  static uint32_t Word(Sp sp, int k, int32_t value, bool aliased) {
    int slot = aliased ? 1 : k;
    if (sp == Sp::K) return static_cast<uint32_t>(value);
    if (sp == Sp::R) return kRegisterBit | static_cast<uint32_t>(296 + slot);
    return static_cast<uint32_t>(2 + slot);
  }

  // Runs one instruction through a table and checks it against the model.
  void Check(int id, const ref::Cmd& c, CommandHandler* table, bool timed_table, int32_t va, int32_t vb,
             bool aliased) {
    Reset(aliased);
    // Spaces at op1, op2, op3 for each shape.
    Sp s1 = Sp::None, s2 = Sp::None, s3 = Sp::None;
    switch (c.shape) {
      case Shape::kThree: s1 = c.a, s2 = c.b, s3 = c.dst; break;
      case Shape::kCompound: s1 = c.b, s2 = c.dst; break;
      case Shape::kMove: s1 = c.dst, s2 = c.b; break;
      case Shape::kMask: s1 = c.dst, s2 = c.b; break;
      case Shape::kInPlace: s1 = c.dst; break;
      case Shape::kInto: s1 = c.b, s2 = c.dst; break;
      default: s1 = c.a, s2 = c.b; break;
    }
    uint32_t w[4 + kOperandPad] = {static_cast<uint32_t>(id), Word(s1, 1, va, aliased), Word(s2, 2, vb, aliased),
                                   s3 == Sp::None ? kTarget : Word(s3, 3, 0, aliased)};
    State before = Snap();
    if (s1 != Sp::None && s1 != Sp::K) *CellIn(before, s1, w[1], aliased) = va;
    if (s2 != Sp::None && s2 != Sp::K) *CellIn(before, s2, w[2], aliased) = vb;
    State expect = before;
    int32_t x = s1 == Sp::None ? 0 : Value(before, s1, w[1], aliased);
    int32_t y = s2 == Sp::None ? 0 : Value(before, s2, w[2], aliased);
    std::optional<int32_t> r;
    switch (c.shape) {
      case Shape::kThree:
        if ((r = ref::Eval(c.op, x, y))) *CellIn(expect, s3, w[3], aliased) = *r;
        break;
      case Shape::kCompound:
        if ((r = ref::Eval(c.op, y, x))) *CellIn(expect, s2, w[2], aliased) = *r;
        break;
      case Shape::kMove: *CellIn(expect, s1, w[1], aliased) = y; break;
      case Shape::kMask: *CellIn(expect, s1, w[1], aliased) = *ref::Eval(c.op, x, y); break;
      case Shape::kInPlace: *CellIn(expect, s1, w[1], aliased) = *ref::Eval(c.op, x, 0); break;
      case Shape::kInto: *CellIn(expect, s2, w[2], aliased) = *ref::Eval(c.op, x, 0); break;
      case Shape::kSwap:
        *CellIn(expect, s1, w[1], aliased) = y;
        *CellIn(expect, s2, w[2], aliased) = x;
        break;
      case Shape::kIf:
      case Shape::kWhile:
        if (ref::Test(c.op, x, y) == (c.shape == Shape::kWhile))
          (timed_table ? expect.timed_pc : expect.plain_pc) = static_cast<uint16_t>(kTarget);
        break;
      case Shape::kNone: break;
    }
    // Write the edge values into the live cells, then run.
    std::memcpy(&obj_vars[0][0], &before.obj[0][0], sizeof before.obj);
    std::memcpy(&ply_vars[0][0], &before.ply[0][0], sizeof before.ply);
    std::copy(before.regs.begin(), before.regs.end(), registers);
    current_instruction = w;
    table[id]();
    ASSERT_TRUE(Snap() == expect) << "ID " << id << " op " << c.op << " a=" << va << " b=" << vb
                                  << (aliased ? " aliased" : "") << (timed_table ? " timed" : "");
  }
};

const int32_t kEdges[] = {0, 1, -1, 2, -2, 7, -7, 31, 32, 33, 65536, INT_MIN, INT_MAX};

TEST_F(FamilySweep, EveryFamilyIdMatchesTheReferenceModel) {
  ASSERT_EQ(BuildCommandTables(), 0);
  int members = 0;
  for (int id = 0; id < kCommandCount; id++) {
    ref::Cmd c = ref::Decode(id);
    if (c.shape == Shape::kNone) continue;
    members++;
    ASSERT_NE(script_commands[id], UnavailableCommand) << id;
    bool jumps = c.shape == Shape::kIf || c.shape == Shape::kWhile;
    // One handler in all tables, except that jumps act on the table's lane.
    ASSERT_EQ(script_commands[id], stat_obj_commands[id]) << id;
    if (!jumps) {
      ASSERT_EQ(script_commands[id], timed_commands[id]) << id;
    }
    for (int32_t va : kEdges)
      for (int32_t vb : kEdges)
        for (bool aliased : {false, true}) {
          Check(id, c, script_commands, false, va, vb, aliased);
          if (jumps) Check(id, c, timed_commands, true, va, vb, aliased);
          if (HasFatalFailure()) return;
        }
  }
  // 489 arithmetic, 57 power, 68 assignment, 120 compare; the engine's
  // signature lists hold exactly these IDs.
  EXPECT_EQ(members, 734);
  size_t sigs = 0;
  for (const SigList* l : kFamilySigLists) {
    sigs += l->count;
    for (size_t i = 0; i < l->count; i++)
      EXPECT_NE(ref::Decode(l->items[i].id).shape, Shape::kNone) << l->items[i].id;
  }
  EXPECT_EQ(sigs, 734u);
}

TEST_F(FamilySweep, EmptyCommandsChangeNothing) {
  for (int id : {46, 52, 58, 62, 153}) {
    Reset(false);
    State before = Snap();
    uint32_t w[4 + kOperandPad] = {static_cast<uint32_t>(id), kRegisterBit | 296, kRegisterBit | 297,
                                   kRegisterBit | 298};
    current_instruction = w;
    script_commands[id]();
    timed_commands[id]();
    stat_obj_commands[id]();
    EXPECT_TRUE(Snap() == before) << id;
  }
}

}  // namespace
}  // namespace tolv
