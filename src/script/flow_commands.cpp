// Yield, jumps, end, start, stop and run in the current context.
#include "script/command_ids.h"
#include "script/commands.h"
#include "script/function_labels.h"
#include "script/global_contexts.h"
#include "script/lane_access.h"
#include "script/nested_run.h"
#include "script/operands.h"

namespace tolv {

// Plain tables move current_context's lane, the timed table timed_context's.
using LanePc = uint16_t& (*)();

// Non-yielding jumps store target - 1 (0 as 65535): the run loop adds 1.
template <LanePc Pc>
static void Jump() {
  Pc() = static_cast<uint16_t>(Op(1));
}
template <LanePc Pc>
static void YieldJump() {
  Pc() = static_cast<uint16_t>(Op(1));
  yield_flag = 1;
}
template <LanePc Pc>
static void Yield() {
  Pc()++;
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
static void EndUnhandled() {
  EndFunction();
  boundary_event_unhandled = 1;
}
static void EndUnhandledTimed() {
  EndFunctionTimed();
  boundary_event_unhandled = 1;
}

// Function numbers: the operand, a label of the current player's character,
// or a current character variable.
static uint16_t OperandFunction() { return Low16(Op(1)); }
static uint16_t CharacterLabelFunction() { return character_label(current_player, RegOrConst(Op(1))); }
static uint16_t CharacterVarFunction() { return static_cast<uint16_t>(CharVar(Op(1))); }

static void RunNow(uint16_t f) {
  NestedRun nest;
  if (nest.ok()) RunFunctionNow(f);
}
// The timed table works on timed_context with the timed lane operations:
// the plain ones would resize only two of its eight lane arrays.
static void StartTimed(uint16_t f) {
  if (timed_context) StartTimedFunctionNoArgs(f);
}
static void StopTimed(uint16_t f) {
  if (timed_context) StopTimedFunction(f);
}
static void RunNowTimed(uint16_t f) {
  NestedRun nest;
  if (!timed_context || !nest.ok()) return;
  ScriptContext* saved = current_context;
  StartTimedFunctionNowNoArgs(f);
  current_context = saved;
}

template <uint16_t (*Function)(), void (*Act)(uint16_t)>
static void Control() {
  Act(Function());
}

static const CommandDef kFlow[] = {
    {30, 2, Control<OperandFunction, StartFunction>, Control<OperandFunction, StartTimed>,
     Control<OperandFunction, StartFunction>, "start function"},
    {39, 2, Control<OperandFunction, StopFunction>, Control<OperandFunction, StopTimed>,
     Control<OperandFunction, StopFunction>, "stop function"},
    {63, 2, Jump<PlainLanePc>, Jump<TimedLanePc>, Jump<PlainLanePc>, "jump"},
    TOLV_ALL(64, 1, Marker, "marker"),
    {79, 1, Yield<PlainLanePc>, Yield<TimedLanePc>, Yield<PlainLanePc>, "yield"},
    {kCmdEndFunction, 1, EndFunction, EndFunctionTimed, EndFunction, "end function"},
    {354, 0, Jump<PlainLanePc>, Jump<TimedLanePc>, Jump<PlainLanePc>, "jump"},
    {822, 2, Control<OperandFunction, RunNow>, Control<OperandFunction, RunNowTimed>,
     Control<OperandFunction, RunNow>, "run function now"},
    {846, 1, EndUnhandled, EndUnhandledTimed, nullptr, "end function, event unhandled"},
    {847, 1, Jump<PlainLanePc>, Jump<TimedLanePc>, Jump<PlainLanePc>, "jump"},
    {951, 2, Control<CharacterVarFunction, StartFunction>, Control<CharacterVarFunction, StartTimed>, nullptr,
     "start character var function"},
    {952, 2, Control<CharacterVarFunction, RunNow>, Control<CharacterVarFunction, RunNowTimed>, nullptr,
     "run character var function now"},
    {953, 2, Control<CharacterVarFunction, StopFunction>, Control<CharacterVarFunction, StopTimed>, nullptr,
     "stop character var function"},
    {954, 2, Control<CharacterLabelFunction, StartFunction>, Control<CharacterLabelFunction, StartTimed>,
     nullptr, "start character label"},
    {955, 2, Control<CharacterLabelFunction, RunNow>, Control<CharacterLabelFunction, RunNowTimed>, nullptr,
     "run character label now"},
    {956, 2, Control<CharacterLabelFunction, StopFunction>, Control<CharacterLabelFunction, StopTimed>,
     nullptr, "stop character label"},
    {1527, 2, YieldJump<PlainLanePc>, YieldJump<TimedLanePc>, YieldJump<PlainLanePc>, "yielding jump"},
};
extern const CommandList flow_command_list = TOLV_LIST(kFlow);

}  // namespace tolv
