// Keyword expressions: IDs by operator and operand spaces, word order and
// the messages of malformed expressions.
#include "compiler_fixture.h"

namespace tolv::test {
namespace {

using ExpressionTest = CompilerTest;

constexpr uint32_t Reg(uint32_t n) { return 0x40000000u + n; }

TEST_F(ExpressionTest, IfAndWhileCompares) {
  Listing l = Compile("~If R1 < 5\n~If 5 < R1\n~If A3 != e2\n~If 1 == 2\n~EndIf\n~EndIf\n~EndIf\n~EndIf\n#End\n");
  EXPECT_EQ(l[0], (Words{72, R(1), 5, 7}));
  EXPECT_EQ(l[1], (Words{73, R(1), 5, 6}));  // constant first: mirrored and exchanged
  EXPECT_EQ(l[2], (Words{124, 23, 9, 5}));
  EXPECT_EQ(l[3], (Words{52, 1, 2, 4}));     // two constants: the empty command
  Listing w = Compile("~Do\n~While e1>=R2\n~Do\n~While(PP) 1<=2\n#End\n");
  EXPECT_EQ(w[1], (Words{750, R(2), 8, 0}));  // (O, R) >= becomes (R, O) <=
  EXPECT_EQ(w[3], (Words{762, 1, 2, 2}));     // override: two player variables
}

TEST_F(ExpressionTest, CompareMessages) {
  EXPECT_EQ(Failure("~If R1 = 5\n#End\n"), "\"=\" is an assignment operator. Please use \"==\" for comparison.");
  EXPECT_EQ(Failure("~If R1 <> 5\n#End\n"), "Invalid operation");
  EXPECT_EQ(Failure("~If R1\n#End\n"), "If Expression requires 2 variables, but the expression itself only contains 1");
  EXPECT_EQ(Failure("~If R1 < 5 < 6\n#End\n"),
            "If Expression requires 2 variable, but the expression itself attempts to perform additional operations");
  EXPECT_EQ(Failure("~Do\n~While R1\n#End\n"),
            "While Expression requires 2 variables, but the expression itself only contains 1");
  EXPECT_EQ(Failure("~Iff R1 < 2\n#End\n"), "Unknown keyword: \"Iff\"");
  EXPECT_EQ(Failure("~If(RX) R1 < 2\n#End\n"), "Unknown variable type: 'X'");
}

TEST_F(ExpressionTest, IfFlagAndFlag) {
  Listing l = Compile("~IfFlag R3[4] == 1\n~IfFlag e1[r7] == 0\n~EndIf\n~EndIf\n#End\n");
  EXPECT_EQ(l[0], (Words{356, R(3), 16, 3}));
  EXPECT_EQ(l[1], (Words{1414, 8, 7, 2}));
  EXPECT_EQ(Line("~Flag R3[4] = 0"), (Words{363, R(3), ~16u}));
  EXPECT_EQ(Line("~Flag A1[R2] = 2"), (Words{1422, 21, 258}));
  EXPECT_EQ(Line("~Flag e0[33] = 1"), (Words{366, 7, 2}));
  EXPECT_EQ(Failure("~Flag R3[4] = 3\n#End\n"), "A Flag can only be set to 0 (clear), 1 (set) or 2 (flip)");
  EXPECT_NE(Failure("~Flag 5[4] = 1\n#End\n").find("not a constant"), std::string::npos);
  EXPECT_NE(Failure("~Flag R3[e1] = 1\n#End\n").find("The Flag ID operand may only be"), std::string::npos);
  EXPECT_EQ(Failure("~Flag R3[4] == 1\n#End\n"), "\"==\" is a comparison operator. Please use \"=\" for assignment.");
  EXPECT_EQ(Failure("~IfFlag R3[4] = 1\n#End\n"), "\"=\" is an assignment operator. Please use \"==\" for comparison.");
  EXPECT_EQ(Failure("~IfFlag R3[4] === 1\n#End\n"), "Invalid Operation. IfFlag is for testing on/off state, not math operations");
  EXPECT_EQ(Failure("~IfFlag R3[4]\n#End\n"), "IfFlag Expression requires 3 operands, but the expression itself only contains 2");
  EXPECT_EQ(Failure("~Flag R3[4] = 1 2\n#End\n"), "Flag Expression requires 3 operands, but the expresion itself lists more");
}

TEST_F(ExpressionTest, TablesAndArrays) {
  compile_scopes.tables = {3, 0};
  EXPECT_EQ(Line("~TableB R0 = 2[R1]"), (Words{1284, 2, R(1), R(0)}));
  EXPECT_EQ(Line("~TableW A1 = z1[e2]"), (Words{1327, 4, 9, 21}));
  EXPECT_EQ(Line("~TableD e1 = R5[A1]"), (Words{1370, R(5), 21, 8}));
  EXPECT_EQ(Failure("~TableB R0 = 2[3]\n#End\n"), "Constants are not an allowed table index value type");
  EXPECT_EQ(Failure("~TableB R0[1] = 2\n#End\n"),
            "Table Expressions can only be used to retrieve values from tables, not to perform other operations");
  EXPECT_EQ(Failure("~TableB R0 = 2\n#End\n"), "Table Expression requires variables, but the expression itself only contains 2");
  EXPECT_EQ(Line("~Array R0 = R10[A1]"), (Words{669, R(10), 21, R(0)}));
  EXPECT_EQ(Line("~Array e1[R2] = 7"), (Words{722, 7, 8, R(2)}));
  EXPECT_NE(Failure("~Array R0 = R10[4]\n#End\n").find("needs variables"), std::string::npos);
  EXPECT_NE(Failure("~Array 5[R1] = 7\n#End\n").find("needs variables"), std::string::npos);
  EXPECT_EQ(Failure("~Array = R1[R2]\n#End\n"), "Found an operator when a variable name or constant value was expected");
  EXPECT_EQ(Failure("~Array R0 == R1[R2]\n#End\n"), "\"==\" is a comparison operator. Please use \"=\" for assignment.");
}

TEST_F(ExpressionTest, EvalForms) {
  EXPECT_EQ(Line("~Eval R0 = R1 + R2"), (Words{47, R(1), R(2), R(0)}));
  EXPECT_EQ(Line("~Eval R0 += 1"), (Words{1030, 1, R(0)}));
  EXPECT_EQ(Line("~Eval R0 ++"), (Words{662, R(0)}));
  EXPECT_EQ(Line("~Eval e1--"), (Words{667, 8}));
  EXPECT_EQ(Line("~Eval R0 = 5"), (Words{45, R(0), 5}));         // move: source exchanged into op2
  EXPECT_EQ(Line("~Eval R0 = A1 + R2"), (Words{145, 21, R(2), R(0)}));
  EXPECT_EQ(Line("~Eval R0 = R2 + A1"), (Words{145, 21, R(2), R(0)}));  // mirrored pair exchanged
  EXPECT_EQ(Line("~Eval R0 = -5 - R1"), (Words{59, uint32_t(-5), R(1), R(0)}));
  EXPECT_EQ(Line("~Eval R0 = R1--$10"), (Words{54, R(1), uint32_t(-16), R(0)}));
  EXPECT_EQ(Line("~Eval R0 = R1 & %101"), (Words{474, R(1), 5, R(0)}));
  EXPECT_EQ(Line("~Eval A2 = e1 POW 2"), (Words{255, 8, 2, 22}));
  EXPECT_EQ(Line("~Eval r5 POW= R1"), (Words{1528, R(1), Reg(5)}));
  EXPECT_EQ(Line("~Eval R0 = 1 + 2"), (Words{52, 1, 2, R(0)}));
}

TEST_F(ExpressionTest, EvalMessages) {
  EXPECT_EQ(Failure("~Eval\n#End\n"), "Expected an expression");
  EXPECT_EQ(Failure("~Eval R0 == 1\n#End\n"), "\"==\" is a comparison operator. Please use \"=\" for assignment.");
  EXPECT_EQ(Failure("~Eval R0 + 1\n#End\n"),
            "The first operator must be an assignment operator ('=', '+=', '-=', etc) or an increment/decrement ('++', '--')");
  EXPECT_EQ(Failure("~Eval R0 = R1 + R2 + R3\n#End\n"),
            "Math expressions may only perform up to two operations; this expression attempted to perform more");
  EXPECT_EQ(Failure("~Eval R0 ++ 1\n#End\n"), "Operator \"++\" is only valid for single-variable math");
  EXPECT_EQ(Failure("~Eval R0 = R1 +\n#End\n"), "Expected a Variable Name or Constant Value after the last operator");
  const char* op = "Found an operator when a Variable Name/ID or Constant Value was expected";
  EXPECT_EQ(Failure("~Eval R0 = +5\n#End\n"), op);
  EXPECT_EQ(Failure("~Eval R0 = R1 + -\n#End\n"), op);  // a lone sign
  EXPECT_EQ(Failure("~Eval R0 = * R1\n#End\n"), op);
  EXPECT_NE(Failure("~Eval 5 = R1\n#End\n").find("constant"), std::string::npos);
}

TEST_F(ExpressionTest, AliasesAndOverrides) {
  Write("alias.def", ":2\n:2\n:regs.def\n:free.def\n");
  Write("regs.def", ":Speed\n:5\n");
  Write("free.def", ":Mystery\n:3\n");
  LoadAliasFiles("alias.def");
  EXPECT_EQ(Line("~Eval R_Speed = _Speed + 1"), (Words{53, 261, 1, R(5)}));  // _Speed: a register by kind
  EXPECT_EQ(Line("~Eval(RC) R0 = _Mystery"), (Words{45, R(0), 3}));
  EXPECT_EQ(Failure("~Eval R0 = _Mystery\n#End\n"),
            "Variable type override was not provided, and one could not be determined from the operand itself (1, 255)");
}

}  // namespace
}  // namespace tolv::test
