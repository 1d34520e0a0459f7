// The scoped list of sprite sets that object types draw from. Each set is
// a record of its own, so the pointers types hold stay valid while inner
// scopes come and go.
#pragma once
#include <cstdint>

#include "base/scope_counts.h"
#include "world/sprite_frame.h"

namespace tolv {

extern SpriteSet** sprite_sets;
extern ScopeCounts sprite_set_counts;

// Makes the scope `n` sets long, each empty; returns its first index.
uint32_t SetSpriteSetScope(int scope, int64_t n);
// Gives set s n frames (zeroed records).
void AllocSetFrames(uint32_t s, uint32_t n);
// Reads a binary sprite file into the scope's sets. Until the sprite file
// reader exists every file takes the missing-file path: one set of one
// blank frame and the log lines.
void LoadSpriteSets(const char* name, int scope);
// Frees the sets of the scopes from `drop` on (0 all, 1 zone and act, 2 act).
void FreeSpriteSets(int drop);

}  // namespace tolv
