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
// A command may resize the lanes, free this lane, start another function in
// it or change the code set; every such change bumps lane_epoch, and the
// loop then looks the context, the lane and the function up afresh: a lane
// that is gone or runs something else ends its turn. A pc past the
// function's end frees the lane.
template <typename Lanes>
inline void RunLaneTurn(CommandHandler* table, uint16_t f) {
  uint64_t budget = lane_budget;
  for (;;) {
    ScriptContext* ctx = Lanes::Context();
    uint16_t lane = current_lane;
    if (lane >= ctx->lane_count || ctx->lane_funcs[lane] != f) return;
    const ScriptFunction* fn = ContextFunction(ctx, f);
    if (!fn) {
      Lanes::Free(ctx, lane);
      return;
    }
    const uint32_t epoch = lane_epoch;
    const uint32_t* const words = fn->words;
    const uint32_t* const offsets = fn->offsets;
    const uint16_t* const ids = fn->ids;
    const uint16_t count = fn->count;
    uint16_t* const pcs = ctx->lane_pcs;
    // The pc lives in a register; the lane's entry is written before each
    // command so the command sees its own pc, and read back afterwards only
    // to notice a jump (a predicted branch, not a load on the dispatch path).
    uint16_t pc = pcs[lane];
    // One step: run the instruction at pc, then advance. The loop body
    // holds four copies, so the indirect call has four sites: the branch
    // predictor keeps a history per site, and a short loop of commands then
    // finds the same command at the same site each time round.
#define TOLV_LANE_STEP                                                  \
  if (pc >= count) {                                                    \
    Lanes::Free(ctx, lane);                                             \
    return;                                                             \
  }                                                                     \
  if (--budget == 0) {                                                  \
    ReportRunawayLane(f);                                               \
    yield_flag = 1;                                                     \
    return;                                                             \
  }                                                                     \
  pcs[lane] = pc;                                                       \
  current_instruction = words + offsets[pc];                            \
  table[ids[pc]]();                                                     \
  if (yield_flag) return;                                               \
  if (lane_epoch != epoch || current_lane != lane || Lanes::Context() != ctx) break; \
  if (uint16_t written = pcs[lane]; __builtin_expect(written != pc, 0)) { \
    pc = written;                                                       \
    asm volatile(""); /* a branch, not a select: keep the load off the path */ \
  }                                                                     \
  pc++;
    for (;;) {
      TOLV_LANE_STEP
      TOLV_LANE_STEP
      TOLV_LANE_STEP
      TOLV_LANE_STEP
    }
#undef TOLV_LANE_STEP
    ctx = Lanes::Context();
    lane = current_lane;
    if (lane >= ctx->lane_count || ctx->lane_funcs[lane] != f) return;
    ctx->lane_pcs[lane]++;
  }
}

}  // namespace tolv
