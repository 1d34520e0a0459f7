// Expression re-writers: each parses its expression as the compiler does,
// with the same messages, picks the same command ID and writes the
// operands back as text in the order of the instruction's words.
#include "game/keyword_rewriter.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "compiler/alias_tables.h"
#include "compiler/expression_ids.h"
#include "compiler/expression_lexer.h"
#include "compiler/operand_coding.h"
#include "game/script_error.h"
#include "game/def_rewriter.h"
#include "game/tokenizer.h"

namespace tolv {

static const char kUseEquals[] = "\"==\" is a comparison operator. Please use \"=\" for assignment.";
static const char kUseDoubleEquals[] = "\"=\" is an assignment operator. Please use \"==\" for comparison.";
static const char kFlagIdMessage[] =
    "The Flag ID operand may only be a Constant Value for a known flag, or a Register ID from which to "
    "obtain a varying ID number";

void ResolveOperandText(char* text) {
  char* u = std::strchr(text, '_');
  if (!u) return;
  int kind = SubstituteAlias(text, static_cast<int>(u - text), kAliasWithOffset, kTokenSize);
  FormatOperand(text, kind);
}

static bool Is(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

static std::string Text(const ExprOperand& o) {
  char t[kTokenSize];
  std::snprintf(t, sizeof t, "%s", o.text);
  ResolveOperandText(t);
  return t;
}

static std::string Number(uint32_t v) { return std::to_string(static_cast<int32_t>(v)); }

// The instruction line; a negative table entry names the command with
// words 1 and 2 exchanged, so the exchange is done here.
static std::string Line(int id, std::initializer_list<std::string> operands) {
  if (id == 52) ScriptError("The expression has no command for these operand types and cannot be packed");
  std::vector<std::string> ops(operands);
  if (id < 0 && ops.size() >= 2) std::swap(ops[0], ops[1]);
  std::string line = std::to_string(std::abs(id));
  for (const std::string& o : ops) line += ":" + o;
  return line;
}

static int CompareOperator(const char* op) {
  static const char* const kOps[] = {"<", ">", "<=", ">=", "==", "!="};
  for (int i = 0; i < 6; i++)
    if (Is(op, kOps[i])) return i;
  if (Is(op, "=")) ScriptError(kUseDoubleEquals);
  ScriptError("Invalid operation");
}

static std::string RewriteCompare(const char* text, bool is_if) {
  Expression e;
  LexExpression(text, "<>=!", false, e);
  if (e.operator_first) ScriptError("Syntax error");
  if (e.count < 2)
    ScriptErrorFormat("%s Expression requires 2 variables, but the expression itself only contains %d",
                      is_if ? "If" : "While", e.count);
  if (e.count > 2 || OperatorAfter(e, 1)[0])
    ScriptError(is_if ? "If Expression requires 2 variable, but the expression itself attempts to perform additional operations"
                      : "While Expression requires 2 variables, but the expression itself attempts to perform additional operations");
  int op = CompareOperator(e.op[0]);
  const ExprOperand &a = e.operand[0], &b = e.operand[1];
  int id = is_if ? IfCompareId(op, a.space, b.space) : WhileCompareId(op, a.space, b.space);
  return Line(id, {Text(a), Text(b)});
}

// The flags variable and the flag number of IfFlag and Flag: a register
// number is written as its index, a constant as the bit number (the
// statement compiler turns it into the mask).
static std::string FlagNumber(const Expression& e, bool* register_number) {
  const ExprOperand& a = e.operand[0];
  const ExprOperand& b = e.operand[1];
  if (a.space == kSpaceConst) ScriptError("A Flag Expression needs a variable to hold the flags, not a constant");
  if (b.space == kSpaceReg) {
    *register_number = true;
    return Number(b.word & ~kRegFlag);
  }
  if (b.space != kSpaceConst) ScriptError(kFlagIdMessage);
  *register_number = false;
  return Number(b.word & 31);
}

static void LexFlag(const char* text, Expression& e, const char* fewer, const char* more) {
  LexExpression(text, "[]=", false, e);
  if (e.operator_first) ScriptError("Syntax error");
  if (e.count < 3) ScriptErrorFormat(fewer, e.count);
  if (e.count > 3 || OperatorAfter(e, 2)[0]) ScriptError(more);
  if (!Is(e.op[0], "[") || e.op[1][0] != ']') ScriptError("Syntax error");
}

static std::string RewriteIfFlag(const char* text) {
  Expression e;
  LexFlag(text, e, "IfFlag Expression requires 3 operands, but the expression itself only contains %d",
          "IfFlag Expression Requires 3 operands, but the expression itself lists more");
  if (Is(e.op[1], "]=")) ScriptError(kUseDoubleEquals);
  if (!Is(e.op[1], "]==")) ScriptError("Invalid Operation. IfFlag is for testing on/off state, not math operations");
  bool reg;
  std::string number = FlagNumber(e, &reg);
  return Line(IfFlagId(e.operand[2].word != 0, e.operand[0].space, reg), {Text(e.operand[0]), number});
}

static std::string RewriteFlag(const char* text) {
  Expression e;
  LexFlag(text, e, "Flag Expression requires 3 operands, but the expression itself only contains %d",
          "Flag Expression requires 3 operands, but the expresion itself lists more");
  const char* assign = e.op[1] + 1;
  if (Is(assign, "==")) ScriptError(kUseEquals);
  if (assign[0] == '=' && assign[1]) ScriptError("Syntax error");
  if (!Is(assign, "="))
    ScriptError("Invalid Operation. \"Flag\" is for setting on/off state or flipping, not other math operations");
  bool reg;
  std::string number = FlagNumber(e, &reg);
  const ExprOperand& v = e.operand[2];
  if (v.space != kSpaceConst || v.word > 2) ScriptError("A Flag can only be set to 0 (clear), 1 (set) or 2 (flip)");
  return Line(FlagId(static_cast<int>(v.word), e.operand[0].space, reg), {Text(e.operand[0]), number});
}

static std::string RewriteTable(const char* text, int width) {
  Expression e;
  LexExpression(text, "[]=", false, e);
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
  return Line(TableReadId(width, dest.space, table.space, index.space), {Text(table), Text(index), Text(dest)});
}

static std::string RewriteArray(const char* text) {
  Expression e;
  LexExpression(text, "[]=", false, e);
  if (e.operator_first) ScriptError("Found an operator when a variable name or constant value was expected");
  if (e.count < 3)
    ScriptErrorFormat("Array Expression requires three variables, but the expression itself only contains %d", e.count);
  if (e.count > 3) ScriptError("Array Expression requires 3 variables, but the expresion itself lists more");
  for (int i = 0; i < 3; i++)
    if (std::strstr(e.op[i], "==")) ScriptError(kUseEquals);
  bool load = Is(e.op[0], "=") && Is(e.op[1], "[") && Is(e.op[2], "]");
  bool store = Is(e.op[0], "[") && Is(e.op[1], "]=") && !e.op[2][0];
  if (!load && !store) ScriptError("Syntax error");
  const ExprOperand &a = e.operand[0], &b = e.operand[1], &c = e.operand[2];
  if (a.space == kSpaceConst || b.space == kSpaceConst || (load && c.space == kSpaceConst))
    ScriptError("An Array Expression needs variables for the array and its index, and for a destination");
  if (load) return Line(ArrayReadId(a.space, b.space, c.space), {Text(b), Text(c), Text(a)});
  return Line(ArrayWriteId(a.space, b.space, c.space), {Text(c), Text(a), Text(b)});
}

static int MathOperator(const char* op) {
  static const char* const kOps[] = {"+",  "-",  "*",  "/",  "<<",  ">>",  "&",  "|",  "^",  "%",  "POW", "=",
                                     "+=", "-=", "*=", "/=", "<<=", ">>=", "&=", "|=", "^=", "%=", "POW="};
  for (int i = 0; i < 23; i++)
    if (Is(op, kOps[i])) return i;
  if (Is(op, "++")) return 25;
  if (Is(op, "--")) return 26;
  if (Is(op, "==")) ScriptError(kUseEquals);
  ScriptError("Syntax error");
}

static std::string RewriteEval(const char* text) {
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
    return Line(EvalBinaryId(second, dest.space, e.operand[1].space, e.operand[2].space),
                {Text(e.operand[1]), Text(e.operand[2]), Text(dest)});
  }
  if (e.count == 2) return Line(EvalAssignId(first, dest.space, e.operand[1].space), {Text(e.operand[1]), Text(dest)});
  return Line(EvalStepId(first, dest.space), {Text(dest)});
}

std::string RewriteKeyword(const char* line) {
  size_t n = std::strcspn(line, " \t(");
  const std::string keyword(line, n);
  const char* rest = line + n;
  const char* k = keyword.c_str();
  if (Is(k, "Else")) return "63";
  if (Is(k, "EndIf")) return "64";
  if (Is(k, "Do")) return "731";
  if (Is(k, "Forever")) return "732";
  if (Is(k, "BreakDo")) return "787";
  if (Is(k, "If")) return RewriteCompare(rest, true);
  if (Is(k, "While")) return RewriteCompare(rest, false);
  if (Is(k, "IfFlag")) return RewriteIfFlag(rest);
  if (Is(k, "Flag")) return RewriteFlag(rest);
  if (Is(k, "Eval")) return RewriteEval(rest);
  if (Is(k, "Array")) return RewriteArray(rest);
  if (Is(k, "TableB")) return RewriteTable(rest, 0);
  if (Is(k, "TableW")) return RewriteTable(rest, 1);
  if (Is(k, "TableD")) return RewriteTable(rest, 2);
  ScriptErrorFormat("Unknown keyword: \"%s\"", k);
}

}  // namespace tolv
