// Level change and reload commands.
#include "game/level_loading.h"
#include "objects/object_pool.h"
#include "script/commands.h"
#include "script/lane_access.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

// 42: registers 4 and 3 := zone, act; the level restarts (7 := 0) unpaused.
static void CmdGoToLevel() {
  int32_t zone = RegOrConst(Op(1)), act = RegOrConst(Op(2));
  Reg(kRegZone) = zone;
  Reg(kRegAct) = act;
  Reg(kRegLevelStarted) = 0;
  Reg(kRegPause) = 0;
}

// The lane resumes after the command in the next frame; the data under the
// running objects is reloaded now.
template <bool timed, bool zone>
static void CmdReload() {
  yield_flag = 1;
  (timed ? TimedLanePc() : PlainLanePc())++;
  if (zone) LoadZone();
  LoadAct();
  BindScriptFunctions();
  SetupScriptContexts();
}

static const CommandDef kLevelCommands[] = {
    TOLV_ALL(42, 3, CmdGoToLevel, "go to level"),
    {1523, 1, CmdReload<false, false>, CmdReload<true, false>, CmdReload<false, false>, "reload act"},
    {1524, 1, CmdReload<false, true>, CmdReload<true, true>, CmdReload<false, true>, "reload zone and act"},
};

static const CommandDoc kLevelDocs[] = {
    {"go to level", CommandArea::kLevels, {"zone", "act"},
     "Starts the level of that zone and act at the start of the next frame, unpausing the game: every object is "
     "removed, the zone and act are loaded where they changed and the act's start function runs. The "
     "script goes on after the command until it yields. An act the zone does not have starts act 0, with a "
     "message; a zone without its folder and zone.def is a fatal script error."},
    {"reload act", CommandArea::kLevels, {},
     "Loads the act's fonts, music, sounds, object definitions, screen layouts and functions again from their "
     "files, at once; objects, players and the level stay as they are. The script goes on after the command in the "
     "next frame; an act the zone does not have is a fatal script error."},
    {"reload zone and act", CommandArea::kLevels, {},
     "Loads everything of the zone (zone.def and what it names) and then of its act again from their files, "
     "at once; objects, players and the level stay as they are. The script goes on after the command in the "
     "next frame."},
};
extern const CommandList level_command_list = TOLV_DOCUMENTED(kLevelCommands, kLevelDocs);

}  // namespace tolv
