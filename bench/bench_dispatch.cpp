// Dispatch cost: a function of 1,000 cheap instructions (markers and
// non-yielding jumps) run over and over through RunLanes.
#include "bench_harness.h"
#include "script/commands.h"
#include "script/machine.h"
#include "script/registers.h"

using namespace tolv;

int main() {
  AllocRegisters(0);
  ResetRegisters();
  constexpr uint32_t kInstructions = 1000;
  FunctionBuilder b;
  for (uint32_t i = 0; i + 1 < kInstructions; i++) {
    if (i % 2) b.Add({63, i});  // jump to the next instruction (stored target - 1)
    else b.Add({64});
  }
  b.Add({1527, 0});  // yielding jump back to the start: one pass per RunLanes
  CodeSet code;
  AppendFunction(code, b.Finish());
  ScriptContext ctx;
  BindContext(ctx, script_commands, &code);
  current_context = &ctx;
  StartFunction(0);
  double ns = bench::TimePerUnit([] { RunLanes(); }, kInstructions);
  bench::Report("dispatch", "tolv", ns, "instr");
  ClearContext();
  FreeCodeSet(code);
  return 0;
}
