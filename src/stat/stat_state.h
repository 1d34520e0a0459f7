// Start-up and scope unloads of the stat objects.
#pragma once

namespace tolv {

// Registers the stat object commands and installs the stat object routines
// in the objects' slots.
void StartStatObjs();
// Frees the definitions of the scopes from `drop` on (kScopeGame all,
// kScopeZone zone and act, kScopeAct act) with the instances they own.
void UnloadStatObjs(int drop);

}  // namespace tolv
