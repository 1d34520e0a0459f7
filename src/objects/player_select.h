// Making a player the current one: register 9, the current record, its
// variable blocks and the wrap window that movement reads.
#pragma once
#include <cstdint>

namespace tolv {

extern uint8_t player_count;  // players of the game; only the first kMaxPlayers have records
extern int32_t wrap_left, wrap_right, wrap_width;
extern int32_t wrap_top, wrap_bottom, wrap_height;

// A p that names no player record selects the inert void player, and
// register 9 still becomes p.
void SelectPlayer(int p);
// Wrap window of player p (0 or 1): its registers when wrapping, else its
// plane's size; makes its plane the probe plane.
void SetWrapWindow(int p);

}  // namespace tolv
