#include "world/world_state.h"

#include "world/sprite_sets.h"

namespace tolv {

void UnloadWorld(int drop) { FreeSpriteSets(drop); }

}  // namespace tolv
