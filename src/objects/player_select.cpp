#include "objects/player_select.h"

#include "objects/records.h"
#include "script/operands.h"
#include "script/registers.h"
#include "world/tile_plane.h"

namespace tolv {

uint8_t player_count = kMaxPlayers;
int32_t* current_player_vars = nullptr;
int32_t wrap_left, wrap_right, wrap_width;
int32_t wrap_top, wrap_bottom, wrap_height;

void SetWrapWindow(int p) {
  if (p < 0 || p >= kMaxPlayers) return;
  tile_probe_plane = PlayerVar(&player_records[p], character_register_count + 28);
  const TilePlane* plane = ProbePlane();
  int32_t w = plane ? static_cast<int32_t>(plane->width * 8) : 0;
  int32_t h = plane ? static_cast<int32_t>(plane->height * 8) : 0;
  const int32_t* R = registers;
  if (R[39 + p]) {
    wrap_left = R[23 + p], wrap_right = R[27 + p], wrap_width = R[47 + p];
  } else {
    wrap_left = 0;
    wrap_right = wrap_width = w;
  }
  if (R[41 + p]) {
    wrap_top = R[25 + p], wrap_bottom = R[29 + p], wrap_height = R[49 + p];
  } else {
    wrap_top = 0;
    wrap_bottom = wrap_height = h;
  }
}

bool SelectPlayer(int p) {
  Cell(registers, register_count, kRegPlayer) = p;
  bool ok = p >= 0 && p < kMaxPlayers;
  PlayerRecord* r = ok ? &player_records[p] : &void_player;
  current_player = r;
  current_character_vars = r->character_vars;
  current_character_var_count = r->character_vars ? character_register_count : 0;
  current_player_vars = r->player_vars;
  if (ok) SetWrapWindow(p);
  return ok;
}

}  // namespace tolv
