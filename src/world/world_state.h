// Start-up and scope unloads of the world: the tile set, the level and
// the sprite sets.
#pragma once

namespace tolv {

// The state with nothing loaded: the default tile set, the default
// level and one view. The level belongs to no scope; a load replaces it.
void StartWorld();

// Frees what the scopes from `drop` on loaded (kScopeGame all, kScopeZone
// zone and act, kScopeAct act): sprite sets.
void UnloadWorld(int drop);

}  // namespace tolv
