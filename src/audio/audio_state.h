// The audio lists of the game, zone and act scopes, and the mixer state.
#pragma once

namespace tolv {

// Frees sounds and music of the scopes from `drop` on (kScopeGame all,
// kScopeZone zone and act, kScopeAct act). Call it after the global
// functions of those scopes went: the XM effect function goes with them.
void UnloadAudio(int drop);
// Silences every channel and the music, and forgets pending requests and
// saved-state blocks.
void ResetAudio();

}  // namespace tolv
