#include "world/world_state.h"

#include "world/frame_steps.h"
#include "world/level.h"
#include "world/level_generation.h"
#include "world/sprite_sets.h"
#include "world/tile_file.h"

namespace tolv {

void StartWorld() {
  ResetTileSet();
  ResetDefaultPlanes();
  view_count = 1;  // a two-view warp of the last game must not split the next
}

void UnloadWorld(int drop) {
  level_generation++;
  FreeSpriteSets(drop);
}

}  // namespace tolv
