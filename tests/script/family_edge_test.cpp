// Literal cases of the arithmetic and compare families (they pin the
// reference model too), and Switch, jump tables and loops run in real lanes.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "script/commands.h"
#include "script/operands.h"
#include "script/registers.h"
#include "script_fixture.h"

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
  // R op3 := R op1 OP R op2; 12345 is what stays when nothing is stored.
  const Case three[] = {
      {50, -7, 2, -3},           {50, 7, -2, -3},           {626, -7, 2, -1},    {626, 7, -2, 1},
      {49, 65536, 65536, 0},     {47, INT_MAX, 1, INT_MIN}, {50, INT_MIN, -1, INT_MIN},
      {626, INT_MIN, -1, 0},     {51, 2, 10, 1024},         {51, -2, 3, -8},     {51, 0, 0, 1},
      {51, 2, -1, 0},            {51, -2, -1, 0},           {51, 10, -3, 0},     {51, 3, 4, 81},
      {51, 2, 31, INT_MIN},      {51, 0, -1, INT_MIN},      {51, -2, 31, INT_MIN}, {51, 7, 99, INT_MIN},
      {50, 9, 0, 12345},         {626, 9, 0, 12345},
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

// Functions run for one turn in a lane of their own.
class LaneRun : public test::ScriptTest {
 protected:
  int32_t& U(uint32_t n) { return registers[256 + n]; }
  void RunOnce(test::Func f) {
    Add(f);
    Bind();
    StartFunction(static_cast<uint16_t>(code.total - 1));
    RunLanes();
  }
};

TEST_F(LaneRun, DoWhileLoopCountsUp) {
  RunOnce({{45, R(0), 0},        // 0: R0 = 0
           {731},                // 1: Do
           {1030, 3, R(0)},      // 2: R0 += 3
           {754, R(0), 30, 1},   // 3: While R0 < 30, back to after 1
           {72, R(0), 30, 5},    // 4: If R0 < 30 (fails: to 6)
           {45, R(1), 99},       // 5: skipped
           {45, R(2), 7},        // 6
           {346}});
  EXPECT_EQ(U(0), 30);
  EXPECT_EQ(U(1), 0);
  EXPECT_EQ(U(2), 7);
}

TEST_F(LaneRun, SwitchTakesTheFirstMatchOrTheDefault) {
  struct Case {
    int32_t selector, n, expect;
  };
  // Cases 5 -> 200, 7 -> 100, 5 -> 300 (a duplicate), default 300; a count
  // past the cases held reads no further.
  const Case cases[] = {{5, 3, 200}, {7, 3, 100}, {8, 3, 300}, {5, 0, 300}, {5, -1, 300},
                        {0, 1000, 300}, {45, 1000, 300}, {7, 1, 300}};
  for (const Case& c : cases) {
    U(0) = c.selector, U(1) = 0;
    RunOnce({{350, R(0), 0, 4, static_cast<uint32_t>(c.n), 5, 2, 7, 0, 5, 4},
             {45, R(1), 100}, {346}, {45, R(1), 200}, {346}, {45, R(1), 300}, {346}});
    EXPECT_EQ(U(1), c.expect) << c.selector << " " << c.n;
  }
}

TEST_F(LaneRun, JumpTableOutsideContinues) {
  PlayerRecord p;
  int32_t vars[64] = {};
  p.character_vars = vars;
  player_operand_a = &p;
  for (int32_t sel : {0, 1, 2, -1}) {
    vars[3] = sel;
    U(1) = U(2) = 0;
    RunOnce({{851, 3, 2, 1, 3},   // 0: targets land at 2 and 4
             {45, R(2), 1},       // 1: reached only when the table is left
             {45, R(1), 200},     // 2
             {346},               // 3
             {45, R(1), 300},     // 4
             {346}});
    EXPECT_EQ(U(1), sel == 1 ? 300 : 200) << sel;
    EXPECT_EQ(U(2), sel == 0 || sel == 1 ? 0 : 1) << sel;
  }
  player_operand_a = &void_player;
}

}  // namespace
}  // namespace tolv
