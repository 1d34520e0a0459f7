#include "objects/player_selection.h"

#include "objects/records.h"
#include "script/operands.h"
#include "script/registers.h"
#include "world/tile_plane.h"

namespace tolv {

int32_t wrap_left, wrap_right, wrap_width;
int32_t wrap_top, wrap_bottom, wrap_height;
int32_t* current_player_vars = nullptr;

void SetWrapWindow(int p) {
  if (p < 0 || p >= kMaxPlayers) return;
  tile_probe_plane = PlayerVar(&player_records[p], character_register_count + 28);
  const TilePlane* plane = ProbePlane();
  int32_t w = plane ? static_cast<int32_t>(plane->width * 8) : 0;
  int32_t h = plane ? static_cast<int32_t>(plane->height * 8) : 0;
  if (registers[39 + p]) {
    wrap_left = registers[23 + p];
    wrap_right = registers[27 + p];
    wrap_width = registers[47 + p];
  } else {
    wrap_left = 0;
    wrap_right = wrap_width = w;
  }
  if (registers[41 + p]) {
    wrap_top = registers[25 + p];
    wrap_bottom = registers[29 + p];
    wrap_height = registers[49 + p];
  } else {
    wrap_top = 0;
    wrap_bottom = wrap_height = h;
  }
}

bool SelectPlayer(int p) {
  if (p < 0 || p >= kMaxPlayers) return false;
  registers[kRegPlayer] = p;
  PlayerRecord* r = &player_records[p];
  current_player = r;
  current_character_vars = r->character_vars;
  current_character_var_count = r->character_vars ? character_register_count : 0;
  current_player_vars = r->player_vars;
  SetWrapWindow(p);
  return true;
}

}  // namespace tolv
