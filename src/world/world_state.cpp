#include "world/world_state.h"

#include "world/level_generation.h"
#include "world/sprite_sets.h"

namespace tolv {

void UnloadWorld(int drop) {
  level_generation++;
  FreeSpriteSets(drop);
}

}  // namespace tolv
