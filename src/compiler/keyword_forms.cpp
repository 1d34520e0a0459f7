// Keyword expressions parsed: each checks its expression as the compiler
// requires, picks the command ID from its table and orders the operand
// words as the instruction holds them.
#include "compiler/keyword_forms.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <utility>

#include "compiler/expression_ids.h"
#include "compiler/operand_coding.h"
#include "files/script_error.h"
#include "script/command_ids.h"

namespace tolv {

static const char kUseEquals[] = "\"==\" is a comparison operator. Please use \"=\" for assignment.";
static const char kFlagIdMessage[] =
    "The Flag ID operand may only be a Constant Value for a known flag, or a Register ID from which to "
    "obtain a varying ID number";

static bool Is(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

// Sets the form's ID and words; a negative table entry names the command
// with words 1 and 2 exchanged.
static void Set(KeywordForm& f, KeywordShape shape, int id, std::initializer_list<int> sources) {
  f.shape = shape;
  f.id = uint32_t(std::abs(id));
  f.count = 0;
  for (int i : sources) {
    f.source[f.count] = i;
    f.words[f.count++] = i >= 0 ? f.e.operand[i].word : 0;
  }
  if (id < 0 && f.count >= 2) {
    std::swap(f.words[0], f.words[1]);
    std::swap(f.source[0], f.source[1]);
  }
}

static int CompareOperator(const char* op) {
  static const char* const kOps[] = {"<", ">", "<=", ">=", "==", "!="};
  for (int i = 0; i < 6; i++)
    if (Is(op, kOps[i])) return i;
  if (Is(op, "=")) ScriptError("\"=\" is an assignment operator. Please use \"==\" for comparison.");
  ScriptError("Invalid operation");
}

// If and While: two operands and a compare operator.
static const Expression& LexCompare(const char* text, const char* name, Expression& e) {
  LexExpression(text, kCompareSeparators, false, e);
  if (e.operator_first) ScriptError("Syntax error");
  if (e.count < 2)
    ScriptErrorFormat("%s Expression requires 2 variables, but the expression itself only contains %d", name, e.count);
  if (e.count > 2 || OperatorAfter(e, 1)[0]) {
    if (Is(name, "If"))
      ScriptError("If Expression requires 2 variable, but the expression itself attempts to perform additional operations");
    ScriptError("While Expression requires 2 variables, but the expression itself attempts to perform additional operations");
  }
  return e;
}

static void ParseCompare(const char* text, bool is_if, KeywordForm& f) {
  const Expression& e = LexCompare(text, is_if ? "If" : "While", f.e);
  int op = CompareOperator(e.op[0]);
  int id = is_if ? IfCompareId(op, e.operand[0].space, e.operand[1].space)
                 : WhileCompareId(op, e.operand[0].space, e.operand[1].space);
  Set(f, is_if ? KeywordShape::kIf : KeywordShape::kWhile, id, {0, 1});
}

// Flags variable, flag number and value of IfFlag and Flag.
struct FlagParts {
  uint32_t target, number;
  int space;
  bool register_number;
  uint32_t value;
};

static FlagParts FlagOperands(const Expression& e, const char* name) {
  const ExprOperand& a = e.operand[0];
  const ExprOperand& b = e.operand[1];
  if (a.space == kSpaceConst) ScriptErrorFormat("%s needs a variable to hold the flags, not a constant", name);
  FlagParts f{a.word, b.word, a.space, false, e.operand[2].word};
  if (b.space == kSpaceReg) {
    f.register_number = true;
    f.number = b.word & ~kRegisterBit;
  } else if (b.space == kSpaceConst) {
    f.number = 1u << (b.word & 31);
  } else {
    ScriptError(kFlagIdMessage);
  }
  return f;
}

// "a[b] op v" of IfFlag and Flag: three operands, '[' and ']' around the
// flag number.
static void LexFlagExpression(const char* text, const char* name, const char* too_many, Expression& e) {
  LexExpression(text, kIndexSeparators, false, e);
  if (e.operator_first) ScriptError("Syntax error");
  if (e.count < 3) ScriptErrorFormat("%s Expression requires 3 operands, but the expression itself only contains %d", name, e.count);
  if (e.count > 3 || OperatorAfter(e, 2)[0]) ScriptError(too_many);
  if (!Is(e.op[0], "[") || e.op[1][0] != ']') ScriptError("Syntax error");
}

// The flag number word: a register's index, or the mask of a constant.
static void SetFlagNumber(KeywordForm& f, const FlagParts& p) {
  f.words[1] = p.number;
  f.source[1] = -1;
  f.flag_bit = f.e.operand[1].word & 31;
}

static void ParseIfFlag(const char* text, KeywordForm& f) {
  Expression& e = f.e;
  LexFlagExpression(text, "IfFlag", "IfFlag Expression Requires 3 operands, but the expression itself lists more", e);
  if (Is(e.op[1], "]=")) ScriptError("\"=\" is an assignment operator. Please use \"==\" for comparison.");
  if (!Is(e.op[1], "]==")) ScriptError("Invalid Operation. IfFlag is for testing on/off state, not math operations");
  FlagParts p = FlagOperands(e, "IfFlag");
  Set(f, KeywordShape::kIf, IfFlagId(p.value != 0, p.space, p.register_number), {0, 1});
  SetFlagNumber(f, p);
}

static void ParseFlag(const char* text, KeywordForm& f) {
  Expression& e = f.e;
  LexFlagExpression(text, "Flag", "Flag Expression requires 3 operands, but the expresion itself lists more", e);
  const char* assign = e.op[1] + 1;
  if (Is(assign, "==")) ScriptError(kUseEquals);
  if (assign[0] == '=' && assign[1]) ScriptError("Syntax error");
  if (!Is(assign, "="))
    ScriptError("Invalid Operation. \"Flag\" is for setting on/off state or flipping, not other math operations");
  FlagParts p = FlagOperands(e, "Flag");
  if (e.operand[2].space != kSpaceConst || p.value > 2)
    ScriptError("A Flag can only be set to 0 (clear), 1 (set) or 2 (flip)");
  if (p.value == 0 && !p.register_number) p.number = ~p.number;
  Set(f, KeywordShape::kPlain, FlagId(int(p.value), p.space, p.register_number), {0, 1});
  SetFlagNumber(f, p);
}

// TableB, TableW, TableD: destination = table[index].
static void ParseTable(const char* text, int width, KeywordForm& f) {
  Expression& e = f.e;
  LexExpression(text, kIndexSeparators, false, e);
  if (e.operator_first) ScriptError("Syntax error");
  if (e.count < 3) ScriptErrorFormat("Table Expression requires variables, but the expression itself only contains %d", e.count);
  if (e.count > 3 || OperatorAfter(e, 2)[1])
    ScriptError("Table Expression requires 3 variables, but the expresion itself lists more");
  if (Is(e.op[0], "==")) ScriptError(kUseEquals);
  if (e.op[0][0] == '=' && e.op[0][1]) ScriptError("Syntax error");
  if (!Is(e.op[0], "="))
    ScriptError("Table Expressions can only be used to retrieve values from tables, not to perform other operations");
  if (!Is(e.op[1], "[") || !Is(e.op[2], "]")) ScriptError("Syntax error");
  const ExprOperand &dest = e.operand[0], &table = e.operand[1], &index = e.operand[2];
  if (index.space == kSpaceConst) ScriptError("Constants are not an allowed table index value type");
  if (dest.space == kSpaceConst) ScriptError("A Table Expression can not store its value into a constant");
  Set(f, KeywordShape::kPlain, TableReadId(width, dest.space, table.space, index.space), {1, 2, 0});
}

// Array: load "d = a[i]" or store "a[i] = v".
static void ParseArray(const char* text, KeywordForm& f) {
  Expression& e = f.e;
  LexExpression(text, kIndexSeparators, false, e);
  if (e.operator_first) ScriptError("Found an operator when a variable name or constant value was expected");
  if (e.count < 3) ScriptErrorFormat("Array Expression requires three variables, but the expression itself only contains %d", e.count);
  if (e.count > 3) ScriptError("Array Expression requires 3 variables, but the expresion itself lists more");
  for (int i = 0; i < 3; i++)
    if (std::strstr(e.op[i], "==")) ScriptError(kUseEquals);
  // The last operator decides: '[' after the second operand loads, "=" after
  // the brackets stores.
  bool load = Is(e.op[0], "=") && Is(e.op[1], "[") && Is(e.op[2], "]");
  bool store = Is(e.op[0], "[") && Is(e.op[1], "]=") && !e.op[2][0];
  if (!load && !store) ScriptError("Syntax error");
  const ExprOperand *a = &e.operand[0], *b = &e.operand[1], *c = &e.operand[2];
  if (a->space == kSpaceConst || b->space == kSpaceConst || (load && c->space == kSpaceConst))
    ScriptError("An Array Expression needs variables for the array and its index, and for a destination");
  if (load) Set(f, KeywordShape::kPlain, ArrayReadId(a->space, b->space, c->space), {1, 2, 0});
  else Set(f, KeywordShape::kPlain, ArrayWriteId(a->space, b->space, c->space), {2, 0, 1});
}

static int MathOperator(const char* op) {
  static const char* const kOps[] = {"+",  "-",  "*",  "/",   "<<",  ">>", "&",  "|",  "^",  "%",    "POW", "=",
                                     "+=", "-=", "*=", "/=",  "<<=", ">>=", "&=", "|=", "^=", "%=", "POW="};
  for (int i = 0; i < 23; i++)
    if (Is(op, kOps[i])) return i;
  if (Is(op, "++")) return 25;
  if (Is(op, "--")) return 26;
  if (Is(op, "==")) ScriptError(kUseEquals);
  ScriptError("Syntax error");
}

static void ParseEval(const char* text, KeywordForm& f) {
  Expression& e = f.e;
  LexExpression(text, kMathSeparators, true, e);
  if (e.empty) ScriptError("Expected an expression");
  if (e.count > 3 || OperatorAfter(e, 2)[0])
    ScriptError("Math expressions may only perform up to two operations; this expression attempted to perform more");
  int first = e.op[0][0] ? MathOperator(e.op[0]) : -1;
  if (first < 11 || (first > 22 && first < 25))
    ScriptError(
        "The first operator must be an assignment operator ('=', '+=', '-=', etc) or an increment/decrement "
        "('++', '--')");
  if (first >= 25 && e.count > 1) ScriptErrorFormat("Operator \"%s\" is only valid for single-variable math", e.op[0]);
  if (first < 25 && (e.count == 1 || OperatorAfter(e, e.count - 1)[0]))
    ScriptError("Expected a Variable Name or Constant Value after the last operator");
  const ExprOperand& dest = e.operand[0];
  if (dest.space == kSpaceConst) ScriptError("The result of a math expression can not be stored into a constant");
  if (e.count == 3) {
    int second = MathOperator(e.op[1]);
    if (second >= 25) ScriptErrorFormat("Operator \"%s\" is only valid for single-variable math", e.op[1]);
    if (first != 11 || second > 10)
      ScriptError("A math expression with two operations must read: destination = value operator value");
    Set(f, KeywordShape::kPlain, EvalBinaryId(second, dest.space, e.operand[1].space, e.operand[2].space), {1, 2, 0});
  } else if (e.count == 2) {
    Set(f, KeywordShape::kPlain, EvalAssignId(first, dest.space, e.operand[1].space), {1, 0});
  } else {
    Set(f, KeywordShape::kPlain, EvalStepId(first, dest.space), {0});
  }
}

void ParseKeyword(const char* text, KeywordForm& f) {
  // The keyword runs to the first blank, tab or '('; the rest, from that
  // character on, is the expression.
  int n = 0;
  while (text[n] && text[n] != ' ' && text[n] != '\t' && text[n] != '(') n++;
  char keyword[16] = {};
  if (n < 16) std::memcpy(keyword, text, size_t(n));
  else std::snprintf(keyword, sizeof keyword, "%.15s", text);
  const char* rest = text + n;
  static const struct {
    const char* name;
    uint32_t id;
  } kBlocks[] = {{"Else", kCmdElse}, {"EndIf", kCmdEndIf}, {"Do", kCmdDo}, {"BreakDo", kCmdBreakDo}, {"Forever", kCmdForever}};
  for (const auto& b : kBlocks)
    if (Is(keyword, b.name)) return Set(f, KeywordShape::kBlock, int(b.id), {});
  if (Is(keyword, "Eval")) return ParseEval(rest, f);
  if (Is(keyword, "If")) return ParseCompare(rest, true, f);
  if (Is(keyword, "IfFlag")) return ParseIfFlag(rest, f);
  if (Is(keyword, "Flag")) return ParseFlag(rest, f);
  if (Is(keyword, "While")) return ParseCompare(rest, false, f);
  if (Is(keyword, "Array")) return ParseArray(rest, f);
  if (Is(keyword, "TableB")) return ParseTable(rest, 0, f);
  if (Is(keyword, "TableW")) return ParseTable(rest, 1, f);
  if (Is(keyword, "TableD")) return ParseTable(rest, 2, f);
  ScriptErrorFormat("Unknown keyword: \"%.*s\"", n, text);
}


}  // namespace tolv
