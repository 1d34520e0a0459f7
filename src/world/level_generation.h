// A count that moves whenever the level's planes or a scope's data are
// replaced: a loop that runs scripts over planes or act records compares it
// after each script and stops when its lists went away under it.
#pragma once
#include <cstdint>

namespace tolv {

inline uint32_t level_generation = 0;

}  // namespace tolv
