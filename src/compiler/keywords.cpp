// '~' keyword lines: dispatch, and the expression compilers If, While,
// IfFlag, Flag, TableB/W/D, Array and Eval. Each compiles exactly one
// instruction into compiler.current.
#include <cstdlib>
#include <cstring>
#include <utility>

#include "compiler/blocks.h"
#include "compiler/compile_error.h"
#include "compiler/compile_state.h"
#include "compiler/expression_ids.h"
#include "compiler/expression_lexer.h"
#include "compiler/operand_coding.h"
#include "compiler/statements.h"

namespace tolv {

static const char kUseEquals[] = "\"==\" is a comparison operator. Please use \"=\" for assignment.";
static const char kFlagIdMessage[] =
    "The Flag ID operand may only be a Constant Value for a known flag, or a Register ID from which to "
    "obtain a varying ID number";

static bool Is(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

static uint32_t* Emit(int id, uint32_t n) {
  uint32_t* w = NewInstruction(compiler.current, n);
  w[0] = uint32_t(std::abs(id));
  return w;
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
  LexExpression(text, "<>=!", false, e);
  if (e.operator_first) ScriptError("Syntax error");
  if (e.count < 2)
    CompileError("%s Expression requires 2 variables, but the expression itself only contains %d", name, e.count);
  if (e.count > 2 || OperatorAfter(e, 1)[0]) {
    if (Is(name, "If"))
      ScriptError("If Expression requires 2 variable, but the expression itself attempts to perform additional operations");
    ScriptError("While Expression requires 2 variables, but the expression itself attempts to perform additional operations");
  }
  return e;
}

static int CompileIf(const char* text) {
  Expression e;
  LexCompare(text, "If", e);
  int id = IfCompareId(CompareOperator(e.op[0]), e.operand[0].space, e.operand[1].space);
  uint32_t* w = OpenIf();
  w[0] = uint32_t(std::abs(id));
  w[1] = e.operand[0].word;
  w[2] = e.operand[1].word;
  return id;
}

static int CompileWhile(const char* text) {
  OpenWhile();
  Expression e;
  LexCompare(text, "While", e);
  int id = WhileCompareId(CompareOperator(e.op[0]), e.operand[0].space, e.operand[1].space);
  uint32_t* w = InstructionWords(compiler.current);
  w[0] = uint32_t(std::abs(id));
  w[1] = e.operand[id < 0 ? 1 : 0].word;
  w[2] = e.operand[id < 0 ? 0 : 1].word;
  CloseLoop();
  return 0;
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
  if (a.space == kSpaceConst) CompileError("%s needs a variable to hold the flags, not a constant", name);
  FlagParts f{a.word, b.word, a.space, false, e.operand[2].word};
  if (b.space == kSpaceReg) {
    f.register_number = true;
    f.number = b.word & ~kRegFlag;
  } else if (b.space == kSpaceConst) {
    f.number = 1u << (b.word & 31);
  } else {
    ScriptError(kFlagIdMessage);
  }
  return f;
}

static int CompileIfFlag(const char* text) {
  Expression e;
  LexExpression(text, "[]=", false, e);
  if (e.operator_first) ScriptError("Syntax error");
  if (e.count < 3) CompileError("IfFlag Expression requires 3 operands, but the expression itself only contains %d", e.count);
  if (e.count > 3 || OperatorAfter(e, 2)[0])
    ScriptError("IfFlag Expression Requires 3 operands, but the expression itself lists more");
  if (!Is(e.op[0], "[") || e.op[1][0] != ']') ScriptError("Syntax error");
  if (Is(e.op[1], "]=")) ScriptError("\"=\" is an assignment operator. Please use \"==\" for comparison.");
  if (!Is(e.op[1], "]==")) ScriptError("Invalid Operation. IfFlag is for testing on/off state, not math operations");
  FlagParts f = FlagOperands(e, "IfFlag");
  int id = IfFlagId(f.value != 0, f.space, f.register_number);
  uint32_t* w = OpenIf();
  w[0] = uint32_t(id);
  w[1] = f.target;
  w[2] = f.number;
  return 0;
}

static int CompileFlag(const char* text) {
  Expression e;
  LexExpression(text, "[]=", false, e);
  if (e.operator_first) ScriptError("Syntax error");
  if (e.count < 3) CompileError("Flag Expression requires 3 operands, but the expression itself only contains %d", e.count);
  if (e.count > 3 || OperatorAfter(e, 2)[0])
    ScriptError("Flag Expression requires 3 operands, but the expresion itself lists more");
  if (!Is(e.op[0], "[") || e.op[1][0] != ']') ScriptError("Syntax error");
  const char* assign = e.op[1] + 1;
  if (Is(assign, "==")) ScriptError(kUseEquals);
  if (assign[0] == '=' && assign[1]) ScriptError("Syntax error");
  if (!Is(assign, "="))
    ScriptError("Invalid Operation. \"Flag\" is for setting on/off state or flipping, not other math operations");
  FlagParts f = FlagOperands(e, "Flag");
  if (e.operand[2].space != kSpaceConst || f.value > 2)
    ScriptError("A Flag can only be set to 0 (clear), 1 (set) or 2 (flip)");
  if (f.value == 0 && !f.register_number) f.number = ~f.number;
  uint32_t* w = Emit(FlagId(int(f.value), f.space, f.register_number), 3);
  w[1] = f.target;
  w[2] = f.number;
  return 0;
}

// TableB, TableW, TableD: destination = table[index].
static int CompileTable(const char* text, int width) {
  Expression e;
  LexExpression(text, "[]=", false, e);
  if (e.operator_first) ScriptError("Syntax error");
  if (e.count < 3) CompileError("Table Expression requires variables, but the expression itself only contains %d", e.count);
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
  uint32_t* w = Emit(TableReadId(width, dest.space, table.space, index.space), 4);
  w[1] = table.word;
  w[2] = index.word;
  w[3] = dest.word;
  return 0;
}

// Array: load "d = a[i]" or store "a[i] = v".
static int CompileArray(const char* text) {
  Expression e;
  LexExpression(text, "[]=", false, e);
  if (e.operator_first) ScriptError("Found an operator when a variable name or constant value was expected");
  if (e.count < 3) CompileError("Array Expression requires three variables, but the expression itself only contains %d", e.count);
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
  uint32_t* w;
  if (load) {
    w = Emit(ArrayReadId(a->space, b->space, c->space), 4);
    w[1] = b->word, w[2] = c->word, w[3] = a->word;
  } else {
    w = Emit(ArrayWriteId(a->space, b->space, c->space), 4);
    w[1] = c->word, w[2] = a->word, w[3] = b->word;
  }
  return 0;
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

static int CompileEval(const char* text) {
  Expression e;
  LexExpression(text, "=+-/\\*<>&|^%", true, e);
  if (e.empty) ScriptError("Expected an expression");
  if (e.count > 3 || OperatorAfter(e, 2)[0])
    ScriptError("Math expressions may only perform up to two operations; this expression attempted to perform more");
  int first = e.op[0][0] ? MathOperator(e.op[0]) : -1;
  if (first < 11 || (first > 22 && first < 25))
    ScriptError(
        "The first operator must be an assignment operator ('=', '+=', '-=', etc) or an increment/decrement "
        "('++', '--')");
  if (first >= 25 && e.count > 1) CompileError("Operator \"%s\" is only valid for single-variable math", e.op[0]);
  if (first < 25 && (e.count == 1 || OperatorAfter(e, e.count - 1)[0]))
    ScriptError("Expected a Variable Name or Constant Value after the last operator");
  const ExprOperand& dest = e.operand[0];
  if (dest.space == kSpaceConst) ScriptError("The result of a math expression can not be stored into a constant");
  uint32_t* w;
  int id;
  if (e.count == 3) {
    int second = MathOperator(e.op[1]);
    if (second >= 25) CompileError("Operator \"%s\" is only valid for single-variable math", e.op[1]);
    if (first != 11 || second > 10)
      ScriptError("A math expression with two operations must read: destination = value operator value");
    id = EvalBinaryId(second, dest.space, e.operand[1].space, e.operand[2].space);
    w = Emit(id, 4);
    w[1] = e.operand[1].word, w[2] = e.operand[2].word, w[3] = dest.word;
  } else if (e.count == 2) {
    id = EvalAssignId(first, dest.space, e.operand[1].space);
    w = Emit(id, 3);
    w[1] = e.operand[1].word, w[2] = dest.word;
  } else {
    id = EvalStepId(first, dest.space);
    Emit(id, 2)[1] = dest.word;
  }
  return id;
}

int CompileKeyword() {
  char* text = text_buffer;
  int n = 0;
  while (text[n] && text[n] != ' ' && text[n] != '\t' && text[n] != '(') n++;
  char keyword[256];
  std::memcpy(keyword, text, size_t(n));
  keyword[n] = 0;
  char rest[256];
  std::memcpy(rest, text + n, sizeof rest - size_t(n));
  rest[255] = 0;
  if (Is(keyword, "Eval")) return CompileEval(rest);
  if (Is(keyword, "If")) return CompileIf(rest);
  if (Is(keyword, "IfFlag")) return CompileIfFlag(rest);
  if (Is(keyword, "Flag")) return CompileFlag(rest);
  if (Is(keyword, "While")) return CompileWhile(rest);
  if (Is(keyword, "Array")) return CompileArray(rest);
  if (Is(keyword, "TableB")) return CompileTable(rest, 0);
  if (Is(keyword, "TableW")) return CompileTable(rest, 1);
  if (Is(keyword, "TableD")) return CompileTable(rest, 2);
  if (Is(keyword, "Else")) CompileElse();
  else if (Is(keyword, "EndIf")) CompileEndIf();
  else if (Is(keyword, "Do")) CompileDo();
  else if (Is(keyword, "BreakDo")) CompileBreakDo();
  else if (Is(keyword, "Forever")) CompileForever();
  else CompileError("Unknown keyword: \"%s\"", keyword);
  return 0;
}

}  // namespace tolv
