#include "script/global_contexts.h"

namespace tolv {

ScriptContext global_context;
ScriptContext plane_context;
ScriptContext collision_context;
ScriptContext pcollision_context;
ScriptContext dbdraw_context;
ScriptContext dbplace_context;
uint8_t boundary_event_unhandled = 0;

}  // namespace tolv
