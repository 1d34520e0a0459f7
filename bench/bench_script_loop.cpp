// A script loop side by side with the same loop in Lua: per iteration one
// compare-and-jump (If R < N), two compound adds and one jump, run for
// 10 million iterations in a single lane turn.
#include <cstdio>
#include <cstdlib>

#include "bench_harness.h"
#include "compiler/opcode_tables.h"
#include "script/commands.h"
#include "script/machine.h"
#include "script/operands.h"
#include "script/registers.h"

using namespace tolv;

static constexpr uint32_t kIterations = 10'000'000;

static double RunLuaLoop() {
  char cmd[512];
  std::snprintf(cmd, sizeof cmd, "lua5.4 %s/script_loop.lua %u 2>/dev/null", TOLV_BENCH_DIR, kIterations);
  FILE* p = popen(cmd, "r");
  if (!p) return -1;
  double ns = -1;
  if (std::fscanf(p, "%lf", &ns) != 1) ns = -1;
  pclose(p);
  return ns;
}

int main() {
  AllocRegisters(0);
  ResetRegisters();
  const uint32_t r0 = kRegisterBit | 100, r1 = kRegisterBit | 101;
  const uint32_t if_less = static_cast<uint32_t>(if_ids[(0 * 4 + kKindRegister) * 4 + kKindConstant]);
  const uint32_t add_k = static_cast<uint32_t>(EvalId(kEvalCompound + kEvalAdd, 0, kKindConstant, 0));
  FunctionBuilder b;
  b.Add({if_less, r0, kIterations, 3});  // leaves the loop for instruction 4
  b.Add({add_k, 1, r0});
  b.Add({add_k, 2, r1});
  b.Add({63, 65535});  // back to instruction 0
  b.Add({79});
  b.Add({346});
  CodeSet code;
  AppendFunction(code, b.Finish());
  ScriptContext ctx;
  BindContext(ctx, script_commands, &code);
  current_context = &ctx;

  double tolv_ns = bench::TimePerUnit(
      [&] {
        registers[100] = registers[101] = 0;
        StartFunction(0);
        RunLanes();
        StopFunction(0);
      },
      kIterations, 3, 0.0);
  if (registers[100] != int32_t(kIterations) || registers[101] != int32_t(2 * kIterations)) {
    std::fprintf(stderr, "script-loop: wrong result %d %d\n", registers[100], registers[101]);
    return 1;
  }
  double lua_ns = RunLuaLoop();
  if (lua_ns > 0)
    std::printf("script-loop: tolv %.1f ns/iter, lua5.4 %.1f ns/iter, ratio %.2f\n", tolv_ns, lua_ns,
                tolv_ns / lua_ns);
  else
    std::printf("script-loop: tolv %.1f ns/iter, lua5.4 not available\n", tolv_ns);
  ClearContext();
  FreeCodeSet(code);
  return 0;
}
