// Function control in other owners' timed contexts: an object's Animation
// context (order, context and replace rules), a player's main context
// (player rule), and running an object's Animation lanes now (1521).
#include "script/commands.h"
#include "script/function_labels.h"
#include "script/global_contexts.h"
#include "script/machine_state.h"
#include "script/nested_run.h"
#include "script/object_globals.h"
#include "script/operands.h"

namespace tolv {

struct LaneParams {
  bool given;
  uint8_t p1, p2;
};
static LaneParams NoParams() { return {false, 255, 255}; }
static LaneParams OperandParams() {
  return {true, static_cast<uint8_t>(RegOrConst(Op(2))), static_cast<uint8_t>(RegOrConst(Op(3)))};
}

static void Select(TimedScriptContext* c) {
  timed_context = c;
  current_context = c;
}

// Starts f in o's Animation context: now, or for o's own turn.
static void StartInAnimation(ObjectSlot* o, uint16_t f, LaneParams p, bool now) {
  SavedMachineState saved;
  Select(&o->animation_ctx);
  if (!now) {
    StartTimedFunction(f, p.p1, p.p2);
    return;
  }
  NestedRun nest;
  if (!nest.ok()) return;
  running_slot = o;
  if (p.given)
    StartTimedFunctionNow(f, p.p1, p.p2);
  else
    StartTimedFunctionNowNoArgs(f);
}

// Order rule: an object the world update has already reached this frame (or
// is at) runs the function now; a later one first runs it in its own turn.
static bool ReachedThisFrame(const ObjectSlot* o) {
  return processing_slot && processing_slot->order_index >= o->order_index;
}

// Collision passes only start Animation functions for later.
static bool OutsideCollisionPass() {
  return running_context != &collision_context && running_context != &pcollision_context;
}

static void ReplaceInAnimation(ObjectSlot* o, uint16_t f, LaneParams p) {
  TimedScriptContext* c = &o->animation_ctx;
  if (c->lane_count && c->lane_funcs[0] == f && c->param1[0] == p.p1 && c->param2[0] == p.p2) return;
  {
    SavedMachineState saved;
    Select(c);
    ResetTimedContext();
  }
  StartInAnimation(o, f, p, ReachedThisFrame(o));
}

static void StopInTimed(TimedScriptContext* c, uint16_t f) {
  SavedMachineState saved;
  Select(c);
  StopTimedFunction(f);
}

// Function numbers: the operand, or a label (a missing label names no
// function, and the command then does nothing at all).
static uint16_t Operand() { return Low16(Op(1)); }
static uint16_t AnimationLabel() { return type_animation_label(object_operand_d, RegOrConst(Op(1))); }
static uint16_t CharacterLabelD() { return character_label(player_operand_d, RegOrConst(Op(1))); }
static uint16_t TableLabelD() { return PlayerTableLabel(player_operand_d, RegOrConst(Op(1))); }

template <uint16_t (*Function)()>
static bool Resolve(uint16_t& f) {
  f = Function();
  return Function == Operand || f != kNoFunction;
}

template <uint16_t (*Function)()>
static void StopAnimation() {
  uint16_t f;
  if (Resolve<Function>(f)) StopInTimed(&object_operand_d->animation_ctx, f);
}
template <uint16_t (*Function)(), LaneParams (*Params)()>
static void StartAnimationByOrder() {
  uint16_t f;
  if (Resolve<Function>(f)) StartInAnimation(object_operand_d, f, Params(), ReachedThisFrame(object_operand_d));
}
static void StartAnimationByContext() {
  StartInAnimation(object_operand_d, Operand(), OperandParams(), OutsideCollisionPass());
}
template <uint16_t (*Function)(), LaneParams (*Params)()>
static void ReplaceAnimation() {
  uint16_t f;
  if (Resolve<Function>(f)) ReplaceInAnimation(object_operand_d, f, Params());
}

static const ObjectSlot* PlayerObject(const PlayerRecord* p) {
  return p->player_object ? p->player_object : &void_slot;
}

// Player rule: a replace issued outside the player's main context while the
// world update has not passed the player's object starts the function for
// the player's turn; otherwise it runs now.
static void ReplaceInMain(PlayerRecord* p, uint16_t f) {
  TimedScriptContext* c = &p->main_ctx;
  if (c->lane_count && c->lane_funcs[0] == f) return;
  bool later = running_context != c && (!processing_slot || processing_slot->order_index <= PlayerObject(p)->order_index);
  SavedMachineState saved;
  Select(c);
  ResetTimedContext();
  if (later) {
    StartTimedFunctionNoArgs(f);
    return;
  }
  NestedRun nest;
  if (!nest.ok()) return;
  if (p->player_object) running_slot = p->player_object;
  StartTimedFunctionNowNoArgs(f);
}

template <uint16_t (*Function)()>
static void StopMain() {
  uint16_t f;
  if (Resolve<Function>(f)) StopInTimed(&player_operand_d->main_ctx, f);
}
template <uint16_t (*Function)()>
static void StartMain() {
  uint16_t f;
  if (!Resolve<Function>(f)) return;
  SavedMachineState saved;
  Select(&player_operand_d->main_ctx);
  StartTimedFunctionNoArgs(f);
}
template <uint16_t (*Function)()>
static void ReplaceMain() {
  uint16_t f;
  if (Resolve<Function>(f)) ReplaceInMain(player_operand_d, f);
}

// 1521: runs object_operand_d's Animation lanes now, as its own turn would.
static void RunOtherObjectNow() {
  NestedRun nest;
  if (!nest.ok()) return;
  ObjectSlot* o = object_operand_d;
  {
    SavedMachineState saved;
    Select(&o->animation_ctx);
    running_slot = o;
    slot_cursor = o->order_index;
    RunTimedLanes();
  }
  slot_cursor = running_slot->order_index;
  yield_flag = 0;
}

static const CommandDef kTimedControl[] = {
    TOLV_ALL(334, 2, (ReplaceAnimation<Operand, NoParams>), "replace animation"),
    TOLV_ALL(335, 2, (StartAnimationByOrder<Operand, NoParams>), "start animation"),
    TOLV_ALL(336, 2, StopAnimation<Operand>, "stop animation"),
    TOLV_ALL(337, 2, (ReplaceAnimation<AnimationLabel, NoParams>), "replace animation label"),
    TOLV_ALL(338, 2, (StartAnimationByOrder<AnimationLabel, NoParams>), "start animation label"),
    TOLV_ALL(339, 2, StopAnimation<AnimationLabel>, "stop animation label"),
    TOLV_ALL(340, 2, ReplaceMain<Operand>, "replace main function"),
    TOLV_ALL(341, 2, StartMain<Operand>, "start main function"),
    TOLV_ALL(342, 2, StopMain<Operand>, "stop main function"),
    TOLV_ALL(343, 2, ReplaceMain<TableLabelD>, "replace main label"),
    TOLV_ALL(344, 2, StartMain<TableLabelD>, "start main label"),
    TOLV_ALL(345, 2, StopMain<TableLabelD>, "stop main label"),
    TOLV_ALL(812, 4, (ReplaceAnimation<Operand, OperandParams>), "replace animation with params"),
    TOLV_ALL(813, 4, StartAnimationByContext, "start animation with params"),
    TOLV_ALL(814, 4, (ReplaceAnimation<AnimationLabel, OperandParams>), "replace animation label with params"),
    TOLV_ALL(815, 4, (StartAnimationByOrder<AnimationLabel, OperandParams>), "start animation label with params"),
    TOLV_ALL(957, 2, ReplaceMain<CharacterLabelD>, "replace main character label"),
    TOLV_ALL(958, 2, StartMain<CharacterLabelD>, "start main character label"),
    TOLV_ALL(959, 2, StopMain<CharacterLabelD>, "stop main character label"),
    TOLV_ALL(1521, 1, RunOtherObjectNow, "run OD animation now"),
};
extern const CommandList timed_control_command_list = TOLV_LIST(kTimedControl);

}  // namespace tolv
