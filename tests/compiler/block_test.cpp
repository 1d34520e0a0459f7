// If, Do and Switch blocks: layouts, patched targets and misplaced closers.
#include "compiler_fixture.h"

namespace tolv::test {
namespace {

using BlockTest = CompilerTest;

TEST_F(BlockTest, IfElseEndIf) {
  Listing l = Compile("~If R1 < 5\n~Eval R2 = 1\n~EndIf\n~If R1 == R2\n~Eval R2 = 1\n~Else\n~Eval R2 = 2\n~EndIf\n#End\n");
  EXPECT_EQ(l[0], (Words{72, R(1), 5, 2}));  // fails to just after the EndIf
  EXPECT_EQ(l[2], (Words{64}));
  EXPECT_EQ(l[3], (Words{70, R(1), R(2), 5}));  // fails to just after the Else
  EXPECT_EQ(l[5], (Words{63, 7}));              // the Else jumps past the EndIf
  EXPECT_EQ(Failure("~If R1 < 5\n~Else\n~Else\n~EndIf\n#End\n"), "Found a second Else for the same If");
}

TEST_F(BlockTest, DoLoops) {
  Listing l = Compile("~Do\n~Do\n~BreakDo\n~Forever\n~BreakDo\n~While R1 < 10\n#End\n");
  EXPECT_EQ(l[0], (Words{731}));
  EXPECT_EQ(l[2], (Words{787, 3}));  // the inner BreakDo leaves the inner loop only
  EXPECT_EQ(l[3], (Words{732, 1}));
  EXPECT_EQ(l[4], (Words{787, 5}));
  EXPECT_EQ(l[5], (Words{754, R(1), 10, 0}));
  // A While line written as a command closes the loop the same way.
  EXPECT_EQ(Compile("#731\n#787\n#736 :R1 :R2\n#End\n"), (Listing{{731}, {787, 2}, {736, R(1), R(2), 0}, {346}}));
}

TEST_F(BlockTest, SwitchLayout) {
  Listing l = Compile(
      "#350 :R0\n#353 :1\n#354\n#353 :2\n#353 :3\n#354\n#471\n#355\n"
      "#351 :A1\n#353 :og4\n#355\n#End\n");
  EXPECT_EQ(l[0], (Words{350, R(0), 0, 6, 3, 1, 1, 2, 3, 3, 4}));
  EXPECT_EQ(l[2], (Words{354, 7}));
  EXPECT_EQ(l[5], (Words{354, 7}));
  EXPECT_EQ(l[8], (Words{351, 21, 0, 10, 1, 4, 9}));  // no default: after the EndSwitch
}

TEST_F(BlockTest, CaseLimitOfEightBitCounts) {
  std::string src = "#350 :R0\n";
  for (int i = 0; i < 256; i++) src += "#353 :" + std::to_string(i) + "\n";
  src += "#355\n#End\n";
  EXPECT_EQ(Failure(src), "A Switch of this kind can hold at most 255 Cases");
  src[3] = '2';  // 352 counts cases in 16 bits
  Listing l = Compile(src);
  ASSERT_EQ(l[0].size(), 5u + 2 * 256);
  EXPECT_EQ(l[0][4], 256u);
  EXPECT_EQ(l[0][5 + 2 * 255], 255u);  // the last case value and its target
  EXPECT_EQ(l[0][6 + 2 * 255], 256u);
}

TEST_F(BlockTest, ClosersWithoutOpeners) {
  EXPECT_EQ(Failure("~EndIf\n#End\n"), "Found EndIf without an If");
  EXPECT_EQ(Failure("~Else\n#End\n"), "Found Else without an If");
  EXPECT_EQ(Failure("~Forever\n#End\n"), "Found Forever without Do");
  EXPECT_EQ(Failure("~While R1 < 2\n#End\n"), "Found While without Do");
  EXPECT_EQ(Failure("~BreakDo\n#End\n"), "Found BreakDo without Do");
  EXPECT_EQ(Failure("#355\n#End\n"), "Found EndSwitch without a Switch");
  EXPECT_EQ(Failure("#353 :1\n#End\n"), "Found Case without a Switch");
  EXPECT_EQ(Failure("#354\n#End\n"), "Found BreakCase without a Switch");
  EXPECT_EQ(Failure("#471\n#End\n"), "Found DefaultCase without a Switch");
  EXPECT_EQ(Failure("~If R1 < 2\n~If R1 < 2\n#End\n"), "2 Ifs without EndIfs in this Function");
  EXPECT_EQ(Failure("#350 :R0\n~Do\n#End\n"), "1 Switches without EndSwitches in this Function");
  EXPECT_EQ(Failure("~Do\n#End\n"), "1 Dos without Whiles in this Function");
}

TEST_F(BlockTest, NestingLimit) {
  std::string src;
  for (int i = 0; i < 256; i++) src += "~Do\n";
  EXPECT_EQ(Failure(src + "#End\n"), "More than 255 nested Dos in this Function");
}

}  // namespace
}  // namespace tolv::test
