// The expression compiler's command ID tables: operator and operand kinds
// to command ID. A negative entry means: exchange operand words 1 and 2 and
// use minus the entry. 52 is the empty command for combinations that no
// command serves.
#pragma once
#include <array>
#include <cstdint>

#include "script/command_ids.h"

namespace tolv {


// Operand kinds and destination spaces as the compiler numbers them.
enum OperandKind : int { kKindRegister, kKindPlayer, kKindObject, kKindConstant };

// Expression operations: 0-10 binary, 11 move, 12-21 the compound forms of
// 0-9, 22 power in place, 23 negate into, 24 absolute value into,
// 25 increment, 26 decrement, 27 negate in place, 28 absolute value in place.
enum EvalOperation : int {
  kEvalAdd, kEvalSub, kEvalMul, kEvalDiv, kEvalShl, kEvalSar, kEvalAnd, kEvalOr, kEvalXor,
  kEvalMod, kEvalPow, kEvalMove, kEvalCompound, kEvalPowInPlace = 22, kEvalNegInto,
  kEvalAbsInto, kEvalInc, kEvalDec, kEvalNeg, kEvalAbs, kEvalOperationCount
};

// Index ((op x 3 + dst) x 4 + first kind) x 4 + second kind, op 0-10.
extern const std::array<int16_t, 11 * 3 * 16> eval_binary_ids;
// Index ((op - 11) x 3 + dst) x 4 + source kind, op 11-24.
extern const std::array<int16_t, 14 * 3 * 4> eval_assign_ids;
// Index (op - 25) x 3 + dst, op 25-28.
extern const std::array<int16_t, 4 * 3> eval_unary_ids;
// Index (operator x 4 + first kind) x 4 + second kind; operators < > <= >= == !=.
extern const std::array<int16_t, 6 * 16> if_ids;
extern const std::array<int16_t, 6 * 16> while_ids;
// Index (state x 3 + kind of the tested value) x 2 + (1 for a register flag
// number); state 0 off, 1 on.
extern const std::array<int16_t, 12> ifflag_ids;
// Index (state x 3 + destination) x 2 + (1 for a register flag number);
// state 0 off, 1 on, 2 flip.
extern const std::array<int16_t, 18> flag_ids;

// The Eval ID of an operation, its destination space (0 R, 1 player,
// 2 object) and the kinds of its sources (the second unused below op 11).
inline int16_t EvalId(int op, int dst, int first, int second) {
  if (op < 0 || op >= kEvalOperationCount || dst < 0 || dst > 2 || first < 0 || first > 3 ||
      second < 0 || second > 3)
    return kEmptyCommandId;
  if (op <= kEvalPow) return eval_binary_ids[((op * 3 + dst) * 4 + first) * 4 + second];
  if (op <= kEvalAbsInto) return eval_assign_ids[((op - kEvalMove) * 3 + dst) * 4 + first];
  return eval_unary_ids[(op - kEvalInc) * 3 + dst];
}

}  // namespace tolv
