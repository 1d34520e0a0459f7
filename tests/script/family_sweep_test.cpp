// Sweeps every ID of the arithmetic, assignment, power and compare families
// with edge values in every operand space and checks the whole machine
// state against the reference model: the right cell changes, in the right
// space, to the right value, and nothing else moves.
#include <climits>

#include "family_reference.h"
#include "script/family_signatures.h"
#include "space_fixture.h"

namespace tolv {
namespace {

using ref::Shape;

constexpr uint32_t kTarget = 0x10000 + 9;  // only the low 16 bits count

class FamilySweep : public SpaceFixture {
 protected:
  uint16_t funcs[2] = {0, 0}, pcs[2] = {0, 0};
  ScriptContext plain;
  TimedScriptContext timed;
  bool aliased = false;  // every A, B, D slot on record A, every word on one cell

  void SetUp() override {
    SpaceFixture::SetUp();
    plain.lane_funcs = &funcs[0], plain.lane_pcs = &pcs[0], plain.lane_count = 1;
    timed.lane_funcs = &funcs[1], timed.lane_pcs = &pcs[1], timed.lane_count = 1;
    current_context = &plain;
    timed_context = &timed;
    current_lane = 0;
  }
  void TearDown() override {
    SpaceFixture::TearDown();
    current_context = nullptr;
    timed_context = nullptr;
  }
  void Alias(bool on) {
    aliased = on;
    player_operand_b = on ? &pa : &pb, player_operand_d = on ? &pa : &pd;
    object_operand_b = on ? &oa : &ob, object_operand_d = on ? &oa : &od;
  }
  // The kind whose record a slot names under the current aliasing.
  Kind Home(Kind k) const {
    if (!aliased) return k;
    if (k == Kind::PB || k == Kind::PD) return Kind::PA;
    if (k == Kind::OB || k == Kind::OD) return Kind::OA;
    return k;
  }
  // Operand word at position k; constants carry the value.
  uint32_t Word(Kind kind, int k, int32_t value) const {
    uint32_t slot = aliased ? 1 : static_cast<uint32_t>(k);
    if (kind == Kind::K) return static_cast<uint32_t>(value);
    return kind == Kind::R ? kRegisterBit | (296 + slot) : 2 + slot;
  }

  // Runs one family instruction through the script table (and the timed
  // table for jumps) and checks it against the model.
  void Sweep(int id, const ref::Cmd& c, int32_t va, int32_t vb) {
    Kind s[4] = {Kind::None, c.a, c.b, Kind::None};  // spaces at op1..op3
    switch (c.shape) {
      case Shape::kThree: s[3] = c.dst; break;
      case Shape::kCompound: case Shape::kInto: s[1] = c.b, s[2] = c.dst; break;
      case Shape::kMove: case Shape::kMask: s[1] = c.dst; break;
      case Shape::kInPlace: s[1] = c.dst, s[2] = Kind::None; break;
      default: break;
    }
    Scramble();
    uint32_t w[4] = {static_cast<uint32_t>(id), Word(s[1], 1, va), Word(s[2], 2, vb),
                     s[3] == Kind::None ? kTarget : Word(s[3], 3, 0)};
    for (int k = 1; k <= 2; k++)
      if (s[k] != Kind::None && s[k] != Kind::K) At(Home(s[k]), w[k]) = k == 1 ? va : vb;
    int32_t x = s[1] == Kind::None ? 0 : Value(Home(s[1]), w[1]);
    int32_t y = s[2] == Kind::None ? 0 : Value(Home(s[2]), w[2]);
    auto to = [&](int k, int32_t v) { return Write{Home(s[k]), w[k], v}; };
    std::optional<int32_t> r;
    switch (c.shape) {
      case Shape::kThree:
        r = ref::Eval(c.op, x, y);
        return r ? Check({w[0], w[1], w[2], w[3]}, {to(3, *r)}) : Check({w[0], w[1], w[2], w[3]}, {});
      case Shape::kCompound:
        r = ref::Eval(c.op, y, x);
        return r ? Check({w[0], w[1], w[2]}, {to(2, *r)}) : Check({w[0], w[1], w[2]}, {});
      case Shape::kMove: return Check({w[0], w[1], w[2]}, {to(1, y)});
      case Shape::kMask: return Check({w[0], w[1], w[2]}, {to(1, *ref::Eval(c.op, x, y))});
      case Shape::kInPlace: return Check({w[0], w[1]}, {to(1, *ref::Eval(c.op, x, 0))});
      case Shape::kInto: return Check({w[0], w[1], w[2]}, {to(2, *ref::Eval(c.op, x, 0))});
      case Shape::kSwap: return Check({w[0], w[1], w[2]}, {to(1, y), to(2, x)});
      default: break;
    }
    bool jumps = ref::Test(c.op, x, y) == (c.shape == Shape::kWhile);
    std::vector<int32_t> before = State();
    for (int t = 0; t < 3; t++) {
      CommandHandler* table = t == 0 ? script_commands : t == 1 ? timed_commands : stat_obj_commands;
      pcs[0] = 0x1234, pcs[1] = 0x4321;
      current_instruction = w;
      table[id]();
      uint16_t want = static_cast<uint16_t>(kTarget);
      EXPECT_EQ(pcs[0], t != 1 && jumps ? want : 0x1234) << id << " table " << t << " " << va << " " << vb;
      EXPECT_EQ(pcs[1], t == 1 && jumps ? want : 0x4321) << id << " table " << t << " " << va << " " << vb;
    }
    EXPECT_EQ(State(), before) << id;
  }
};

const int32_t kEdges[] = {0, 1, -1, 2, -2, 7, -7, 31, 32, 33, 65536, INT_MIN, INT_MAX};

TEST_F(FamilySweep, EveryFamilyIdMatchesTheReferenceModel) {
  int members = 0;
  for (int id = 0; id < kCommandCount; id++) {
    ref::Cmd c = ref::Decode(id);
    if (c.shape == Shape::kNone) continue;
    members++;
    for (int32_t va : kEdges)
      for (int32_t vb : kEdges)
        for (bool on : {false, true}) {
          Alias(on);
          Sweep(id, c, va, vb);
          if (HasFailure()) return;
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
  for (uint32_t id : {46u, 52u, 58u, 62u}) {
    Scramble();
    Check({id, kRegisterBit | 296, kRegisterBit | 297, kRegisterBit | 298}, {});
  }
  EXPECT_EQ(script_commands[153], UnavailableCommand);
  EXPECT_EQ(timed_commands[153], UnavailableCommand);
  EXPECT_EQ(stat_obj_commands[153], UnavailableCommand);
}

}  // namespace
}  // namespace tolv
