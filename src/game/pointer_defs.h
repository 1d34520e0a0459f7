// "ptrs.def": the registers and player variables in which the game keeps
// object and player references. A saved state stores those values as list
// positions and player indexes and turns them back into references.
#pragma once
#include <cstdint>
#include <vector>

namespace tolv {

enum PointerList : int {
  kObjectRegisters = 0,  // register indexes (user register n is 256 + n)
  kPlayerRegisters = 1,
  kObjectPlayerVars = 2,  // player variable indexes (extra variable n is 39 + n)
  kPlayerPlayerVars = 3,
};

extern std::vector<uint32_t> pointer_defs[4];
extern bool pointer_defs_loaded;

// Reads "ptrs.def" of the game root once (four empty lists without one):
// per list a count, then that many lines each naming a user register or an
// extra player variable by alias or number. Faults are script errors.
void LoadPointerDefs();
void FreePointerDefs();

}  // namespace tolv
