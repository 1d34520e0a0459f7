// The scoped list of sprite sets that object types draw from, and the
// loading of sprite files into it and into characters. Each set is a
// record of its own, so the pointers types hold stay valid while inner
// scopes come and go.
#pragma once
#include <cstdint>

#include "base/scope_counts.h"
#include "world/sprite_frame.h"

namespace tolv {

extern SpriteSet** sprite_sets;
extern ScopeCounts sprite_set_counts;

// Makes the scope `n` sets long, each a new empty record (the scope's old
// records and those of inner scopes are freed); returns its first index.
uint32_t SetSpriteSetScope(int scope, int64_t n);
// Gives set s n frames (zeroed records).
void AllocSetFrames(uint32_t s, uint32_t n);
// Reads a sprite file (through the game file layer) into the sets of scope
// 0 Game, 1 Zone or 2 Act, placed after the outer scopes' sets. A missing
// or damaged file leaves the scope one set of one blank frame, with
// notices; another scope is refused with a notice.
void LoadSpriteSets(const char* path, int scope);
// A character's frames: the one set of its sprite file, or one blank
// frame with notices naming character c. `out` is empty on entry.
void LoadCharacterSprites(const char* path, int c, SpriteSet* out);
// Frees the sets of the scopes from `drop` on (0 all, 1 zone and act, 2 act).
void FreeSpriteSets(int drop);

}  // namespace tolv
