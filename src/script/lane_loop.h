// The inner loop shared by every run loop: one lane's turn.
#pragma once
#include "script/commands.h"
#include "script/machine.h"

namespace tolv {

void ReportRunawayLane(uint16_t f);
void FreeTimedLane(TimedScriptContext* ctx, int lane);

// Which context the handlers act on while the lane runs: plain lanes follow
// current_context, timed lanes follow timed_context.
struct PlainLanes {
  static ScriptContext* Context() { return current_context; }
  static void Free(ScriptContext* ctx, int lane) {
    ctx->lane_funcs[lane] = kFreeLane;
    ctx->lane_pcs[lane] = 0;
  }
};
struct TimedLanes {
  static ScriptContext* Context() { return timed_context; }
  static void Free(ScriptContext* ctx, int lane) {
    FreeTimedLane(static_cast<TimedScriptContext*>(ctx), lane);
  }
};

// Runs lane current_lane, which holds function f, until a command yields.
// The context, its lane arrays and the lane itself are looked up afresh
// after every command: a command may resize the lanes, free this lane or
// start another function in it, and any of those ends the turn. A pc past
// the function's end frees the lane.
template <typename Lanes>
inline void RunLaneTurn(CommandHandler* table, uint16_t f) {
  uint64_t budget = lane_budget;
  for (;;) {
    ScriptContext* ctx = Lanes::Context();
    uint16_t lane = current_lane;
    if (lane >= ctx->lane_count || ctx->lane_funcs[lane] != f) return;
    const ScriptFunction* fn = ContextFunction(ctx, f);
    uint16_t pc = ctx->lane_pcs[lane];
    if (!fn || pc >= fn->count) {
      Lanes::Free(ctx, lane);
      return;
    }
    if (budget-- == 0) {
      ReportRunawayLane(f);
      yield_flag = 1;
      return;
    }
    current_instruction = InstructionAt(*fn, pc);
    table[CommandIndex(current_instruction[0])]();
    if (yield_flag) return;
    ctx = Lanes::Context();
    lane = current_lane;
    if (lane >= ctx->lane_count || ctx->lane_funcs[lane] != f) return;
    ctx->lane_pcs[lane]++;
  }
}

}  // namespace tolv
