// Scope counts and key-map geometry as the compiler sees them.
#include "compiler/compile_scopes.h"

#include "script/global_contexts.h"

namespace tolv {

CompileScopes compile_scopes;
uint16_t key_map_entry_count = 16;
uint16_t key_map_count = 2;

ScopeSizes ScriptFunctionScopes() { return {script_functions.game, script_functions.zone}; }

}  // namespace tolv
