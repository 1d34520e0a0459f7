// Compiled source run on the script machine: loops, nested blocks,
// switches and expressions in every operand space.
#include <vector>

#include "compiler_fixture.h"
#include "script/commands.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv::test {
namespace {

struct RunTest : CompilerTest {
  PlayerRecord player;
  ObjectSlot object;
  std::vector<int32_t> pvars, ovars;
  CodeSet code;
  ScriptContext ctx;

  void SetUp() override {
    CompilerTest::SetUp();
    ASSERT_EQ(BuildCommandTables(), 0);
    AllocRegisters(64);
    player_register_count = 64;
    pvars.assign(PlayerBlockSize(), 0);
    player.character_vars = pvars.data();
    player.player_vars = pvars.data() + character_register_count;
    player_operand_a = player_operand_b = player_operand_d = &player;
    ovars.assign(32, 0);
    object.vars = ovars.data();
    object.var_count = 32;
    object_operand_a = object_operand_b = object_operand_d = &object;
  }
  void TearDown() override {
    current_context = &ctx;
    ClearContext();
    FreeCodeSet(code);
    current_context = nullptr;
    player_operand_a = player_operand_b = player_operand_d = &void_player;
    object_operand_a = object_operand_b = object_operand_d = &void_slot;
    CompilerTest::TearDown();
  }
  // Compiles and runs the function once to its end.
  void Run(const std::string& source) {
    Write("func.def", source);
    FileStream s;
    ASSERT_TRUE(OpenStream("func.def", s));
    AppendFunction(code, CompileFunctionBody(s));
    BindContext(ctx, script_commands, &code);
    current_context = running_context = &ctx;
    RunFunctionNow(uint16_t(code.total - 1));
  }
  int32_t U(int n) { return registers[256 + n]; }
};

TEST_F(RunTest, LoopsSumAndBreak) {
  Run("~Eval R0 = 0\n~Eval R1 = 0\n~Do\n~Eval R0 += 1\n~Eval R1 = R1 + R0\n~While R0 < 10\n"
      "~Do\n~Eval R2 ++\n~If R2 >= 7\n~BreakDo\n~EndIf\n~Forever\n#End\n");
  EXPECT_EQ(U(0), 10);
  EXPECT_EQ(U(1), 55);
  EXPECT_EQ(U(2), 7);
}

TEST_F(RunTest, NestedBlocks) {
  // Counts odd and even numbers below 20 in nested loops with an If/Else.
  Run("~Do\n~Eval R5 = R0 & 1\n~If R5 == 0\n~Eval R1 ++\n~Else\n~Eval R2 ++\n~EndIf\n"
      "~Eval R3 = 0\n~Do\n~Eval R3 ++\n~Eval R4 ++\n~While R3 < 3\n"
      "~Eval R0 ++\n~If R0 == 15\n~BreakDo\n~EndIf\n~While R0 < 20\n#End\n");
  EXPECT_EQ(U(0), 15);
  EXPECT_EQ(U(1), 8);
  EXPECT_EQ(U(2), 7);
  EXPECT_EQ(U(4), 45);
}

TEST_F(RunTest, SwitchFallThroughAndDefault) {
  Run("~Do\n#350 :R0\n#353 :1\n~Eval R2 += 1\n#353 :2\n~Eval R2 += 10\n#354\n"
      "#353 :3\n~Eval R2 += 100\n#354\n#471\n~Eval R2 += 1000\n#355\n"
      "~Eval R0 ++\n~While R0 <= 4\n"
      "#350 :R9\n#353 :1\n~Eval R3 = 1\n#355\n#End\n");
  EXPECT_EQ(U(2), 1000 + 11 + 10 + 100 + 1000);
  EXPECT_EQ(U(3), 0);  // no case and no default: past the EndSwitch
}

TEST_F(RunTest, ExpressionsInEveryOperandSpace) {
  Run("~Eval A1 = 7\n~Eval e2 = A1 * 3\n~Eval R0 = e2 - A1\n~Eval a0 = 100 / R0\n"
      "~Eval e3 = -5\n~Eval e3 -= R0\n~Eval R1 = 2\n~Eval R1 = R1 POW 10\n~Eval R2 = R1 >> 3\n"
      "~Array R10[R20] = A1\n~Eval R20 = 1\n~Array e10[R20] = 9\n~Array R3 = e10[R20]\n"
      "~Flag R4[3] = 1\n~Flag e4[R20] = 1\n~Flag R4[0] = 2\n"
      "~IfFlag R4[3] == 1\n~Eval R5 = 1\n~EndIf\n~IfFlag e4[1] == 0\n~Eval R5 = 99\n~EndIf\n"
      "~If 30 > e2\n~Eval R6 = 1\n~EndIf\n~If A1 != 7\n~Eval R6 = 99\n~EndIf\n#End\n");
  EXPECT_EQ(pvars[character_register_count + 1], 7);
  EXPECT_EQ(ovars[9], 21);
  EXPECT_EQ(U(0), 14);
  EXPECT_EQ(pvars[character_register_count + 39], 7);
  EXPECT_EQ(ovars[10], -19);
  EXPECT_EQ(U(1), 1024);
  EXPECT_EQ(U(2), 128);
  EXPECT_EQ(U(10), 7);
  EXPECT_EQ(ovars[18], 9);
  EXPECT_EQ(U(3), 9);
  EXPECT_EQ(U(4), 9);  // bit 3 set, bit 0 flipped on
  EXPECT_EQ(ovars[11], 2);
  EXPECT_EQ(U(5), 1);
  EXPECT_EQ(U(6), 1);
}

TEST_F(RunTest, JumpsLabelsAndJumpTables) {
  Run("#850 :R7 :2 :@one :@two\n@one\n~Eval R0 = 1\n#847 :@end\n@two\n~Eval R0 = 2\n@end\n"
      "~Eval R1 = 5\n#847 :+2\n~Eval R1 = 6\n#End\n");
  EXPECT_EQ(U(0), 1);
  EXPECT_EQ(U(1), 5);
}

}  // namespace
}  // namespace tolv::test
