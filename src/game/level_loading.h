// Zones, acts and the level start.
#pragma once
#include <string>

#include "files/file_stream.h"

namespace tolv {

// Drops the zone and act scopes and reads zone.def of the zone register 4
// names. Fatal on any failure.
void LoadZone();
// Drops the act scope and loads the act register 3 names.
void LoadAct();
// (Re)starts the level: loads what differs from registers 6/5, binds the
// contexts, runs the act's start function and places the players.
void StartLevel();

// "/zone%02d": the zone's folder from the game root.
std::string ZoneFolder(int32_t zone);
// Whether a level start could read the zone's zone.def; the current folder
// stays as it was.
bool ZoneLoadable(int32_t zone);
// A global function number with an optional scope letter g, z or a (counted
// after `game` and `game` + `zone` entries); no letter is the number itself.
int32_t ScopeLetterNumber(char* token, uint16_t game, uint16_t zone);
// Reads the zone's act records (row 9) from zone.def.
void ReadActRecords(FileStream& s);

// Every subsystem's lists of the scopes from `drop` on (kScopeGame all,
// kScopeZone zone and act, kScopeAct act).
void UnloadScopes(int drop);
// Scope unloads of the lists cut back at a zone or act load.
void FreeZoneScopes();
void FreeActScopes();

}  // namespace tolv
