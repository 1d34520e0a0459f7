// Operand scanning and coding for keyword expressions.
#include "compiler/expression_lexer.h"

#include <cstdio>
#include <cstring>

#include "compiler/alias_tables.h"
#include "compiler/lexer_link.h"
#include "compiler/operand_coding.h"

namespace tolv {

static bool IsBlank(char c) { return c == ' ' || c == '\t'; }
static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
static bool StartsNumber(char c) { return IsDigit(c) || c == '$' || c == '%'; }

// Steps 3-5 of operand handling: alias, coding, kind and space.
static ExprOperand CodeOperand(char* text, int index, const uint8_t override[3]) {
  ExprOperand o;
  int alias_kind = -1;
  if (game_unpacked) {
    if (char* u = std::strchr(text, '_')) alias_kind = SubstituteAlias(text, int(u - text), kAliasWithOffset, 256);
  }
  uint8_t prefix = ParseOperand(&o.word, text, uint8_t(alias_kind >= 0 ? alias_kind : kKindNone));
  o.kind = uint8_t(alias_kind >= 0 ? alias_kind : prefix != kKindNone ? prefix : int(kKindConst));
  if (index < 3 && override[index] != kSpaceNone) o.space = override[index];
  else if (o.kind <= kKindUserObject) o.space = kind_space[o.kind];
  else
    ScriptErrorFormat(
        "Variable type override was not provided, and one could not be determined from the operand itself (%d, %d)",
        index, o.kind);
  return o;
}

static bool Known(const char* op) {
  static const char* const kOps[] = {"+", "-", "*", "/", "<<", ">>", "&", "|", "^", "%", "=", "+=", "-=",
                                     "*=", "/=", "<<=", ">>=", "&=", "|=", "^=", "%=", "++", "--"};
  for (const char* k : kOps)
    if (std::strcmp(op, k) == 0) return true;
  return false;
}

// Reads the operator after an operand into `out`; returns the new position.
static int ReadOperator(const char* text, int p, const bool* sep, bool math, char out[8]) {
  int n = 0;
  auto put = [&](char c) {
    if (n < 7) out[n++] = c;
    else out[0] = '?';  // too long to be any operator
  };
  if (math && std::strncmp(text + p, "POW", 3) == 0) {
    p += 3;
    put('P'), put('O'), put('W');
    if (text[p] == '=') put(text[p++]);
  } else {
    while (text[p] && (sep[uint8_t(text[p])] || (!math && IsBlank(text[p])))) {
      if (!IsBlank(text[p])) put(text[p]);
      p++;
    }
    out[n] = 0;
    // A sign or '%' right before a number belongs to the number: "=-5".
    if (math && n > 1 && (out[n - 1] == '-' || out[n - 1] == '%') && StartsNumber(text[p])) {
      char shorter[8];
      std::memcpy(shorter, out, 8);
      shorter[n - 1] = 0;
      if (Known(shorter)) n--, p--;
    }
  }
  out[n] = 0;
  return p;
}

constexpr Separators kCompareSeparators("<>=!");
constexpr Separators kIndexSeparators("[]=");
constexpr Separators kMathSeparators("=+-/\\*<>&|^%");

void LexExpression(const char* text, const Separators& separators, bool math, Expression& e) {
  const bool* sep = separators.is;
  uint8_t override[3];
  int p = ParseTypeOverride(text, 0, override);
  e = Expression();
  while (IsBlank(text[p])) p++;
  e.empty = !text[p];
  while (text[p]) {
    int start = p;
    if (sep[uint8_t(text[p])]) {
      if (!math) {
        e.operator_first = true;
        return;
      }
      // Where an operand is expected only a '-' before a number or a '%'
      // before a binary digit may stand: they are part of the number.
      bool sign = text[p] == '-' && StartsNumber(text[p + 1]);
      bool binary = text[p] == '%' && IsDigit(text[p + 1]);
      if (!sign && !binary) ScriptError("Found an operator when a Variable Name/ID or Constant Value was expected");
      p++;
      if (sign && text[p] == '%') p++;
    }
    while (text[p] && !IsBlank(text[p]) && !sep[uint8_t(text[p])]) p++;
    char word[256];
    int len = p - start < 255 ? p - start : 255;
    std::memcpy(word, text + start, size_t(len));
    word[len] = 0;
    int i = e.count++;
    if (i >= kMaxExprOperands) return;
    char written[256];
    std::memcpy(written, word, size_t(len) + 1);
    e.operand[i] = CodeOperand(word, i, override);
    std::memcpy(e.operand[i].text, written, size_t(len) + 1);
    while (IsBlank(text[p])) p++;
    p = ReadOperator(text, p, sep, math, e.op[i]);
    while (IsBlank(text[p])) p++;
  }
}

const char* OperatorAfter(const Expression& e, int i) {
  return i >= 0 && i < e.count && i < kMaxExprOperands ? e.op[i] : "";
}

}  // namespace tolv
