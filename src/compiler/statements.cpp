// Statement compiler: the function's main loop, command lines, the generic
// form and jump operands.
#include "compiler/statements.h"

#include <utility>

#include "compiler/alias_tables.h"
#include "compiler/blocks.h"
#include "compiler/compile_state.h"
#include "compiler/compiler.h"
#include "compiler/operand_coding.h"
#include "compiler/prepass.h"
#include "script/command_ids.h"
#include "script/commands.h"

namespace tolv {

constexpr uint32_t kMaxInstructions = 65534;  // pcs are u16; 65535 is the "before 0" target

uint32_t JumpTarget(char* token) {
  int64_t target;
  if (token[0] == '@') {
    int32_t v = 0;
    LookupAlias(token, labels, kAliasRaw, &v);
    target = v;
  } else if (token[0] == '+') {
    target = int64_t(compiler.current) + NumberAfter(token, 1);
  } else if (token[0] == '-') {
    target = int64_t(compiler.current) - NumberAfter(token, 1);
  } else {
    target = ParseNumber(token);
  }
  if (target < 0 || target > compiler.count)
    ScriptErrorFormat("Jump target %lld is outside the Function (instructions 0 to %u)", (long long)target,
                 compiler.count);
  return uint32_t(target);
}

void CompileGenericForm(uint32_t id) {
  uint32_t n = operand_lengths[id] ? operand_lengths[id] : 1;
  NewInstruction(compiler.current, n)[0] = id;
  for (uint32_t k = 1; k < n; k++) {
    char* t = NextOperand();
    InstructionWords(compiler.current)[k] = CodeGenericOperand(t, last_alias_kind);
  }
}

static void SwapOperands() {
  if (InstructionWordCount(compiler.current) < 3)
    ScriptErrorFormat("A negative Command ID exchanges operands 1 and 2, but this instruction has fewer than 2");
  uint32_t* w = InstructionWords(compiler.current);
  std::swap(w[1], w[2]);
}

// A '#' line whose ID token is in text_buffer.
static void CompileCommandLine() {
  int32_t v = ParseNumber(text_buffer);
  uint32_t id = v < 0 ? 0u - uint32_t(v) : uint32_t(v);
  if (id >= kCommandCount) ScriptErrorFormat("Command ID %d is out of range (0 to %d)", v, kCommandCount - 1);
  if (SpecialForm form = FindSpecialForm(id)) form(id);
  else CompileGenericForm(id);
  if (v < 0) SwapOperands();
}

static void CompileTextLine() {
  switch (NextLine(false)) {
    case ':':
      ScriptError("Expected Command ID, Keyword, or Label types '#', '~', or '@', but found paramater type ':'");
    case '~':
      CompileKeyword();
      return;
    default: CompileCommandLine(); return;
  }
}

static void ReadEndLine() {
  switch (NextLine(false)) {
    case ':': ScriptError("Expected Terminator '# End' but found paramater type ':'");
    case '#':
      if (IsEndLine(text_buffer)) return;
      ScriptError("Expected Terminator '# End' but found other Command ID type '#'");
    default: ScriptError("Expected Terminator '# End' but found unexpected characters..");
  }
}

ScriptFunction CompileFunctionBody(FileStream& stream) {
  CompileState& c = compiler;
  CloseAllIncludes();  // left open by a function that failed
  c.stream = &stream;
  include_reading = 0;
  prepass_active = 0;
  ResetBlocks();
  c.code.words.clear();
  c.code.start.clear();
  c.code.length.clear();
  c.code.capacity.clear();
  c.current = 0;
  c.count = 0;
  uint32_t count = PrepassFunction();
  if (count >= kMaxInstructions)
    ScriptErrorFormat("A Function may hold at most %u instructions, this one has %u", kMaxInstructions - 1, count);
  c.count = count;
  for (uint32_t i = 0; i < count; i++) {
    c.current = i;
    if (c.counted) {
      NextLine(true);
      CompileCommandLine();
    } else {
      CompileTextLine();
    }
  }
  CheckBlocksClosed();
  if (!c.counted) ReadEndLine();
  current_stream = c.stream;
  c.current = count;
  NewInstruction(count, 1)[0] = kCmdEndFunction;
  FunctionBuilder b;
  for (uint32_t i = 0; i <= count; i++) b.Add(InstructionWords(i), InstructionWordCount(i));
  return b.Finish();
}

}  // namespace tolv
