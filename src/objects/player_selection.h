// Selecting the current player, and the wrap window movement reads.
#pragma once
#include <cstdint>

namespace tolv {

extern int32_t wrap_left, wrap_right, wrap_width;
extern int32_t wrap_top, wrap_bottom, wrap_height;
extern int32_t* current_player_vars;

// Wrap window of player p (0 or 1): its registers when wrapping, else its
// plane's size; makes its plane the probe plane.
void SetWrapWindow(int p);
// Register 9, current_player and its variable blocks, the wrap window.
// False (nothing changed) for an index beyond the records.
bool SelectPlayer(int p);

}  // namespace tolv
