// Player commands: giving a player a character, the camera step on
// demand, and reloading a character definition.
#include "objects/character.h"
#include "objects/character_loader.h"
#include "objects/player_select.h"
#include "objects/players.h"
#include "script/commands.h"
#include "script/lane_access.h"
#include "script/operands.h"
#include "script/registers.h"
#include "script/string_slots.h"

namespace tolv {

static void SetCharacter() {
  SetPlayerCharacter(static_cast<uint8_t>(RegOrConst(Op(1))), static_cast<uint8_t>(RegOrConst(Op(2))));
}

static void CameraNow() {
  PlayerRecord* r = player_operand_d;
  if (r == &void_player) return;
  int32_t saved = registers[kRegPlayer];
  SelectPlayer(r->index);
  CameraStep(r->index);
  SelectPlayer(saved);
}

// Like the act reloads, the command yields first: its lane resumes after
// it next frame, and what the reload replaced lives until the frame ends.
static void Reload(uint16_t& pc) {
  uint32_t w = Op(1);
  uint32_t index = (w & kRegisterBit) ? static_cast<uint16_t>(Reg(w)) : w;
  uint8_t c = static_cast<uint8_t>(RegOrConst(Op(2)));
  const char* path = index == 0x7fffffff ? (c < kMaxCharacters ? characters[c].path : nullptr) : StringSlotText(index);
  yield_flag = 1;
  pc++;
  if (path) ReloadCharacterDef(path, c);
}
static void ReloadScript() { Reload(PlainLanePc()); }
static void ReloadTimed() { Reload(TimedLanePc()); }

static const CommandDef kPlayerCommands[] = {
    TOLV_ALL(94, 3, SetCharacter, "set player character"),
    {1441, 3, ReloadScript, ReloadTimed, ReloadScript, "reload character"},
    TOLV_ALL(1407, 1, CameraNow, "camera step"),
};

static const CommandDoc kPlayerDocs[] = {
    {"set player character", CommandArea::kPlayers, {"player (0 for player 1)", "character"},
     "Gives the player the character: the bottom of its first frame's box stays where it was, it takes the "
     "character's default variables, frames and main labels, main label 0 starts in its main lanes and the init "
     "label runs at once. A character that is not loaded leaves the player with none."},
    {"reload character", CommandArea::kPlayers, {"character file: script string, or c for its own", "character"},
     "Loads the character again from the file, and reloads the characters after it, whose player functions move "
     "with it. The command yields first: its lane goes on after it next frame."},
    {"camera step", CommandArea::kCamera, {},
     "Moves the camera of the player in player slot D one step now, as the world update does for a player whose "
     "camera follows it: its follow point keeps it inside the follow box, and its view is placed from that within "
     "the camera limits."},
};
extern const CommandList player_command_list = TOLV_DOCUMENTED(kPlayerCommands, kPlayerDocs);

}  // namespace tolv
