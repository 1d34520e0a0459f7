// What the compiler needs to know of the lists that scripts number: the
// game and zone counts of each scoped list (scope letters g/z/a add them)
// and the key-map geometry that key-code operands are coded against.
#pragma once
#include <cstdint>

namespace tolv {

struct ScopeSizes {
  uint16_t game = 0, zone = 0;
};

// Filled by the loaders before they compile a scope's functions.
struct CompileScopes {
  ScopeSizes tables;               // script data tables
  ScopeSizes strings;              // script string slots (no act scope)
  ScopeSizes music;
  ScopeSizes sounds;
  ScopeSizes stat_obj_defs;
  ScopeSizes movement_functions;   // object Movement code set
  ScopeSizes animation_functions;  // object Animation code set
  ScopeSizes object_types;
};
extern CompileScopes compile_scopes;

// Key maps: entries per map (E) and the number of maps, as LoadKeyMaps
// read them (16 and 2 before any game).
extern uint16_t key_map_entry_count;
extern uint16_t key_map_count;

// Game and zone counts of the script functions, read from their owner.
ScopeSizes ScriptFunctionScopes();

}  // namespace tolv
