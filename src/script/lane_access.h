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
// there is none (no timed context, or current_lane outside it).
inline TimedScriptContext* TimedLaneContext() {
  TimedScriptContext* c = timed_context;
  return c && current_lane < c->lane_count ? c : nullptr;
}

}  // namespace tolv
