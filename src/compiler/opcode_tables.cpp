// The compiler's opcode tables, derived at compile time from the command
// family signatures: each signature fills the cell of its operation and
// operand kinds; the commutative operations and the comparisons then borrow
// the mirrored cell for pairs that have no command of their own.
#include "compiler/opcode_tables.h"

#include "script/family_signatures.h"

namespace tolv {
namespace {

constexpr int KindIndex(Kind s) {
  switch (s) {
    case Kind::R: return kKindRegister;
    case Kind::PA: case Kind::PB: case Kind::PD: return kKindPlayer;
    case Kind::OA: case Kind::OB: case Kind::OD: return kKindObject;
    default: return kKindConstant;
  }
}

struct Tables {
  std::array<int16_t, 11 * 3 * 16> binary{};
  std::array<int16_t, 14 * 3 * 4> assign{};
  std::array<int16_t, 4 * 3> unary{};
  std::array<int16_t, 6 * 16> ifs{};
  std::array<int16_t, 6 * 16> whiles{};
  std::array<int16_t, 12> ifflag{};
  std::array<int16_t, 18> flag{};
  bool clash = false;  // two signatures in one cell
  bool hole = false;   // a cell left empty

  constexpr void Put(int16_t& cell, int id) {
    if (cell) clash = true;
    cell = static_cast<int16_t>(id);
  }
  constexpr void PutStore(const Sig& s) {
    int op = static_cast<int>(s.op), d = KindIndex(s.dst);
    if (s.dst_word == 3) {
      Put(binary[((op * 3 + d) * 4 + KindIndex(s.a)) * 4 + KindIndex(s.b)], s.id);
    } else if (s.op == Oper::kMove) {  // built source first, then exchanged
      Put(assign[(0 * 3 + d) * 4 + KindIndex(s.b)], -s.id);
    } else if (s.dst_word == 2 && s.b_word == 1) {  // compound, power in place
      Put(assign[((kEvalCompound + op - kEvalMove) * 3 + d) * 4 + KindIndex(s.b)], s.id);
    } else if (s.dst_word == 2) {  // negate or absolute value into
      int e = s.op == Oper::kNeg ? kEvalNegInto : kEvalAbsInto;
      Put(assign[((e - kEvalMove) * 3 + d) * 4 + KindIndex(s.a)], s.id);
    } else if (s.b == Kind::None) {  // one operand in place
      int e = s.op == Oper::kInc ? kEvalInc : s.op == Oper::kDec ? kEvalDec : s.op == Oper::kNeg ? kEvalNeg : kEvalAbs;
      Put(unary[(e - kEvalInc) * 3 + d], s.id);
    } else {  // flags: constant mask or register bit number
      bool off = s.op == Oper::kAnd || s.op == Oper::kClearBit;
      bool on = s.op == Oper::kOr || s.op == Oper::kSetBit;
      int state = off ? 0 : on ? 1 : 2;
      Put(flag[(state * 3 + d) * 2 + (s.b == Kind::R)], s.id);
    }
  }
  constexpr void PutTest(const Sig& s) {
    int a = KindIndex(s.a), b = KindIndex(s.b);
    if (s.op >= Oper::kMaskSet) {
      int state = s.op == Oper::kMaskSet || s.op == Oper::kBitSet;
      Put(ifflag[(state * 3 + a) * 2 + (b == kKindRegister)], s.id);
      return;
    }
    int cmp = static_cast<int>(s.op) - static_cast<int>(Oper::kLt);
    auto& t = s.form == Form::kIf ? ifs : whiles;
    Put(t[(cmp * 4 + a) * 4 + b], s.id);
  }
};

constexpr bool Commutative(int op) {
  return op == kEvalAdd || op == kEvalMul || op == kEvalAnd || op == kEvalOr || op == kEvalXor;
}
// < and > swap, <= and >= swap, == and != stay.
constexpr int MirrorCompare(int cmp) { return cmp < 4 ? cmp ^ 1 : cmp; }

// Empty cells of a 4 x 4 kind block take minus the mirrored cell; two
// constants take the empty command.
constexpr void MirrorBlock(int16_t* block, const int16_t* source) {
  for (int a = 0; a < 4; a++)
    for (int b = 0; b < 4; b++) {
      int16_t& cell = block[a * 4 + b];
      if (a == kKindConstant && b == kKindConstant) cell = kEmptyCommandId;
      else if (!cell && source && source[b * 4 + a] > 0) cell = static_cast<int16_t>(-source[b * 4 + a]);
    }
}

template <size_t N>
constexpr bool HasHole(const std::array<int16_t, N>& t) {
  for (int16_t v : t)
    if (!v) return true;
  return false;
}

constexpr Tables BuildTables() {
  Tables t;
  for (const SigList* l : kFamilySigLists)
    for (size_t i = 0; i < l->count; i++) {
      const Sig& s = l->items[i];
      if (s.form == Form::kStore) t.PutStore(s);
      else if (s.form != Form::kSwap) t.PutTest(s);
    }
  for (int op = 0; op <= kEvalPow; op++)
    for (int d = 0; d < 3; d++) {
      int16_t* block = &t.binary[(op * 3 + d) * 16];
      MirrorBlock(block, Commutative(op) ? block : nullptr);
    }
  for (int cmp = 0; cmp < 6; cmp++) {
    MirrorBlock(&t.ifs[cmp * 16], &t.ifs[MirrorCompare(cmp) * 16]);
    MirrorBlock(&t.whiles[cmp * 16], &t.whiles[MirrorCompare(cmp) * 16]);
  }
  for (int16_t& v : t.assign)  // a constant source of negate or abs into
    if (!v) v = kEmptyCommandId;
  t.hole = HasHole(t.binary) || HasHole(t.unary) || HasHole(t.ifs) || HasHole(t.whiles) ||
           HasHole(t.ifflag) || HasHole(t.flag);
  return t;
}

constexpr Tables kTables = BuildTables();
static_assert(!kTables.clash && !kTables.hole, "family signatures do not cover the opcode tables");

}  // namespace

const std::array<int16_t, 11 * 3 * 16> eval_binary_ids = kTables.binary;
const std::array<int16_t, 14 * 3 * 4> eval_assign_ids = kTables.assign;
const std::array<int16_t, 4 * 3> eval_unary_ids = kTables.unary;
const std::array<int16_t, 6 * 16> if_ids = kTables.ifs;
const std::array<int16_t, 6 * 16> while_ids = kTables.whiles;
const std::array<int16_t, 12> ifflag_ids = kTables.ifflag;
const std::array<int16_t, 18> flag_ids = kTables.flag;

}  // namespace tolv
