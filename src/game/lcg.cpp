#include "game/lcg.h"

namespace tolv {

// Weak so the script library's own definition wins once it exists.
__attribute__((weak)) uint32_t random_seed = 0;

}  // namespace tolv
