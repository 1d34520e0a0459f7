// Contexts that run the game's global script functions.
#pragma once
#include "script/machine.h"

namespace tolv {

extern ScriptContext global_context;
extern ScriptContext plane_context;
extern CodeSet script_functions;  // global and plane scripts of every scope

// Rebinds global_context and plane_context to script_functions after a load.
void BindScriptFunctions();

}  // namespace tolv
