// Player steps of the world update: the movement delayed from the previous
// frame, and the turn of each player's object.
#include "objects/player_step.h"

#include "base/key_state.h"
#include "objects/character.h"
#include "objects/collision_passes.h"
#include "objects/player_select.h"
#include "objects/players.h"
#include "objects/world_update.h"
#include "script/count_slot.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

uint32_t current_pad_row = 512, current_pad_row2 = 512;

void RunPlayerMainLanes() {
  timed_context = &current_player->main_ctx;
  RunTimedLanes();
}

static void RunPlayerMainLanesUnlessPlacing() {
  if (!debug_type_count) RunPlayerMainLanes();
}

void (*const main_lane_runners[9])() = {
    RunPlayerMainLanes, RunPlayerMainLanes, RunPlayerMainLanes, RunPlayerMainLanes,        RunPlayerMainLanes,
    RunPlayerMainLanes, RunPlayerMainLanes, RunPlayerMainLanes, RunPlayerMainLanesUnlessPlacing};

static uint32_t PlayerWord(PlayerRecord* r, uint32_t k) { return static_cast<uint32_t>(PVar(r, k)); }

// A player takes part while its character index names a character; one
// without a variable block (no game loaded) never does.
static bool HasCharacter(PlayerRecord* r) {
  return r->player_vars && PlayerWord(r, kPvCharacter) < character_count;
}

// The view's wrap size follows the current limits.
static void SetWrapSize(int p) {
  int32_t* R = registers;
  R[47 + p] = static_cast<int32_t>(static_cast<uint32_t>(R[27 + p]) - static_cast<uint32_t>(R[23 + p]));
  R[49 + p] = static_cast<int32_t>(static_cast<uint32_t>(R[29 + p]) - static_cast<uint32_t>(R[25 + p]));
}

void MoveDelayedPlayers() {
  int n = player_count < kMaxPlayers ? player_count : kMaxPlayers;
  for (int p = 0; p < n; p++) {
    SelectPlayer(p);
    PlayerRecord* r = &player_records[p];
    if (!HasCharacter(r) || !r->moved) continue;
    SetWrapSize(p);
    uint32_t mode = PlayerWord(r, kPvMovementMode);
    if (PlayerWord(r, kPvControlMode) == 0 && mode < 9) movement_routines[mode](0);
    r->moved = 0;
  }
}

// Label of the action group for the player's current action (the second
// label when `after`); none for an action beyond the character's table.
static uint16_t ActionLabel(PlayerRecord* r, bool after) {
  const Character* ch = FindCharacter(r->character);
  uint32_t action = PlayerWord(r, kPvAction);
  if (!ch || !ch->actions || action >= ch->action_count) return kFreeLane;
  return after ? ch->actions[action].after_label : ch->actions[action].before_label;
}

// The action's labels around the character lanes and the key combinations;
// each label is looked up when it runs, as scripts may change the action.
static void RunCharacterScripts(PlayerRecord* r) {
  CountSlotGuard count(CountLoopInCharacterVars);
  current_context = &r->character_ctx;
  RunFunctionNow(ActionLabel(r, false));
  current_context = &r->character_ctx;
  RunLanes();
  RunKeyCombinations();
  current_context = &r->character_ctx;
  RunFunctionNow(ActionLabel(r, true));
}

static void RunPlayerTurn(int p, ObjectSlot* o) {
  PlayerRecord* r = &player_records[p];
  r->moved = 1;
  if (!HasCharacter(r)) return;
  current_pad_row = 512u + uint32_t{pad_stride} * static_cast<uint32_t>(p);
  current_pad_row2 = current_pad_row + pad_row_offset;
  SetWrapSize(p);
  uint32_t control = PlayerWord(r, kPvControlMode);
  if (control == 0) RunCharacterScripts(r);
  if (control < 2) {
    uint32_t mode = PlayerWord(r, kPvMovementMode);
    running_slot = o;
    (mode < 9 ? main_lane_runners[mode] : RunPlayerMainLanes)();
  }
  if (PlayerWord(r, kPvFlags) & (1u << 4)) CameraStep(p);
  CountSlotGuard count(CountLoopInRegisters);
  check_boundary_events();
}

void RunPlayerStep(ObjectSlot* o) {
  int32_t p = o->var_count > 7 ? o->vars[7] : -1;
  int n = player_count < kMaxPlayers ? player_count : kMaxPlayers;
  if (p < 0 || p >= n) return;  // names no player: no step
  SelectPlayer(p);
  running_slot = o;
  RunPlayerTurn(p, o);
  SelectPlayer(0);
}

}  // namespace tolv
