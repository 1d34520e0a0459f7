// The inner loop shared by every run loop: one lane's turn.
#pragma once
#include "script/commands.h"
#include "script/machine.h"

namespace tolv {

void ReportRunawayLane(uint16_t f);
void FreeTimedLane(TimedScriptContext* ctx, int lane);

// Runs lane current_lane, which holds function f, until a command yields,
// dispatching through `table`. Plain lanes (timed false) belong to
// current_context, timed lanes to timed_context. A command may resize the
// lanes, free this lane, start another function in it or change the code
// set; every such change bumps lane_epoch, and the loop then looks the
// context, the lane and the function up afresh: a lane that is gone or runs
// something else ends its turn. A pc past the function's end frees the lane.
void RunLaneTurn(CommandHandler* table, uint16_t f, bool timed);

}  // namespace tolv
