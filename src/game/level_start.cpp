// The level start: load what changed, bind the contexts, run the act's
// start function and place the players.
#include <cstdio>

#include "base/message_log.h"
#include "files/game_files.h"
#include "game/act_records.h"
#include "game/editor_hooks.h"
#include "game/game_frame.h"
#include "game/launch_options.h"
#include "game/level_loading.h"
#include "objects/character.h"
#include "objects/object_pool.h"
#include "objects/player_select.h"
#include "objects/players.h"
#include "objects/world_update.h"
#include "script/count_slot.h"
#include "script/operands.h"
#include "script/registers.h"
#include "world/frame_steps.h"
#include "world/palette.h"

namespace tolv {

static int PlayerRecordsInUse() { return player_count < kMaxPlayers ? player_count : kMaxPlayers; }

// An act the zone does not have starts act 0 instead.
static void CheckActNumber() {
  if (FindAct(Reg(kRegAct))) return;
  char line[48];
  std::snprintf(line, sizeof line, "Zone %d has no act %d:", Reg(kRegZone), Reg(kRegAct));
  ShowMessage(line);
  ShowMessage("starting act 0");
  Reg(kRegAct) = 0;
}

static void LoadChangedScopes() {
  bool zone_changed = Reg(kRegLoadedZone) != Reg(kRegZone);
  if (zone_changed) LoadZone();
  if (zone_changed || Reg(kRegLoadedAct) != Reg(kRegAct)) {
    // A new act starts both banks on palette set 0: the last act's set
    // numbers may name sets its tile file does not have.
    Reg(kRegView) = 1;
    select_palette_bank(1);
    SelectPaletteSet(0);
    Reg(kRegView) = 0;
    select_palette_bank(0);
    SelectPaletteSet(0);
    CheckActNumber();
    LoadAct();
  }
}

static void ResetPlayersForStart() {
  for (int p = 0; p < PlayerRecordsInUse(); p++) {
    SelectPlayer(p);
    PlayerRecord* r = &player_records[p];
    r->moved = 0;
    PVar(r, kPvCharacter) = r->character;
    PVar(r, 32) = 65535;  // no boundary event entered yet
  }
}

static void RunActStart() {
  SelectPlayer(0);
  Reg(kRegView) = 0;
  select_palette_bank(0);
  processing_slot = object_slots[0];
  current_context = &global_context;
  ResetContext();
  const ActRecord* act = FindAct(Reg(kRegAct));
  current_context = &global_context;
  if (act) StartFunction(act->start_function);
  current_context = &global_context;
  RunLanes();
}

// The character's after-label of its current action, at once.
static void RunAfterLabel(PlayerRecord* r) {
  const Character* ch = FindCharacter(r->character);
  uint32_t action = uint32_t(PVar(r, kPvAction));
  if (!ch || action >= ch->action_count) return;
  CountSlotGuard count(CountLoopInCharacterVars);
  current_context = &r->character_ctx;
  RunFunctionNow(ch->actions[action].after_label);
}

static void PlacePlayers() {
  for (int p = 0; p < PlayerRecordsInUse(); p++) {
    SelectPlayer(p);
    PlayerRecord* r = &player_records[p];
    PVar(r, kPvFollowX) = int32_t(uint32_t(PVar(r, kPvX)) - 160);
    PVar(r, kPvFollowY) = int32_t(uint32_t(PVar(r, kPvY)) - 112);
    if (r->character >= character_count || !r->moved) continue;
    RunAfterLabel(r);
    bool follow = PVar(r, kPvFlags) & (1 << 4);
    if (follow) PlaceView(p);
    {
      CountSlotGuard count(CountLoopInRegisters);
      check_boundary_events();
    }
    for (int k = 0; k < 8; k++) registers[23 + k] = registers[31 + k];  // limits jump to their targets
    if (follow) PlaceView(p);
  }
}

void StartLevel() {
  for (int k = 39; k <= 46; k++) registers[k] = 0;
  ResetObjectSlots();
  LoadChangedScopes();
  BindScriptFunctions();
  SetupScriptContexts();
  ResetPlayersForStart();
  RunActStart();
  Reg(kRegLoadedZone) = Reg(kRegZone);
  Reg(kRegLoadedAct) = Reg(kRegAct);
  note_level_start(open_level_editor && game_unpacked);
  open_level_editor = 0;  // served by the first level start only
  PlacePlayers();
  SelectPlayer(0);
  Reg(kRegLevelStarted) = 1;
}

}  // namespace tolv
