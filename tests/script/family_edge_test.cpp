// Literal cases of the arithmetic and compare families (they pin the
// reference model too), and Switch, jump tables and loops run in real lanes.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "script/commands.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {
namespace {

constexpr uint32_t R(uint32_t n) { return kRegisterBit | (256 + n); }

class FamilyEdge : public ::testing::Test {
 protected:
  void SetUp() override { AllocRegisters(16); }
  int32_t& U(uint32_t n) { return registers[256 + n]; }
  void Exec(std::vector<uint32_t> words) {
    words.resize(words.size() + kOperandPad);
    current_instruction = words.data();
    script_commands[words[0]]();
  }
};

TEST_F(FamilyEdge, ArithmeticLiterals) {
  struct Case {
    uint32_t id;
    int32_t a, b, expect;
  };
  // op1 and op2 registers (or K op2 for the R, K IDs), result in op3.
  const Case three[] = {
      {50, -7, 2, -3},           {50, 7, -2, -3},           {626, -7, 2, -1},    {626, 7, -2, 1},
      {49, 65536, 65536, 0},     {47, INT_MAX, 1, INT_MIN}, {50, INT_MIN, -1, INT_MIN},
      {626, INT_MIN, -1, 0},     {51, 2, 10, 1024},         {51, -2, 3, -8},     {51, 0, 0, 1},
      {51, 2, -1, 0},            {51, -2, -1, 0},           {51, 10, -3, 0},     {51, 3, 4, 81},
      {51, 2, 31, INT_MIN},      {51, 0, -1, INT_MIN},      {51, -2, 31, INT_MIN}, {51, 7, 99, INT_MIN},
  };
  for (const Case& c : three) {
    U(1) = c.a, U(2) = c.b, U(3) = 12345;
    Exec({c.id, R(1), R(2), R(3)});
    EXPECT_EQ(U(3), c.expect) << c.id << " " << c.a << " " << c.b;
  }
  U(1) = -16;
  Exec({591, R(1), 2, R(3)});
  EXPECT_EQ(U(3), -4);
  U(1) = 1;
  Exec({555, R(1), 33, R(3)});
  EXPECT_EQ(U(3), 2);
  U(2) = 7;
  Exec({1034, static_cast<uint32_t>(-2), R(2)});
  EXPECT_EQ(U(2), 1);
  U(2) = 5;
  Exec({1531, 2, R(2)});
  EXPECT_EQ(U(2), 25);
}

TEST_F(FamilyEdge, DivisionByZeroLeavesTheDestination) {
  for (uint32_t id : {50u, 626u}) {
    U(1) = 9, U(2) = 0, U(3) = 77;
    Exec({id, R(1), R(2), R(3)});
    EXPECT_EQ(U(3), 77) << id;
  }
  U(2) = 77;
  Exec({1003, R(1), R(2)});  // R op2 /= R op1 with R op1 = 9
  EXPECT_EQ(U(2), 8);
  Exec({1033, 0, R(2)});
  Exec({1034, 0, R(2)});
  EXPECT_EQ(U(2), 8);
}

TEST_F(FamilyEdge, InPlaceAndBitLiterals) {
  U(1) = INT_MIN;
  Exec({788, R(1)});
  EXPECT_EQ(U(1), INT_MIN);
  Exec({800, R(1)});
  EXPECT_EQ(U(1), INT_MIN);
  U(1) = INT_MAX;
  Exec({662, R(1)});
  EXPECT_EQ(U(1), INT_MIN);
  Exec({665, R(1)});
  EXPECT_EQ(U(1), INT_MAX);
  U(1) = 0, U(2) = 33;
  Exec({1415, R(1), R(2)});
  EXPECT_EQ(U(1), 2);
  U(1) = 15, U(2) = 3;
  Exec({1416, R(1), R(2)});
  EXPECT_EQ(U(1), 7);
  U(1) = 5;
  Exec({1473, R(1), R(1)});
  EXPECT_EQ(U(1), 5);
}

// A function in a context of its own, run for one turn.
class LaneRun : public FamilyEdge {
 protected:
  CodeSet set;
  ScriptContext ctx;
  void TearDown() override {
    current_context = &ctx;
    ClearContext();
    FreeCodeSet(set);
    current_context = nullptr;
  }
  void Run(FunctionBuilder& b) {
    b.Add({346});
    ASSERT_EQ(AppendFunction(set, b.Finish()), 0);
    BindContext(ctx, script_commands, &set);
    current_context = &ctx;
    StartFunction(0);
    RunLanes();
  }
};

TEST_F(LaneRun, DoWhileLoopCountsUp) {
  FunctionBuilder b;
  b.Add({45, R(0), 0});        // 0: R0 = 0
  b.Add({731});                // 1: Do
  b.Add({1030, 3, R(0)});      // 2: R0 += 3
  b.Add({754, R(0), 30, 1});   // 3: While R0 < 30, back to after 1
  b.Add({72, R(0), 30, 5});    // 4: If R0 < 30 (fails: to 6)
  b.Add({45, R(1), 99});       // 5: skipped
  b.Add({45, R(2), 7});        // 6
  Run(b);
  EXPECT_EQ(U(0), 30);
  EXPECT_EQ(U(1), 0);
  EXPECT_EQ(U(2), 7);
}

// Switch at 0; landing pads set R1 to 100 (at 1), 200 (at 3), 300 (at 5).
void SwitchFunction(FunctionBuilder& b, int32_t n) {
  b.Add({350, R(0), 0, 4, static_cast<uint32_t>(n), 5, 2, 7, 0, 5, 4});
  for (uint32_t v : {100u, 200u, 300u}) {
    b.Add({45, R(1), v});
    b.Add({346});
  }
}

TEST_F(LaneRun, SwitchTakesTheFirstMatchOrTheDefault) {
  struct Case {
    int32_t selector, n, expect;
  };
  // Cases 5 -> 200, 7 -> 100, 5 -> 300 (a duplicate), default 300.
  const Case cases[] = {{5, 3, 200}, {7, 3, 100}, {8, 3, 300}, {5, 0, 300}, {5, -1, 300},
                        {0, 1000, 300}, {45, 1000, 300}, {7, 1, 300}};
  for (const Case& c : cases) {
    FunctionBuilder b;
    SwitchFunction(b, c.n);
    U(0) = c.selector, U(1) = 0;
    Run(b);
    EXPECT_EQ(U(1), c.expect) << c.selector << " " << c.n;
    TearDown();
    set = CodeSet();
    ctx = ScriptContext();
  }
}

TEST_F(LaneRun, JumpTableOutsideContinues) {
  PlayerRecord p;
  int32_t vars[64] = {};
  p.character_vars = vars;
  player_operand_a = &p;
  for (int32_t sel : {0, 1, 2, -1}) {
    FunctionBuilder b;
    vars[3] = sel;
    b.Add({851, 3, 2, 1, 3});   // 0: targets land at 2 and 4
    b.Add({45, R(2), 1});       // 1: reached only when the table is left
    b.Add({45, R(1), 200});     // 2
    b.Add({346});               // 3
    b.Add({45, R(1), 300});     // 4
    U(1) = U(2) = 0;
    Run(b);
    EXPECT_EQ(U(1), sel == 1 ? 300 : 200) << sel;
    EXPECT_EQ(U(2), sel == 0 || sel == 1 ? 0 : 1) << sel;
    TearDown();
    set = CodeSet();
    ctx = ScriptContext();
  }
  player_operand_a = &void_player;
}

}  // namespace
}  // namespace tolv
