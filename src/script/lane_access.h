// Handler-side access to the lane being run: its pc and its timer state.
#pragma once
#include "script/machine.h"

namespace tolv {

inline uint16_t lane_scratch_pc;

// The running lane's pc in current_context (plain tables) or timed_context
// (timed table); a scratch word when the lane is gone.
inline uint16_t& PlainLanePc() {
  ScriptContext* c = current_context;
  if (c && current_lane < c->lane_count) return c->lane_pcs[current_lane];
  return lane_scratch_pc;
}
inline uint16_t& TimedLanePc() {
  TimedScriptContext* c = timed_context;
  if (c && current_lane < c->lane_count) return c->lane_pcs[current_lane];
  return lane_scratch_pc;
}
// The timed lane that frame-value and wait commands act on, or null when
// there is none: the selected timed context must be the one running (a
// global or object script run after the world update finds some other
// owner's context selected), and current_lane must lie inside it.
inline TimedScriptContext* TimedLaneContext() {
  TimedScriptContext* c = timed_context;
  return c && c == running_context && current_lane < c->lane_count ? c : nullptr;
}

// Words of the instruction that the running lane of ctx executes; 0 when
// that cannot be told (no lane, or the lane is at another instruction).
inline uint32_t RunningInstructionLength(const ScriptContext* ctx) {
  if (!ctx || current_lane >= ctx->lane_count) return 0;
  const ScriptFunction* fn = ContextFunction(ctx, ctx->lane_funcs[current_lane]);
  uint16_t pc = ctx->lane_pcs[current_lane];
  if (!fn || pc >= fn->count || InstructionAt(*fn, pc) != current_instruction) return 0;
  return InstructionLength(*fn, pc);
}

}  // namespace tolv
