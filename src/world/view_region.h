// Which wrap copy of a player's view shows a point: the view itself, or a
// copy across the level's wrap seams as far as the target limits reach.
#pragma once
#include <cstdint>

namespace tolv {

// Regions in a 3 x 3 grid, row by row: 4 the view itself; 0..2 shown
// shifted by +H, 6..8 by -H; columns 0 and 2 by +W and -W (W and H the
// view's wrap width and height).
constexpr uint8_t kViewItself = 4;
constexpr uint8_t kNoViewRegion = 255;

// The region of view v (0 or 1) that holds (x, y), with every range
// widened by 160 pixels; kNoViewRegion when none does.
uint8_t ViewRegion(int v, int64_t x, int64_t y);

}  // namespace tolv
