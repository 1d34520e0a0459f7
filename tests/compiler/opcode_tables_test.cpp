// Every entry of the compiler's opcode tables against the reference decode
// of the family layouts: positive entries name the command of exactly that
// operation and operand kinds, negative ones the mirrored pair, two
// constants the empty command.
#include <gtest/gtest.h>

#include <string>

#include "compiler/opcode_tables.h"
#include "../script/family_reference.h"

namespace tolv {
namespace {

using ref::Shape;
using ref::Sp;

int KindOf(Sp s) {
  switch (s) {
    case Sp::R: return 0;
    case Sp::PA: case Sp::PB: case Sp::PD: return 1;
    case Sp::OA: case Sp::OB: case Sp::OD: return 2;
    default: return 3;
  }
}
int DstOf(Sp s) { return s == Sp::R ? 0 : s == Sp::PD ? 1 : s == Sp::OD ? 2 : -1; }

const char* kBinary[11] = {"+", "-", "*", "/", "<<", ">>", "&", "|", "^", "%", "pow"};
const char* kCompare[6] = {"<", ">", "<=", ">=", "==", "!="};

TEST(OpcodeTables, BinaryEntriesMatchTheirCommands) {
  for (int op = 0; op < 11; op++)
    for (int d = 0; d < 3; d++)
      for (int a = 0; a < 4; a++)
        for (int b = 0; b < 4; b++) {
          int16_t e = eval_binary_ids[((op * 3 + d) * 4 + a) * 4 + b];
          EXPECT_EQ(EvalId(op, d, a, b), e);
          std::string where = std::string(kBinary[op]) + " d" + std::to_string(d) + " " + std::to_string(a) +
                              std::to_string(b) + " = " + std::to_string(e);
          if (a == 3 && b == 3) {
            EXPECT_EQ(e, kEmptyCommandId) << where;
            continue;
          }
          bool commutative = op == 0 || op == 2 || op == 6 || op == 7 || op == 8;
          ASSERT_TRUE(e > 0 || commutative) << where;
          ref::Cmd c = ref::Decode(e > 0 ? e : -e);
          ASSERT_EQ(c.shape, Shape::kThree) << where;
          EXPECT_EQ(c.op, kBinary[op]) << where;
          EXPECT_EQ(DstOf(c.dst), d) << where;
          EXPECT_EQ(KindOf(c.a), e > 0 ? a : b) << where;
          EXPECT_EQ(KindOf(c.b), e > 0 ? b : a) << where;
        }
}

TEST(OpcodeTables, AssignAndUnaryEntriesMatchTheirCommands) {
  static const char* compound[11] = {"+", "-", "*", "/", "<<", ">>", "&", "|", "^", "%", "pow"};
  for (int op = 11; op <= 24; op++)
    for (int d = 0; d < 3; d++)
      for (int s = 0; s < 4; s++) {
        int16_t e = EvalId(op, d, s, 0);
        std::string where = std::to_string(op) + " d" + std::to_string(d) + " s" + std::to_string(s);
        if (op >= 23 && s == 3) {
          EXPECT_EQ(e, kEmptyCommandId) << where;
          continue;
        }
        EXPECT_EQ(e < 0, op == 11) << where;  // moves are built source first
        ref::Cmd c = ref::Decode(e < 0 ? -e : e);
        EXPECT_EQ(DstOf(c.dst), d) << where;
        EXPECT_EQ(KindOf(c.b), s) << where;
        if (op == 11) EXPECT_EQ(c.shape, Shape::kMove) << where;
        else if (op <= 22) EXPECT_TRUE(c.shape == Shape::kCompound && c.op == compound[op - 12]) << where;
        else EXPECT_TRUE(c.shape == Shape::kInto && c.op == (op == 23 ? "neg" : "abs")) << where;
      }
  static const char* unary[4] = {"++", "--", "neg", "abs"};
  for (int op = 25; op <= 28; op++)
    for (int d = 0; d < 3; d++) {
      ref::Cmd c = ref::Decode(EvalId(op, d, 0, 0));
      EXPECT_TRUE(c.shape == Shape::kInPlace && c.op == unary[op - 25] && DstOf(c.dst) == d) << op << " " << d;
    }
  EXPECT_EQ(EvalId(29, 0, 0, 0), kEmptyCommandId);
}

TEST(OpcodeTables, CompareEntriesMatchTheirCommands) {
  for (const auto* table : {&if_ids, &while_ids}) {
    Shape shape = table == &if_ids ? Shape::kIf : Shape::kWhile;
    for (int op = 0; op < 6; op++)
      for (int a = 0; a < 4; a++)
        for (int b = 0; b < 4; b++) {
          int16_t e = (*table)[(op * 4 + a) * 4 + b];
          std::string where = std::string(kCompare[op]) + " " + std::to_string(a) + std::to_string(b);
          if (a == 3 && b == 3) {
            EXPECT_EQ(e, kEmptyCommandId) << where;
            continue;
          }
          ref::Cmd c = ref::Decode(e > 0 ? e : -e);
          ASSERT_EQ(c.shape, shape) << where;
          int mirrored = op < 4 ? op ^ 1 : op;
          EXPECT_EQ(c.op, kCompare[e > 0 ? op : mirrored]) << where;
          EXPECT_EQ(KindOf(c.a), e > 0 ? a : b) << where;
          EXPECT_EQ(KindOf(c.b), e > 0 ? b : a) << where;
        }
  }
}

TEST(OpcodeTables, LiteralRows) {
  const int16_t if_lt[16] = {66, 95, 113, 72, -96, 107, 119, 101, -114, -120, 131, 125, -73, -102, -126, 52};
  const int16_t while_le[16] = {738, 744, 750, 756, -743, 762, 768, 774, -749, -767, 780, 786, -755, -773, -785, 52};
  const int16_t add_r[16] = {47, -145, -180, 53, 145, 170, 162, 154, 180, -162, 175, 188, -53, -154, -188, 52};
  const int16_t shl_p[16] = {566, 568, 569, 567, 570, 572, 573, 571, 574, 576, 577, 575, 1488, 1490, 1491, 52};
  const int16_t pow_o[16] = {263, 279, 313, 268, 276, 300, 292, 284, 310, 295, 305, 318, 271, 287, 321, 52};
  const int16_t move[12] = {-44, -87, -140, -45, -86, -327, -141, -85, -143, -142, -328, -144};
  const int16_t pow_in_place[12] = {1528, 1529, 1530, 1531, 1536, 1537, 1538, 1539, 1532, 1533, 1534, 1535};
  const int16_t ifflag[12] = {357, 1410, 359, 1412, 361, 1414, 356, 1409, 358, 1411, 360, 1413};
  const int16_t flag[18] = {363, 1416, 365, 1418, 367, 1420, 362, 1415, 364,
                            1417, 366, 1419, 368, 1421, 369, 1422, 370, 1423};
  for (int k = 0; k < 16; k++) {
    EXPECT_EQ(if_ids[k], if_lt[k]) << k;
    EXPECT_EQ(while_ids[2 * 16 + k], while_le[k]) << k;
    EXPECT_EQ(EvalId(kEvalAdd, 0, k / 4, k % 4), add_r[k]) << k;
    EXPECT_EQ(EvalId(kEvalShl, 1, k / 4, k % 4), shl_p[k]) << k;
    EXPECT_EQ(EvalId(kEvalPow, 2, k / 4, k % 4), pow_o[k]) << k;
  }
  for (int k = 0; k < 12; k++) {
    EXPECT_EQ(EvalId(kEvalMove, k / 4, k % 4, 0), move[k]) << k;
    EXPECT_EQ(EvalId(kEvalPowInPlace, k / 4, k % 4, 0), pow_in_place[k]) << k;
    EXPECT_EQ(ifflag_ids[k], ifflag[k]) << k;
  }
  for (int k = 0; k < 18; k++) EXPECT_EQ(flag_ids[k], flag[k]) << k;
  EXPECT_EQ(EvalId(kEvalInc, 1, 0, 0), 663);
  EXPECT_EQ(EvalId(kEvalAbs, 2, 0, 0), 802);
}

}  // namespace
}  // namespace tolv
