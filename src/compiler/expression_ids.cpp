// Command IDs of keyword expressions, from the family layouts.
#include "compiler/expression_ids.h"

namespace tolv {

constexpr int kEmpty = 52;

int IfCompareId(int op, int a, int b) {
  // First ID of each ordered pair that has commands; op order <,>,<=,>=,==,!=.
  static const int base[4][4] = {{66, 95, 113, 72}, {0, 107, 119, 101}, {0, 0, 131, 125}, {0, 0, 0, 0}};
  static const int mirror[6] = {1, 0, 3, 2, 4, 5};
  if (a == 3 && b == 3) return kEmpty;
  if (base[a][b]) return base[a][b] + op;
  return -(base[b][a] + mirror[op]);
}

int WhileCompareId(int op, int a, int b) {
  static const int base[4][4] = {{733, 739, 745, 751}, {0, 757, 763, 769}, {0, 0, 775, 781}, {0, 0, 0, 0}};
  static const int order[6] = {3, 2, 5, 4, 0, 1};  // <,>,<=,>=,==,!= in the While order
  static const int mirror[6] = {1, 0, 3, 2, 4, 5};
  if (a == 3 && b == 3) return kEmpty;
  if (base[a][b]) return base[a][b] + order[op];
  return -(base[b][a] + order[mirror[op]]);
}

int IfFlagId(int state, int space, bool reg) {
  static const int ids[12] = {357, 1410, 359, 1412, 361, 1414, 356, 1409, 358, 1411, 360, 1413};
  return ids[(state * 3 + space) * 2 + reg];
}

int FlagId(int value, int space, bool reg) {
  static const int ids[18] = {363, 1416, 365, 1418, 367, 1420, 362, 1415, 364, 1417,
                              366, 1419, 368, 1421, 369, 1422, 370, 1423};
  return ids[(value * 3 + space) * 2 + reg];
}

// Add, sub, mul, div, pow by operand pair: group index and whether the
// group is a mirrored three-ID one.
static int ArithId(int op, int dest, int a, int b) {
  static const int group[4][4] = {{0, 4, 12, 1}, {3, 9, 7, 5}, {11, 8, 10, 13}, {2, 6, 14, -1}};
  static const int first_r[15] = {47, 53, 59, 145, 150, 154, 159, 162, 167, 170, 175, 180, 185, 188, 193};
  static const int first_pd[15] = {196, 201, 206, 209, 214, 217, 222, 225, 230, 233, 238, 243, 248, 251, 256};
  static const bool mirrored[15] = {0, 0, 1, 0, 1, 0, 1, 0, 1, 0, 0, 0, 1, 0, 1};
  static const int slot5[5] = {0, 1, 2, 3, 4};  // add sub mul div pow
  static const int slot3[5] = {-1, 0, -1, 1, 2};
  int which = op == 10 ? 4 : op;
  int g = group[a][b];
  if (g < 0) return kEmpty;
  auto first = [&](int gi) { return dest == 0 ? first_r[gi] : first_pd[gi] + (dest == 2 ? 63 : 0); };
  if (!mirrored[g]) return first(g) + slot5[which];
  if (slot3[which] >= 0) return first(g) + slot3[which];
  return -(first(group[b][a]) + slot5[which]);  // add and mul: the operands exchanged
}

static int BitwiseId(int op, int dest, int a, int b) {
  static const int pos[4][4] = {{0, 2, 3, 1}, {-2, 5, 6, 4}, {-3, -6, 8, 7}, {-1, -4, -7, -9}};
  static const int base[3] = {473, 500, 527};
  int p = pos[a][b];
  if (p == -9) return kEmpty;
  int id = base[op - 6] + 9 * dest + (p < 0 ? -p : p);
  return p < 0 ? -id : id;
}

static int ShiftModId(int op, int dest, int a, int b) {
  int which = op == 4 ? 0 : op == 5 ? 1 : 2;
  if (a == 3) {
    if (b == 3) return kEmpty;
    static const int kpos[3] = {0, 2, 3};  // b = R, P, O
    return 1484 + 12 * which + 4 * dest + kpos[b];
  }
  static const int pos[3][4] = {{0, 2, 3, 1}, {4, 6, 7, 5}, {8, 10, 11, 9}};
  return 554 + 36 * which + 12 * dest + pos[a][b];
}

int EvalBinaryId(int op, int dest, int a, int b) {
  if (op <= 3 || op == 10) return ArithId(op, dest, a, b);
  if (op >= 6 && op <= 8) return BitwiseId(op, dest, a, b);
  return ShiftModId(op, dest, a, b);
}

int EvalAssignId(int op, int dest, int s) {
  static const int moves[3][4] = {{-44, -87, -140, -45}, {-86, -327, -141, -85}, {-143, -142, -328, -144}};
  static const int pow_in_place[3][4] = {{1528, 1529, 1530, 1531}, {1536, 1537, 1538, 1539}, {1532, 1533, 1534, 1535}};
  static const int compound[10] = {0, 1, 2, 3, 8, 9, 5, 6, 7, 4};  // compiler order -> layout order
  if (op == 11) return moves[dest][s];
  if (op == 22) return pow_in_place[dest][s];
  return 1000 + 40 * dest + 10 * s + compound[op - 12];
}

int EvalStepId(int op, int dest) { return (op == 25 ? 662 : 665) + dest; }

int TableReadId(int width, int dest, int table, int index) {
  return 1284 + 36 * dest + 9 * ((table + 1) % 4) + 3 * index + width;
}
int ArrayReadId(int dest, int array, int index) { return 668 + 9 * dest + 3 * array + index; }
int ArrayWriteId(int array, int index, int source) { return 695 + 12 * array + 4 * index + source; }

}  // namespace tolv
