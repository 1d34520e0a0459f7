// Start-up, reset and scope unloads of the objects subsystem: its commands
// and routines, the pools, players, characters, object types and object
// functions.
#pragma once

namespace tolv {

// Registers the commands, installs the routines in the script machine's
// and the spawner's slots, allocates the pools and resets the players.
void StartObjects();
// Every slot free and in pool order, the draw order empty (a new run of
// the world).
void ResetObjects();
// Frees the object types and functions of the scopes from `drop` on
// (kScopeGame all, kScopeZone zone and act, kScopeAct act); with the game
// scope also the characters and player functions, every slot freed first.
void UnloadObjects(int drop);

}  // namespace tolv
