// Stamps: the level editor's reusable blocks of tile ids, kept in lists
// that the tile-set file stores. There is always at least one list.
#pragma once
#include <cstdint>
#include <vector>

namespace tolv {

struct Stamp {
  uint32_t width = 0, height = 0;  // in tiles; each at most 65535
  std::vector<uint16_t> ids;       // width * height, row by row
};
using StampList = std::vector<Stamp>;

extern std::vector<StampList> stamp_lists;  // at most 65535 lists of at most 65535 stamps

// One empty list.
void ResetStamps();

}  // namespace tolv
