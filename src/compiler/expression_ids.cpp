// Command IDs of keyword expressions: the opcode tables for compares, flags
// and math; table and array reads and writes by their family layouts.
#include "compiler/expression_ids.h"

#include "compiler/opcode_tables.h"
#include "script/command_ids.h"

namespace tolv {

int IfCompareId(int op, int a, int b) { return if_ids[(op * 4 + a) * 4 + b]; }
int WhileCompareId(int op, int a, int b) { return while_ids[(op * 4 + a) * 4 + b]; }
int IfFlagId(int state, int space, bool reg) { return ifflag_ids[(state * 3 + space) * 2 + reg]; }
int FlagId(int value, int space, bool reg) { return flag_ids[(value * 3 + space) * 2 + reg]; }
int EvalBinaryId(int op, int dest, int a, int b) { return EvalId(op, dest, a, b); }
int EvalAssignId(int op, int dest, int s) { return EvalId(op, dest, s, 0); }
int EvalStepId(int op, int dest) { return EvalId(op, dest, 0, 0); }

int TableReadId(int width, int dest, int table, int index) {
  return kCmdReadTableFirst + 36 * dest + 9 * ((table + 1) % 4) + 3 * index + width;  // table K 0, R 1, P 2, O 3
}
int ArrayReadId(int dest, int array, int index) { return kCmdArrayReadFirst + 9 * dest + 3 * array + index; }
int ArrayWriteId(int array, int index, int source) { return kCmdArrayWriteFirst + 12 * array + 4 * index + source; }

}  // namespace tolv
