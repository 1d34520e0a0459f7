// Function control in other owners' contexts: an object's Movement context,
// a player's character context and the global context. Each command runs
// with the Count variant of the target's counter home installed and leaves
// the machine state as it found it, yield flag cleared.
#include "objects/label_lookups.h"
#include "objects/player_select.h"
#include "script/count_slot.h"
#include "script/global_contexts.h"
#include "script/machine_state.h"
#include "script/nested_run.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

enum ControlOp { kStop, kStart, kRunNow };

struct OtherContext {
  ScriptContext* ctx;
  CommandHandler count;
  ObjectSlot* self;      // running object during a run now; null keeps it
  PlayerRecord* player;  // player selected during a run now; null keeps it
};

static OtherContext ObjectD() {
  return {&object_operand_d->movement_ctx, CountLoopInObjectVars, object_operand_d, nullptr};
}
static OtherContext Self() { return {&running_slot->movement_ctx, CountLoopInObjectVars, nullptr, nullptr}; }
static OtherContext PlayerD() {
  PlayerRecord* p = player_operand_d;
  bool real = p->index < kMaxPlayers && p == &player_records[p->index];
  return {&p->character_ctx, CountLoopInCharacterVars, nullptr, real ? p : nullptr};
}
static OtherContext CurrentPlayer() {
  return {&current_player->character_ctx, CountLoopInCharacterVars, nullptr, nullptr};
}
static OtherContext Global() { return {&global_context, CountLoopInRegisters, nullptr, nullptr}; }

static void RunNowIn(const OtherContext& t, uint16_t f) {
  NestedRun nest;
  if (!nest.ok()) return;
  int32_t player = Reg(kRegPlayer);
  if (t.self) running_slot = t.self;
  if (t.player) SelectPlayer(t.player->index);
  RunFunctionNow(f);
  if (t.player) SelectPlayer(player);
}

template <ControlOp op>
static void ControlIn(const OtherContext& t, uint16_t f) {
  {
    SavedMachineState saved;
    CountSlotGuard count(t.count);
    current_context = t.ctx;
    if (op == kStop) StopFunction(f);
    if (op == kStart) StartFunction(f);
    if (op == kRunNow) RunNowIn(t, f);
  }
  yield_flag = 0;
}

// Function numbers, read in the caller's spaces before the switch.
static uint16_t Operand() { return Low16(Op(1)); }
static uint16_t ObjectDLabel() { return TypeMovementLabel(object_operand_d, RegOrConst(Op(1)), RegOrConst(Op(2))); }
static uint16_t ObjectDVar() { return static_cast<uint16_t>(ODVar(Op(1))); }
static uint16_t SelfLabel() { return TypeMovementLabel(running_slot, RegOrConst(Op(1)), RegOrConst(Op(2))); }
static uint16_t SelfVariable() { return static_cast<uint16_t>(SelfVar(Op(1))); }
static uint16_t PlayerDLabel() { return CharacterLabel(player_operand_d, RegOrConst(Op(1))); }
static uint16_t PlayerDVar() { return static_cast<uint16_t>(PlayerCharVar(player_operand_d, Op(1))); }
static uint16_t CurrentLabel() { return CharacterLabel(current_player, RegOrConst(Op(1))); }
static uint16_t CurrentVar() { return static_cast<uint16_t>(CharVar(Op(1))); }

template <OtherContext (*Target)(), uint16_t (*Function)(), ControlOp op>
static void Other() {
  uint16_t f = Function();
  ControlIn<op>(Target(), f);
}

#define TOLV_OTHER(id, len, target, function, op, name) TOLV_ALL(id, len, (Other<target, function, op>), name)

static const CommandDef kOtherContext[] = {
    TOLV_OTHER(1134, 2, CurrentPlayer, Operand, kStart, "start in character"),
    TOLV_OTHER(1135, 2, CurrentPlayer, CurrentVar, kStart, "start in character by var"),
    TOLV_OTHER(1136, 2, CurrentPlayer, CurrentLabel, kStart, "start in character by label"),
    TOLV_OTHER(1137, 2, CurrentPlayer, Operand, kRunNow, "run in character"),
    TOLV_OTHER(1138, 2, CurrentPlayer, CurrentVar, kRunNow, "run in character by var"),
    TOLV_OTHER(1139, 2, CurrentPlayer, CurrentLabel, kRunNow, "run in character by label"),
    TOLV_OTHER(1140, 2, CurrentPlayer, Operand, kStop, "stop in character"),
    TOLV_OTHER(1141, 2, CurrentPlayer, CurrentVar, kStop, "stop in character by var"),
    TOLV_OTHER(1142, 2, CurrentPlayer, CurrentLabel, kStop, "stop in character by label"),
    TOLV_OTHER(1143, 2, PlayerD, Operand, kStart, "start in PD character"),
    TOLV_OTHER(1144, 2, PlayerD, PlayerDVar, kStart, "start in PD character by var"),
    TOLV_OTHER(1145, 2, PlayerD, PlayerDLabel, kStart, "start in PD character by label"),
    TOLV_OTHER(1146, 2, PlayerD, Operand, kRunNow, "run in PD character"),
    TOLV_OTHER(1147, 2, PlayerD, PlayerDVar, kRunNow, "run in PD character by var"),
    TOLV_OTHER(1148, 2, PlayerD, PlayerDLabel, kRunNow, "run in PD character by label"),
    TOLV_OTHER(1149, 2, PlayerD, Operand, kStop, "stop in PD character"),
    TOLV_OTHER(1150, 2, PlayerD, PlayerDVar, kStop, "stop in PD character by var"),
    TOLV_OTHER(1151, 2, PlayerD, PlayerDLabel, kStop, "stop in PD character by label"),
    TOLV_OTHER(1152, 2, Self, Operand, kStart, "start in mover"),
    TOLV_OTHER(1153, 2, Self, SelfVariable, kStart, "start in mover by var"),
    TOLV_OTHER(1154, 3, Self, SelfLabel, kStart, "start in mover by label"),
    TOLV_OTHER(1155, 2, Self, Operand, kRunNow, "run in mover"),
    TOLV_OTHER(1156, 2, Self, SelfVariable, kRunNow, "run in mover by var"),
    TOLV_OTHER(1157, 3, Self, SelfLabel, kRunNow, "run in mover by label"),
    TOLV_OTHER(1158, 2, Self, Operand, kStop, "stop in mover"),
    TOLV_OTHER(1159, 2, Self, SelfVariable, kStop, "stop in mover by var"),
    TOLV_OTHER(1160, 3, Self, SelfLabel, kStop, "stop in mover by label"),
    TOLV_OTHER(1161, 2, ObjectD, Operand, kStart, "start in OD mover"),
    TOLV_OTHER(1162, 2, ObjectD, ObjectDVar, kStart, "start in OD mover by var"),
    TOLV_OTHER(1163, 3, ObjectD, ObjectDLabel, kStart, "start in OD mover by label"),
    TOLV_OTHER(1164, 2, ObjectD, Operand, kRunNow, "run in OD mover"),
    TOLV_OTHER(1165, 2, ObjectD, ObjectDVar, kRunNow, "run in OD mover by var"),
    TOLV_OTHER(1166, 3, ObjectD, ObjectDLabel, kRunNow, "run in OD mover by label"),
    TOLV_OTHER(1167, 2, ObjectD, Operand, kStop, "stop in OD mover"),
    TOLV_OTHER(1168, 2, ObjectD, ObjectDVar, kStop, "stop in OD mover by var"),
    TOLV_OTHER(1169, 3, ObjectD, ObjectDLabel, kStop, "stop in OD mover by label"),
    TOLV_OTHER(1259, 2, Global, Operand, kStart, "start in global"),
    TOLV_OTHER(1260, 2, Global, Operand, kRunNow, "run in global"),
    TOLV_OTHER(1261, 2, Global, Operand, kStop, "stop in global"),
};

// The texts of one operation are the same for every owner but the lanes
// they name, whom a run now counts as, and where the function comes from.
#define TOLV_START(lanes) \
  "Starts the function in " lanes ", unless it already runs there; it first runs when those lanes next run."
#define TOLV_RUN(lanes, as) \
  "Runs the function in " lanes " at once" as ", until it yields or ends, unless it already runs there; one " \
  "that yields stays there and goes on when those lanes next run."
#define TOLV_STOP(lanes) "Stops the function in every lane of " lanes " that runs it."
#define TOLV_CHARACTER "the current player's character lanes"
#define TOLV_PD_CHARACTER "the character lanes of the player in player slot D"
#define TOLV_MOVER "the running object's Movement lanes"
#define TOLV_OD_MOVER "the Movement lanes of the object in object slot D"
#define TOLV_GLOBAL "the global script's lanes"
#define TOLV_AS_PD ", with that player as the current player"
#define TOLV_AS_OD ", with that object as the running object"
#define TOLV_BY_VAR " The function number is the variable's value."
#define TOLV_BY_CHARACTER_LABEL " The function is the character's own function of that number (f n in its file)."
#define TOLV_BY_TYPE_LABEL " The function is that entry of a parameter list of the object's type."
#define TOLV_CHAR_VAR "character variable holding the function"
#define TOLV_PD_CHAR_VAR "character variable of the player in slot D holding the function"
#define TOLV_OWN_VAR "running object's variable holding the function"
#define TOLV_OD_VAR "variable of the object in slot D holding the function"

using A = CommandArea;
static const CommandDoc kOtherContextDocs[] = {
    {"start in character", A::kFlow, {"player function"}, TOLV_START(TOLV_CHARACTER)},
    {"start in character by var", A::kFlow, {TOLV_CHAR_VAR}, TOLV_START(TOLV_CHARACTER) TOLV_BY_VAR},
    {"start in character by label", A::kFlow, {"number of the character's own function"},
     TOLV_START(TOLV_CHARACTER) TOLV_BY_CHARACTER_LABEL},
    {"run in character", A::kFlow, {"player function"}, TOLV_RUN(TOLV_CHARACTER, "")},
    {"run in character by var", A::kFlow, {TOLV_CHAR_VAR}, TOLV_RUN(TOLV_CHARACTER, "") TOLV_BY_VAR},
    {"run in character by label", A::kFlow, {"number of the character's own function"},
     TOLV_RUN(TOLV_CHARACTER, "") TOLV_BY_CHARACTER_LABEL},
    {"stop in character", A::kFlow, {"player function"}, TOLV_STOP(TOLV_CHARACTER)},
    {"stop in character by var", A::kFlow, {TOLV_CHAR_VAR}, TOLV_STOP(TOLV_CHARACTER) TOLV_BY_VAR},
    {"stop in character by label", A::kFlow, {"number of the character's own function"},
     TOLV_STOP(TOLV_CHARACTER) TOLV_BY_CHARACTER_LABEL},
    {"start in PD character", A::kFlow, {"player function"}, TOLV_START(TOLV_PD_CHARACTER)},
    {"start in PD character by var", A::kFlow, {TOLV_PD_CHAR_VAR}, TOLV_START(TOLV_PD_CHARACTER) TOLV_BY_VAR},
    {"start in PD character by label", A::kFlow, {"number of the character's own function"},
     TOLV_START(TOLV_PD_CHARACTER) TOLV_BY_CHARACTER_LABEL},
    {"run in PD character", A::kFlow, {"player function"}, TOLV_RUN(TOLV_PD_CHARACTER, TOLV_AS_PD)},
    {"run in PD character by var", A::kFlow, {TOLV_PD_CHAR_VAR}, TOLV_RUN(TOLV_PD_CHARACTER, TOLV_AS_PD) TOLV_BY_VAR},
    {"run in PD character by label", A::kFlow, {"number of the character's own function"},
     TOLV_RUN(TOLV_PD_CHARACTER, TOLV_AS_PD) TOLV_BY_CHARACTER_LABEL},
    {"stop in PD character", A::kFlow, {"player function"}, TOLV_STOP(TOLV_PD_CHARACTER)},
    {"stop in PD character by var", A::kFlow, {TOLV_PD_CHAR_VAR}, TOLV_STOP(TOLV_PD_CHARACTER) TOLV_BY_VAR},
    {"stop in PD character by label", A::kFlow, {"number of the character's own function"},
     TOLV_STOP(TOLV_PD_CHARACTER) TOLV_BY_CHARACTER_LABEL},
    {"start in mover", A::kFlow, {"Movement function"}, TOLV_START(TOLV_MOVER)},
    {"start in mover by var", A::kFlow, {TOLV_OWN_VAR}, TOLV_START(TOLV_MOVER) TOLV_BY_VAR},
    {"start in mover by label", A::kFlow, {"parameter list of the type", "entry of the list"},
     TOLV_START(TOLV_MOVER) TOLV_BY_TYPE_LABEL},
    {"run in mover", A::kFlow, {"Movement function"}, TOLV_RUN(TOLV_MOVER, "")},
    {"run in mover by var", A::kFlow, {TOLV_OWN_VAR}, TOLV_RUN(TOLV_MOVER, "") TOLV_BY_VAR},
    {"run in mover by label", A::kFlow, {"parameter list of the type", "entry of the list"},
     TOLV_RUN(TOLV_MOVER, "") TOLV_BY_TYPE_LABEL},
    {"stop in mover", A::kFlow, {"Movement function"}, TOLV_STOP(TOLV_MOVER)},
    {"stop in mover by var", A::kFlow, {TOLV_OWN_VAR}, TOLV_STOP(TOLV_MOVER) TOLV_BY_VAR},
    {"stop in mover by label", A::kFlow, {"parameter list of the type", "entry of the list"},
     TOLV_STOP(TOLV_MOVER) TOLV_BY_TYPE_LABEL},
    {"start in OD mover", A::kFlow, {"Movement function"}, TOLV_START(TOLV_OD_MOVER)},
    {"start in OD mover by var", A::kFlow, {TOLV_OD_VAR}, TOLV_START(TOLV_OD_MOVER) TOLV_BY_VAR},
    {"start in OD mover by label", A::kFlow, {"parameter list of the type", "entry of the list"},
     TOLV_START(TOLV_OD_MOVER) TOLV_BY_TYPE_LABEL},
    {"run in OD mover", A::kFlow, {"Movement function"}, TOLV_RUN(TOLV_OD_MOVER, TOLV_AS_OD)},
    {"run in OD mover by var", A::kFlow, {TOLV_OD_VAR}, TOLV_RUN(TOLV_OD_MOVER, TOLV_AS_OD) TOLV_BY_VAR},
    {"run in OD mover by label", A::kFlow, {"parameter list of the type", "entry of the list"},
     TOLV_RUN(TOLV_OD_MOVER, TOLV_AS_OD) TOLV_BY_TYPE_LABEL},
    {"stop in OD mover", A::kFlow, {"Movement function"}, TOLV_STOP(TOLV_OD_MOVER)},
    {"stop in OD mover by var", A::kFlow, {TOLV_OD_VAR}, TOLV_STOP(TOLV_OD_MOVER) TOLV_BY_VAR},
    {"stop in OD mover by label", A::kFlow, {"parameter list of the type", "entry of the list"},
     TOLV_STOP(TOLV_OD_MOVER) TOLV_BY_TYPE_LABEL},
    {"start in global", A::kFlow, {"script function"}, TOLV_START(TOLV_GLOBAL)},
    {"run in global", A::kFlow, {"script function"}, TOLV_RUN(TOLV_GLOBAL, "")},
    {"stop in global", A::kFlow, {"script function"}, TOLV_STOP(TOLV_GLOBAL)},
};
extern const CommandList other_context_command_list = TOLV_DOCUMENTED(kOtherContext, kOtherContextDocs);

}  // namespace tolv
