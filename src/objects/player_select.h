// Making a player the current one: register 9, the current record and its
// variable blocks, and the wrap window that movement and collision read.
#pragma once
#include <cstdint>

namespace tolv {

extern uint8_t player_count;  // players of the game (records beyond kMaxPlayers are never selected)
extern int32_t* current_player_vars;
extern int32_t wrap_left, wrap_right, wrap_width;
extern int32_t wrap_top, wrap_bottom, wrap_height;

// Wrap window of player p (0 or 1): its registers on a wrapping axis, else
// its plane's size (empty for a plane that does not exist); makes its
// plane the probe plane.
void SetWrapWindow(int p);
// A p that names no player record selects the inert void player (register
// 9 still becomes p, the wrap window stays) and answers false.
bool SelectPlayer(int p);

}  // namespace tolv
