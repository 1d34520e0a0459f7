// Yield, jumps, end, start, stop and run in the current context.
#include "script/command_ids.h"
#include "script/commands.h"
#include "script/function_labels.h"
#include "script/global_contexts.h"
#include "script/lane_access.h"
#include "script/nested_run.h"
#include "script/operand_kinds.h"
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
    {63, 2, Jump<PlainLanePc>, Jump<TimedLanePc>, Jump<PlainLanePc>, "else"},
    TOLV_ALL(64, 1, Marker, "marker"),
    {79, 1, Yield<PlainLanePc>, Yield<TimedLanePc>, Yield<PlainLanePc>, "yield"},
    {kCmdEndFunction, 1, EndFunction, EndFunctionTimed, EndFunction, "end function"},
    {354, 0, Jump<PlainLanePc>, Jump<TimedLanePc>, Jump<PlainLanePc>, "break case"},
    {822, 2, Control<OperandFunction, RunNow>, Control<OperandFunction, RunNowTimed>,
     Control<OperandFunction, RunNow>, "run function now"},
    {846, 1, EndUnhandled, EndUnhandledTimed, nullptr, "end function, event unhandled"},
    // The compiler writes the target word of 847 itself.
    WithKinds({847, 1, Jump<PlainLanePc>, Jump<TimedLanePc>, Jump<PlainLanePc>, "jump"}, {Kind::K}),
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

static const CommandDoc kFlowDocs[] = {
    {"start function", CommandArea::kFlow, {"function to start"},
     "Starts the function in a free lane of this script's own lanes (the same object's Movement lanes, the "
     "global script, the same timed lanes, ...) unless it already runs there; it begins when that lane's turn "
     "comes."},
    {"stop function", CommandArea::kFlow, {"function to stop"},
     "Stops the function in this script's own lanes; a function that stops itself ends at once."},
    {"else", CommandArea::kFlow, {"end of the block, set by the compiler"},
     "Stands where the Else lines of an If block begin (`~Else`): reached from the If's own lines, it jumps "
     "past the `~EndIf`."},
    {"marker", CommandArea::kFlow, {},
     "Closes an If block (`~EndIf`); it does nothing when it runs."},
    {"yield", CommandArea::kFlow, {},
     "Ends this lane's turn: the lane goes on with the next instruction next frame."},
    {"end function", CommandArea::kFlow, {},
     "Ends the function and frees its lane; the compiler puts it at every `#End`."},
    {"break case", CommandArea::kFlow, {},
     "Leaves a switch (`#354`, no operands): jumps to its `#355`."},
    {"run function now", CommandArea::kFlow, {"function to run"},
     "Starts the function in a lane of this script's own lanes and runs it at once, until it yields or ends, "
     "then goes on; it does nothing when the function already runs there."},
    {"end function, event unhandled", CommandArea::kFlow, {},
     "Ends the function like `#End`. Run from a boundary event's function, it leaves the event unspent, so it "
     "can fire again for the player on a later frame."},
    {"jump", CommandArea::kFlow, {"jump target"},
     "Jumps to the target (`#847 :@Name`, or `+n` and `-n` instructions from the jump) and goes on at once."},
    {"start character var function", CommandArea::kFlow, {"character variable holding the function"},
     "Starts the function whose number the current player's character variable holds, as `#30` does."},
    {"run character var function now", CommandArea::kFlow, {"character variable holding the function"},
     "Runs the function whose number the current player's character variable holds at once, as `#822` does."},
    {"stop character var function", CommandArea::kFlow, {"character variable holding the function"},
     "Stops the function whose number the current player's character variable holds, as `#39` does."},
    {"start character label", CommandArea::kFlow, {"function of the character"},
     "Starts function n of the current player's character (`f` n in its file), as `#30` does; without a "
     "character it does nothing."},
    {"run character label now", CommandArea::kFlow, {"function of the character"},
     "Runs function n of the current player's character at once, as `#822` does."},
    {"stop character label", CommandArea::kFlow, {"function of the character"},
     "Stops function n of the current player's character, as `#39` does."},
    {"yielding jump", CommandArea::kFlow, {"jump target"},
     "Jumps to the target and yields: the lane goes on there next frame."},
};
extern const CommandList flow_command_list = TOLV_DOCUMENTED(kFlow, kFlowDocs);

}  // namespace tolv
