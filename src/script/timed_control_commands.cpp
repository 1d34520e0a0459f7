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

#define TOLV_OBJECT_LANES(name, operand, text) {name, CommandArea::kObjects, {operand}, text}
#define TOLV_OBJECT_LANES_WITH(name, operand, text) \
  {name, CommandArea::kObjects, {operand, "first parameter (0 to 255)", "second parameter (0 to 255)"}, text}
#define TOLV_MAIN_LANES(name, operand, text) {name, CommandArea::kPlayers, {operand}, text}
constexpr const char kEntry[] = "entry of the object type's Animation list";
constexpr const char kTableEntry[] = "entry of the player's label table";
constexpr const char kOwnFunction[] = "function of the player's character";
static const CommandDoc kTimedControlDocs[] = {
    TOLV_OBJECT_LANES("replace animation", "Animation function",
                      "Stops every Animation lane of object slot D's object and starts the function there, unless "
                      "its first lane already runs it. The function runs at once when the world update has reached "
                      "that object this frame, else in the object's own turn."),
    TOLV_OBJECT_LANES("start animation", "Animation function",
                      "Starts the function in the Animation lanes of object slot D's object unless it already runs "
                      "there: at once when the world update has reached that object this frame, else in the "
                      "object's own turn."),
    TOLV_OBJECT_LANES("stop animation", "Animation function",
                      "Stops the function in the Animation lanes of object slot D's object."),
    TOLV_OBJECT_LANES("replace animation label", kEntry,
                      "As `#334`, with entry n of the Animation list of the object's type; an entry the type does "
                      "not have does nothing."),
    TOLV_OBJECT_LANES("start animation label", kEntry,
                      "As `#335`, with entry n of the Animation list of the object's type; an entry the type does "
                      "not have does nothing."),
    TOLV_OBJECT_LANES("stop animation label", kEntry,
                      "As `#336`, with entry n of the Animation list of the object's type; an entry the type does "
                      "not have does nothing."),
    TOLV_MAIN_LANES("replace main function", "player function",
                    "Stops every main lane of player slot D's player and starts the function there, unless its "
                    "first lane already runs it. Issued from outside those lanes before the world update reaches "
                    "the player's object, it starts for the player's turn; otherwise it runs at once."),
    TOLV_MAIN_LANES("start main function", "player function",
                    "Starts the function in the main lanes of player slot D's player, for their next turn, unless "
                    "it already runs there."),
    TOLV_MAIN_LANES("stop main function", "player function",
                    "Stops the function in the main lanes of player slot D's player."),
    TOLV_MAIN_LANES("replace main label", kTableEntry,
                    "As `#340`, with entry n of the label table of player slot D's player (its character's main "
                    "labels unless `#322` changed them); an entry it does not have does nothing."),
    TOLV_MAIN_LANES("start main label", kTableEntry,
                    "As `#341`, with entry n of the label table of player slot D's player; an entry it does not "
                    "have does nothing."),
    TOLV_MAIN_LANES("stop main label", kTableEntry,
                    "As `#342`, with entry n of the label table of player slot D's player; an entry it does not "
                    "have does nothing."),
    TOLV_OBJECT_LANES_WITH("replace animation with params", "Animation function",
                           "As `#334`, giving the lane two parameter bytes; a first lane that runs the function "
                           "with other parameters is started anew."),
    TOLV_OBJECT_LANES_WITH("start animation with params", "Animation function",
                           "Starts the function, with two parameter bytes, in the Animation lanes of object slot "
                           "D's object unless it already runs there: at once, or in the object's own turn when "
                           "issued from a collision script."),
    TOLV_OBJECT_LANES_WITH("replace animation label with params", kEntry,
                           "As `#812`, with entry n of the Animation list of the object's type; an entry the type "
                           "does not have does nothing."),
    TOLV_OBJECT_LANES_WITH("start animation label with params", kEntry,
                           "As `#335`, with entry n of the Animation list of the object's type and two parameter "
                           "bytes for the lane; an entry the type does not have does nothing."),
    TOLV_MAIN_LANES("replace main character label", kOwnFunction,
                    "As `#340`, with function n of the character of player slot D's player (`f` n in its file)."),
    TOLV_MAIN_LANES("start main character label", kOwnFunction,
                    "As `#341`, with function n of the character of player slot D's player."),
    TOLV_MAIN_LANES("stop main character label", kOwnFunction,
                    "As `#342`, with function n of the character of player slot D's player."),
    {"run OD animation now", CommandArea::kObjects, {},
     "Runs the Animation lanes of object slot D's object at once, as its own turn would."},
};
#undef TOLV_OBJECT_LANES
#undef TOLV_OBJECT_LANES_WITH
#undef TOLV_MAIN_LANES
extern const CommandList timed_control_command_list = TOLV_DOCUMENTED(kTimedControl, kTimedControlDocs);

}  // namespace tolv
