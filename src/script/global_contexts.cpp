// The level's global script context, the tile planes' context and the
// object-kind pass contexts.
#include "script/global_contexts.h"

namespace tolv {

ScriptContext global_context;
ScriptContext plane_context;
CodeSet script_functions;
ScriptContext collision_context;
ScriptContext pcollision_context;
ScriptContext dbdraw_context;
ScriptContext dbplace_context;
uint8_t boundary_event_unhandled = 0;

void BindScriptFunctions() {
  BindContext(global_context, global_context.table, &script_functions);
  BindContext(plane_context, plane_context.table, &script_functions);
}

}  // namespace tolv
