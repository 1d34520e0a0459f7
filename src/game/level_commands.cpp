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
extern const CommandList level_command_list = TOLV_LIST(kLevelCommands);

}  // namespace tolv
