// Command 1: the world freezes (no palette effects, frame count or tile
// animation, no player scripts or movement) or runs again.
#include "objects/player_select.h"
#include "objects/players.h"
#include "script/commands.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

constexpr uint32_t kFreezeBits = 0xF;
constexpr int32_t kControlNone = 2;

static void CmdFreezeWorld() {
  int32_t saved = registers[kRegPlayer];
  bool freeze = Op(1) == 0;
  uint32_t flags = static_cast<uint32_t>(registers[kRegFreeze]);
  registers[kRegFreeze] = static_cast<int32_t>(freeze ? flags | kFreezeBits : flags & ~kFreezeBits);
  for (PlayerRecord& r : player_records) PVar(&r, kPvControlMode) = freeze ? kControlNone : 0;
  for (int p = 0; p < kMaxPlayers; p++) SetWrapWindow(p);
  SelectPlayer(saved);
}

static const CommandDef kFreezeWorldCommands[] = {
    TOLV_ALL(1, 2, CmdFreezeWorld, "freeze world"),
};

static const CommandDoc kFreezeWorldDocs[] = {
    {"freeze world", CommandArea::kObjects, {"mode: 0 freeze, other go on (constant)"},
     "With 0, freezes the world: palette effects, the frame counter and tile animation stop, objects do not move "
     "or run their Movement, and every player's scripts and movement stop (register 2's low four bits set, player "
     "variable 34 set to 2). Any other value clears those bits and gives every player back its control (player "
     "variable 34 set to 0)."},
};
extern const CommandList freeze_world_command_list = TOLV_DOCUMENTED(kFreezeWorldCommands, kFreezeWorldDocs);

}  // namespace tolv
