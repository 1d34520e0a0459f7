#include "objects/player_select.h"

#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

void SelectPlayer(int p) {
  Cell(registers, register_count, kRegPlayer) = p;
  current_player = p >= 0 && p < kMaxPlayers ? &player_records[p] : &void_player;
  current_character_vars = current_player->character_vars;
  current_character_var_count = current_character_vars ? character_register_count : 0;
}

}  // namespace tolv
