// If, Do and Switch blocks and their jump targets. Targets are instruction
// indexes; the machine continues at target + 1.
#include "compiler/blocks.h"

#include "compiler/compile_state.h"
#include "compiler/operand_coding.h"
#include "script/command_ids.h"

namespace tolv {

constexpr int kMaxBlocks = 255;  // open blocks of one kind, and exits of one block

struct IfEntry {
  uint32_t slot;
  uint32_t else_slot;  // 0: no Else yet (an Else never stands at index 0)
};
struct ExitBlock {
  uint32_t slot;   // the Do or Switch instruction
  uint32_t first;  // its first exit in the exit list
};

static IfEntry if_stack[kMaxBlocks];
static ExitBlock do_stack[kMaxBlocks];
static ExitBlock switch_stack[kMaxBlocks];
static int if_depth, do_depth, switch_depth;
// BreakDo and BreakCase slots of the open blocks, innermost last.
static uint32_t do_exits[kMaxBlocks * kMaxBlocks];
static uint32_t switch_exits[kMaxBlocks * kMaxBlocks];
static uint32_t do_exit_count, switch_exit_count;

void ResetBlocks() { if_depth = do_depth = switch_depth = 0, do_exit_count = switch_exit_count = 0; }

void CheckBlocksClosed() {
  if (if_depth) ScriptErrorFormat("%d Ifs without EndIfs in this Function", if_depth);
  if (switch_depth) ScriptErrorFormat("%d Switches without EndSwitches in this Function", switch_depth);
  if (do_depth) ScriptErrorFormat("%d Dos without Whiles in this Function", do_depth);
}

static void CheckDepth(int depth, const char* what) {
  if (depth >= kMaxBlocks) ScriptErrorFormat("More than %d nested %s in this Function", kMaxBlocks, what);
}

uint32_t* OpenIf() {
  CheckDepth(if_depth, "Ifs");
  if_stack[if_depth++] = {compiler.current, 0};
  return NewInstruction(compiler.current, 4);
}

void CompileElse() {
  if (!if_depth) ScriptError("Found Else without an If");
  IfEntry& e = if_stack[if_depth - 1];
  if (e.else_slot) ScriptError("Found a second Else for the same If");
  NewInstruction(compiler.current, 2)[0] = kCmdElse;
  InstructionWord(e.slot, 3) = compiler.current;
  e.else_slot = compiler.current;
}

void CompileEndIf() {
  if (!if_depth) ScriptError("Found EndIf without an If");
  NewInstruction(compiler.current, 1)[0] = kCmdEndIf;
  IfEntry& e = if_stack[--if_depth];
  InstructionWord(e.else_slot ? e.else_slot : e.slot, e.else_slot ? 1 : 3) = compiler.current;
}

void CompileDo() {
  CheckDepth(do_depth, "Dos");
  NewInstruction(compiler.current, 1)[0] = kCmdDo;
  do_stack[do_depth++] = {compiler.current, do_exit_count};
}

void CompileBreakDo() {
  if (!do_depth) ScriptError("Found BreakDo without Do");
  if (do_exit_count - do_stack[do_depth - 1].first >= kMaxBlocks)
    ScriptErrorFormat("More than %d BreakDos in one Do", kMaxBlocks);
  NewInstruction(compiler.current, 2)[0] = kCmdBreakDo;
  do_exits[do_exit_count++] = compiler.current;
}

void CloseLoop() {
  ExitBlock& b = do_stack[--do_depth];
  for (uint32_t i = b.first; i < do_exit_count; i++) InstructionWord(do_exits[i], 1) = compiler.current;
  do_exit_count = b.first;
}

void CompileForever() {
  if (!do_depth) ScriptError("Found Forever without Do");
  uint32_t* w = NewInstruction(compiler.current, 2);
  w[0] = kCmdForever;
  w[1] = do_stack[do_depth - 1].slot;
  CloseLoop();
}

uint32_t* OpenWhile() {
  if (!do_depth) ScriptError("Found While without Do");
  uint32_t* w = NewInstruction(compiler.current, 4);
  w[3] = do_stack[do_depth - 1].slot;
  return w;
}

void CompileSwitch(uint32_t id) {
  CheckDepth(switch_depth, "Switches");
  uint32_t* w = NewInstruction(compiler.current, 5);
  w[0] = id;
  switch_stack[switch_depth++] = {compiler.current, switch_exit_count};
  char* t = NextOperand();
  InstructionWord(compiler.current, 1) = CodeGenericOperand(t, last_alias_kind);
}

static ExitBlock& OpenSwitch(const char* line) {
  if (!switch_depth) ScriptErrorFormat("Found %s without a Switch", line);
  return switch_stack[switch_depth - 1];
}

void CompileCase() {
  ExitBlock& b = OpenSwitch("Case");
  NewInstruction(compiler.current, 1)[0] = kCmdCase;
  uint32_t cases = InstructionWord(b.slot, 4);
  // 350 and 351 count cases in 8 bits; all step through a 16-bit word index.
  uint32_t limit = InstructionWord(b.slot, 0) == kCmdSwitchWide ? 32765 : 255;
  if (cases >= limit) ScriptErrorFormat("A Switch of this kind can hold at most %u Cases", limit);
  char* t = NextOperand();
  uint32_t value = CodeGenericOperand(t, last_alias_kind);
  uint32_t* w = GrowInstruction(b.slot, 5 + 2 * (cases + 1));
  w[4] = cases + 1;
  w[5 + 2 * cases] = value;
  w[6 + 2 * cases] = compiler.current;
}

void CompileBreakCase() {
  ExitBlock& b = OpenSwitch("BreakCase");
  if (switch_exit_count - b.first >= kMaxBlocks) ScriptErrorFormat("More than %d BreakCases in one Switch", kMaxBlocks);
  NewInstruction(compiler.current, 2)[0] = kCmdBreakCase;
  switch_exits[switch_exit_count++] = compiler.current;
}

void CompileDefaultCase() {
  ExitBlock& b = OpenSwitch("DefaultCase");
  NewInstruction(compiler.current, 1)[0] = kCmdDefaultCase;
  InstructionWord(b.slot, 3) = compiler.current;
}

void CompileEndSwitch() {
  ExitBlock& b = OpenSwitch("EndSwitch");
  NewInstruction(compiler.current, 1)[0] = kCmdEndSwitch;
  for (uint32_t i = b.first; i < switch_exit_count; i++) InstructionWord(switch_exits[i], 1) = compiler.current;
  switch_exit_count = b.first;
  if (!InstructionWord(b.slot, 3)) InstructionWord(b.slot, 3) = compiler.current;
  switch_depth--;
}

}  // namespace tolv
