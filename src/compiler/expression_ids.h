// Command IDs of keyword expressions by operator and operand spaces
// (R 0, P 1, O 2, C 3). Entries are signed: a negative one names the
// command -entry with operand words 1 and 2 exchanged.
#pragma once

namespace tolv {

// Compare operators in table order.
enum CompareOp { kLess, kGreater, kLessEqual, kGreaterEqual, kEqual, kNotEqual };

int IfCompareId(int op, int first, int second);
int WhileCompareId(int op, int first, int second);
// state 0 tests clear, 1 set; register: the flag number is in a register.
int IfFlagId(int state, int space, bool register_number);
// value 0 clear, 1 set, 2 flip.
int FlagId(int value, int space, bool register_number);
// Eval operator codes: 0-10 binary, 11-22 assignments, 25 "++", 26 "--".
int EvalBinaryId(int op, int dest, int first, int second);
int EvalAssignId(int op, int dest, int source);
int EvalStepId(int op, int dest);
// Table and array reads and writes (always positive).
int TableReadId(int width, int dest, int table, int index);
int ArrayReadId(int dest, int array, int index);
int ArrayWriteId(int array, int index, int source);

}  // namespace tolv
