// The script contexts that belong to no object or player: the level's
// global scripts, the plane scripts and the four object-kind passes.
#pragma once
#include "script/machine.h"

namespace tolv {

extern ScriptContext global_context;
extern ScriptContext plane_context;
extern CodeSet script_functions;  // global and plane scripts of every scope

extern ScriptContext collision_context;
extern ScriptContext pcollision_context;
extern ScriptContext dbdraw_context;
extern ScriptContext dbplace_context;

// Rebinds global_context and plane_context to script_functions after a load.
void BindScriptFunctions();

// Set by command 846: the boundary event whose labels are running is not
// recorded as handled and fires again. The boundary check clears it before
// running an event.
extern uint8_t boundary_event_unhandled;

}  // namespace tolv
