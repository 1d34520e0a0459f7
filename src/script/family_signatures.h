// Signatures of the regular command families: moves, in-place commands,
// three-operand arithmetic and bitwise commands, compound assignments,
// powers and compare-and-jump commands. Each family member is one Sig
// (operation, destination space, operand spaces, operand words), generated
// here from the family's ID layout. The handlers, the command lists and
// the compiler's opcode tables are all derived from these lists.
#pragma once
#include <cstddef>
#include <cstdint>

#include "script/operand_kinds.h"

namespace tolv {


// Binary operations come first, in the expression compiler's numbering
// (add 0 .. pow 10); then the unary and bit operations; then the tests,
// the comparisons in the compiler's operator order (< > <= >= == !=).
enum class Oper : uint8_t {
  kAdd, kSub, kMul, kDiv, kShl, kSar, kAnd, kOr, kXor, kMod, kPow,
  kMove, kInc, kDec, kNeg, kAbs, kSetBit, kClearBit, kFlipBit,
  kLt, kGt, kLe, kGe, kEq, kNe, kMaskSet, kMaskClear, kBitSet, kBitClear,
};

// kStore: dst := op(a, b). kSwap: exchange a and b. kIf: jump to word 3
// when the test fails. kWhile: jump to word 3 when it holds.
enum class Form : uint8_t { kStore, kSwap, kIf, kWhile };

struct Sig {
  uint16_t id = 0;
  Form form = Form::kStore;
  Oper op = Oper::kMove;
  Kind dst = Kind::None, a = Kind::None, b = Kind::None;
  uint8_t dst_word = 0, a_word = 0, b_word = 0;  // 0 = unused
};

constexpr int kMaxFamilySigs = 640;

struct SigList {
  Sig items[kMaxFamilySigs] = {};
  size_t count = 0;
  constexpr void Add(const Sig& s) { items[count++] = s; }
};

constexpr bool IsVariableKind(Kind k) { return k != Kind::R && k != Kind::K && k != Kind::None; }

// Instruction length in words of a signature's generic form. The compiler
// builds If, IfFlag and While instructions itself (4 words); the entries of
// the If and IfFlag tests keep the generic layout without the target: one
// word per register or constant and two per player or object variable,
// IfFlag tests three words.
constexpr uint8_t SigLength(const Sig& s) {
  if (s.form == Form::kWhile) return 4;
  if (s.form == Form::kIf) {
    if (s.op >= Oper::kMaskSet) return 3;
    return static_cast<uint8_t>(3 + IsVariableKind(s.a) + IsVariableKind(s.b));
  }
  uint8_t w = s.dst_word;
  if (s.a_word > w) w = s.a_word;
  if (s.b_word > w) w = s.b_word;
  return static_cast<uint8_t>(w + 1);
}

namespace sig_detail {

using S = Kind;
using O = Oper;
constexpr S kDst[3] = {S::R, S::PD, S::OD};  // destination order of the layouts

constexpr Sig Three(uint16_t id, O op, S dst, S a, S b) {
  return {id, Form::kStore, op, dst, a, b, 3, 1, 2};
}
// dst (word 2) := dst OP src (word 1).
constexpr Sig Compound(uint16_t id, O op, S dst, S src) {
  return {id, Form::kStore, op, dst, dst, src, 2, 2, 1};
}
// dst (word 1) := dst OP src (word 2).
constexpr Sig InPlace(uint16_t id, O op, S dst, S src) {
  return {id, Form::kStore, op, dst, dst, src, 1, 1, 2};
}
constexpr Sig Unary(uint16_t id, O op, S dst, S src, uint8_t src_word, uint8_t dst_word) {
  return {id, Form::kStore, op, dst, src, S::None, dst_word, src_word, 0};
}
constexpr Sig Test(uint16_t id, Form f, O op, S a, S b) { return {id, f, op, S::None, a, b, 0, 1, 2}; }

// Layout 1: add, sub, mul, div, pow. A group of five holds all five
// operations; a group of three, the mirror of the group before it, holds
// sub, div and pow. PD groups run consecutively from 196, OD = PD + 63.
struct Group1 {
  S a, b;
  bool full;
  uint16_t r_first;
};
constexpr Group1 kLayout1[15] = {
    {S::R, S::R, true, 47},    {S::R, S::K, true, 53},    {S::K, S::R, false, 59},
    {S::PA, S::R, true, 145},  {S::R, S::PA, false, 150}, {S::PA, S::K, true, 154},
    {S::K, S::PA, false, 159}, {S::PA, S::OA, true, 162}, {S::OA, S::PA, false, 167},
    {S::PA, S::PB, true, 170}, {S::OA, S::OB, true, 175}, {S::OA, S::R, true, 180},
    {S::R, S::OA, false, 185}, {S::OA, S::K, true, 188},  {S::K, S::OA, false, 193},
};
constexpr O kFullOps[5] = {O::kAdd, O::kSub, O::kMul, O::kDiv, O::kPow};
constexpr O kMirrorOps[3] = {O::kSub, O::kDiv, O::kPow};

constexpr void AddLayout1(SigList& l, bool power) {
  uint16_t pd = 196;
  for (const Group1& g : kLayout1) {
    int n = g.full ? 5 : 3;
    uint16_t first[3] = {g.r_first, pd, static_cast<uint16_t>(pd + 63)};
    for (int d = 0; d < 3; d++)
      for (int k = 0; k < n; k++) {
        O op = g.full ? kFullOps[k] : kMirrorOps[k];
        if ((op == O::kPow) == power) l.Add(Three(static_cast<uint16_t>(first[d] + k), op, kDst[d], g.a, g.b));
      }
    pd = static_cast<uint16_t>(pd + n);
  }
}

// Layout 2: AND, OR, XOR over nine unordered pairs, 27 IDs per operation.
struct Pair {
  S a, b;
};
constexpr Pair kLayout2[9] = {{S::R, S::R},   {S::R, S::K},   {S::R, S::PA},
                              {S::R, S::OA},  {S::PA, S::K},  {S::PA, S::PB},
                              {S::PA, S::OA}, {S::OA, S::K},  {S::OA, S::OB}};
// Layout 3: shl, sar, mod over twelve ordered pairs, then four pairs with a
// constant first in their own block.
constexpr Pair kLayout3[12] = {{S::R, S::R},   {S::R, S::K},   {S::R, S::PA},  {S::R, S::OA},
                               {S::PA, S::R},  {S::PA, S::K},  {S::PA, S::PB}, {S::PA, S::OA},
                               {S::OA, S::R},  {S::OA, S::K},  {S::OA, S::PA}, {S::OA, S::OB}};
constexpr Pair kLayout3K[4] = {{S::K, S::R}, {S::K, S::K}, {S::K, S::PB}, {S::K, S::OA}};

template <size_t N>
constexpr void AddPairLayout(SigList& l, O op, uint16_t base, const Pair (&pairs)[N]) {
  for (int d = 0; d < 3; d++)
    for (size_t p = 0; p < N; p++)
      l.Add(Three(static_cast<uint16_t>(base + N * d + p), op, kDst[d], pairs[p].a, pairs[p].b));
}

// Layout 4: compound assignment, base + 10 x source + operation.
constexpr O kCompoundOps[10] = {O::kAdd, O::kSub, O::kMul, O::kDiv, O::kMod,
                                O::kAnd, O::kOr,  O::kXor, O::kShl, O::kSar};
constexpr S kSources[4] = {S::R, S::PA, S::OA, S::K};

}  // namespace sig_detail

// Three-operand arithmetic and bitwise commands and compound assignments.
constexpr SigList ArithSignatures() {
  using namespace sig_detail;
  SigList l;
  AddLayout1(l, false);
  AddPairLayout(l, O::kAnd, 473, kLayout2);
  AddPairLayout(l, O::kOr, 500, kLayout2);
  AddPairLayout(l, O::kXor, 527, kLayout2);
  AddPairLayout(l, O::kShl, 554, kLayout3);
  AddPairLayout(l, O::kSar, 590, kLayout3);
  AddPairLayout(l, O::kMod, 626, kLayout3);
  AddPairLayout(l, O::kShl, 1484, kLayout3K);
  AddPairLayout(l, O::kSar, 1496, kLayout3K);
  AddPairLayout(l, O::kMod, 1508, kLayout3K);
  for (int d = 0; d < 3; d++)
    for (int s = 0; s < 4; s++)
      for (int k = 0; k < 10; k++)
        l.Add(Compound(static_cast<uint16_t>(1000 + 40 * d + 10 * s + k), kCompoundOps[k], kDst[d], kSources[s]));
  return l;
}

// Three-operand powers (the last ID of each Layout 1 group) and the powers
// in place, whose destinations run R, OD, PD.
constexpr SigList PowerSignatures() {
  using namespace sig_detail;
  SigList l;
  AddLayout1(l, true);
  constexpr S dsts[3] = {S::R, S::OD, S::PD};
  for (int d = 0; d < 3; d++)
    for (int s = 0; s < 4; s++)
      l.Add(Compound(static_cast<uint16_t>(1528 + 4 * d + s), O::kPow, dsts[d], kSources[s]));
  return l;
}

// Moves, exchanges, increments, negation, absolute value, masks and bits.
constexpr SigList AssignSignatures() {
  using namespace sig_detail;
  SigList l;
  struct Move {
    uint16_t id;
    S dst, src;
  };
  constexpr Move moves[12] = {{44, S::R, S::R},    {45, S::R, S::K},    {87, S::R, S::PA},
                              {140, S::R, S::OA},  {85, S::PD, S::K},   {86, S::PD, S::R},
                              {327, S::PD, S::PA}, {141, S::PD, S::OA}, {142, S::OD, S::PA},
                              {143, S::OD, S::R},  {144, S::OD, S::K},  {328, S::OD, S::OA}};
  for (const Move& m : moves) l.Add({m.id, Form::kStore, O::kMove, m.dst, S::None, m.src, 1, 0, 2});
  constexpr Pair swaps[8] = {{S::R, S::R},   {S::R, S::PD},  {S::R, S::OD},  {S::OD, S::PD},
                             {S::OD, S::OD}, {S::PD, S::PD}, {S::OA, S::OD}, {S::PA, S::PD}};
  for (int k = 0; k < 8; k++)
    l.Add({static_cast<uint16_t>(1473 + k), Form::kSwap, O::kMove, S::None, swaps[k].a, swaps[k].b, 0, 1, 2});
  constexpr S into_src[3] = {S::R, S::PA, S::OA};
  for (int f = 0; f < 2; f++) {
    O op = f ? O::kAbs : O::kNeg;
    uint16_t base = static_cast<uint16_t>(788 + 12 * f);
    for (int d = 0; d < 3; d++) {
      l.Add(Unary(static_cast<uint16_t>(662 + 3 * f + d), f ? O::kDec : O::kInc, kDst[d], kDst[d], 1, 1));
      l.Add(Unary(static_cast<uint16_t>(base + d), op, kDst[d], kDst[d], 1, 1));
      for (int s = 0; s < 3; s++)
        l.Add(Unary(static_cast<uint16_t>(base + 3 + 3 * d + s), op, kDst[d], into_src[s], 1, 2));
    }
  }
  for (int d = 0; d < 3; d++) {
    l.Add(InPlace(static_cast<uint16_t>(362 + 2 * d), O::kOr, kDst[d], S::K));
    l.Add(InPlace(static_cast<uint16_t>(363 + 2 * d), O::kAnd, kDst[d], S::K));
    l.Add(InPlace(static_cast<uint16_t>(368 + d), O::kXor, kDst[d], S::K));
    l.Add(InPlace(static_cast<uint16_t>(1415 + 2 * d), O::kSetBit, kDst[d], S::R));
    l.Add(InPlace(static_cast<uint16_t>(1416 + 2 * d), O::kClearBit, kDst[d], S::R));
    l.Add(InPlace(static_cast<uint16_t>(1421 + d), O::kFlipBit, kDst[d], S::R));
  }
  return l;
}

// If, While and IfFlag compare-and-jump commands.
constexpr SigList CompareSignatures() {
  using namespace sig_detail;
  SigList l;
  struct IfPair {
    S a, b;
    uint16_t first;
  };
  constexpr IfPair ifs[9] = {{S::R, S::R, 66},    {S::R, S::K, 72},    {S::R, S::PA, 95},
                             {S::PA, S::K, 101},  {S::PA, S::PB, 107}, {S::R, S::OA, 113},
                             {S::PA, S::OA, 119}, {S::OA, S::K, 125},  {S::OA, S::OB, 131}};
  constexpr O if_ops[6] = {O::kLt, O::kGt, O::kLe, O::kGe, O::kEq, O::kNe};
  for (const IfPair& p : ifs)
    for (int k = 0; k < 6; k++) l.Add(Test(static_cast<uint16_t>(p.first + k), Form::kIf, if_ops[k], p.a, p.b));
  constexpr Pair whiles[9] = {{S::R, S::R},   {S::R, S::PA},  {S::R, S::OA},
                              {S::R, S::K},   {S::PA, S::PB}, {S::PA, S::OA},
                              {S::PA, S::K},  {S::OA, S::OB}, {S::OA, S::K}};
  constexpr O while_ops[6] = {O::kEq, O::kNe, O::kGt, O::kLt, O::kGe, O::kLe};
  for (int p = 0; p < 9; p++)
    for (int k = 0; k < 6; k++)
      l.Add(Test(static_cast<uint16_t>(733 + 6 * p + k), Form::kWhile, while_ops[k], whiles[p].a, whiles[p].b));
  constexpr S flagged[3] = {S::R, S::PA, S::OA};
  for (int s = 0; s < 3; s++) {
    l.Add(Test(static_cast<uint16_t>(356 + 2 * s), Form::kIf, O::kMaskSet, flagged[s], S::K));
    l.Add(Test(static_cast<uint16_t>(357 + 2 * s), Form::kIf, O::kMaskClear, flagged[s], S::K));
    l.Add(Test(static_cast<uint16_t>(1409 + 2 * s), Form::kIf, O::kBitSet, flagged[s], S::R));
    l.Add(Test(static_cast<uint16_t>(1410 + 2 * s), Form::kIf, O::kBitClear, flagged[s], S::R));
  }
  return l;
}

inline constexpr SigList kArithSigs = ArithSignatures();
inline constexpr SigList kPowerSigs = PowerSignatures();
inline constexpr SigList kAssignSigs = AssignSignatures();
inline constexpr SigList kCompareSigs = CompareSignatures();

// The four lists, for whoever derives tables from all of them.
inline constexpr const SigList* kFamilySigLists[4] = {&kAssignSigs, &kArithSigs, &kPowerSigs, &kCompareSigs};

}  // namespace tolv
