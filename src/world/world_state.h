// The world's lists of the game, zone and act scopes.
#pragma once

namespace tolv {

// Frees what the scopes from `drop` on loaded (kScopeGame all, kScopeZone
// zone and act, kScopeAct act): sprite sets.
void UnloadWorld(int drop);

}  // namespace tolv
