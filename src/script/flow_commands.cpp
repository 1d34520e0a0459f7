// Yield, jumps, end, start, stop and run in the current context.
#include "script/commands.h"
#include "script/lane_access.h"
#include "script/operands.h"

namespace tolv {

// Non-yielding jumps store target - 1 (0 as 65535): the run loop adds 1.
static void Jump() { PlainLanePc() = static_cast<uint16_t>(Op(1)); }
static void JumpTimed() { TimedLanePc() = static_cast<uint16_t>(Op(1)); }

static void YieldJump() {
  PlainLanePc() = static_cast<uint16_t>(Op(1));
  yield_flag = 1;
}
static void YieldJumpTimed() {
  TimedLanePc() = static_cast<uint16_t>(Op(1));
  yield_flag = 1;
}

static void Yield() {
  PlainLanePc()++;
  yield_flag = 1;
}
static void YieldTimed() {
  TimedLanePc()++;
  yield_flag = 1;
}

static void Marker() {}

static void EndFunction() {
  ScriptContext* c = current_context;
  if (current_lane < c->lane_count) StopFunction(c->lane_funcs[current_lane]);
}
static void EndFunctionTimed() {
  TimedScriptContext* c = timed_context;
  if (c && current_lane < c->lane_count) StopTimedFunction(c->lane_funcs[current_lane]);
}

static void Start() { StartFunction(Low16(Op(1))); }
static void StartTimed() {
  if (timed_context) StartTimedFunctionNoArgs(Low16(Op(1)));
}
static void Stop() { StopFunction(Low16(Op(1))); }
static void StopTimed() {
  if (timed_context) StopTimedFunction(Low16(Op(1)));
}
static void RunNow() { RunFunctionNow(Low16(Op(1))); }

static const CommandDef kFlow[] = {
    {30, 2, Start, StartTimed, Start, "start function"},
    {39, 2, Stop, StopTimed, Stop, "stop function"},
    {63, 2, Jump, JumpTimed, Jump, "jump"},
    TOLV_ALL(64, 1, Marker, "marker"),
    {79, 1, Yield, YieldTimed, Yield, "yield"},
    {346, 1, EndFunction, EndFunctionTimed, EndFunction, "end function"},
    {354, 0, Jump, JumpTimed, Jump, "jump"},
    TOLV_ALL(822, 2, RunNow, "run function now"),
    {847, 1, Jump, JumpTimed, Jump, "jump"},
    {1527, 2, YieldJump, YieldJumpTimed, YieldJump, "yielding jump"},
};
extern const CommandList flow_command_list = TOLV_LIST(kFlow);

}  // namespace tolv
