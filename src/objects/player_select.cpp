#include "objects/player_select.h"

#include "script/operands.h"
#include "script/registers.h"
#include "world/tile_plane.h"

namespace tolv {

uint8_t player_count = kMaxPlayers;
int32_t wrap_left, wrap_right, wrap_width;
int32_t wrap_top, wrap_bottom, wrap_height;

// One axis: the player's wrap registers when it wraps, else 0 to the
// plane's size in pixels.
static void WrapAxis(int on, int lo, int hi, int size, int32_t plane_size, int32_t& l, int32_t& h, int32_t& s) {
  if (registers[on]) {
    l = registers[lo];
    h = registers[hi];
    s = registers[size];
  } else {
    l = 0;
    h = s = plane_size;
  }
}

void SetWrapWindow(int p) {
  if (p < 0 || p >= kMaxPlayers) return;
  tile_probe_plane = PlayerVar(&player_records[p], character_register_count + 28);
  const TilePlane* plane = ProbePlane();
  int32_t w = plane ? static_cast<int32_t>(plane->width * 8) : 0;
  int32_t h = plane ? static_cast<int32_t>(plane->height * 8) : 0;
  WrapAxis(39 + p, 23 + p, 27 + p, 47 + p, w, wrap_left, wrap_right, wrap_width);
  WrapAxis(41 + p, 25 + p, 29 + p, 49 + p, h, wrap_top, wrap_bottom, wrap_height);
}

void SelectPlayer(int p) {
  Cell(registers, register_count, kRegPlayer) = p;
  current_player = p >= 0 && p < kMaxPlayers ? &player_records[p] : &void_player;
  current_character_vars = current_player->character_vars;
  current_character_var_count = current_character_vars ? character_register_count : 0;
  SetWrapWindow(p);
}

}  // namespace tolv
