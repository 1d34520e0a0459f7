// The level's global script context and the tile planes' context.
#include "script/global_contexts.h"

namespace tolv {

ScriptContext global_context;
ScriptContext plane_context;
CodeSet script_functions;

void BindScriptFunctions() {
  BindContext(global_context, global_context.table, &script_functions);
  BindContext(plane_context, plane_context.table, &script_functions);
}

}  // namespace tolv
