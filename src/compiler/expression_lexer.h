// Splits the text of a keyword expression into coded operands and the
// operator text between them.
#pragma once
#include <cstdint>

namespace tolv {

constexpr int kMaxExprOperands = 4;  // enough to tell "too many" apart

struct ExprOperand {
  uint32_t word;
  uint8_t kind;
  uint8_t space;
  char text[256];  // as written (the packer writes it back resolved)
};

struct Expression {
  int count = 0;  // operands found, also those beyond kMaxExprOperands
  ExprOperand operand[kMaxExprOperands];
  char op[kMaxExprOperands][8];  // op[i]: operator text after operand i
  bool operator_first = false;   // an operator stood where an operand was expected
  bool empty = false;            // nothing but an override group
};

// The operator characters of a keyword, as a lookup table.
struct Separators {
  bool is[256] = {};
  constexpr explicit Separators(const char* chars) {
    for (; *chars; chars++) is[static_cast<unsigned char>(*chars)] = true;
  }
};
extern const Separators kCompareSeparators;  // If, While
extern const Separators kIndexSeparators;    // IfFlag, Flag, tables, arrays
extern const Separators kMathSeparators;     // Eval

// Math expressions (`math`) take signs into numbers and read "POW" as an
// operator.
void LexExpression(const char* text, const Separators& separators, bool math, Expression& e);

// The operator text after operand i ("" when none or i out of range).
const char* OperatorAfter(const Expression& e, int i);

}  // namespace tolv
