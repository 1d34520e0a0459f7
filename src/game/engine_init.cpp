#include "game/engine_init.h"

#include "compiler/alias_tables.h"
#include "compiler/string_var_resolver.h"
#include "files/game_folder_guard.h"
#include "files/tokenizer.h"
#include "game/boundary_events.h"
#include "game/command_lists.h"
#include "objects/objects_state.h"
#include "objects/world_update.h"
#include "physics/physics_routines.h"
#include "render/render_state.h"
#include "script/commands.h"
#include "script/expand_string_vars.h"
#include "script/global_contexts.h"
#include "script/random.h"
#include "script/registers.h"
#include "stat/stat_state.h"
#include "world/world_state.h"

namespace tolv {

void InitEngine() {
  AllocRegisters(0);
  ResetRegisters();
  StartRender();
  SeedRandomFromClock();
  RegisterEngineCommands();
  global_context.table = script_commands;
  plane_context.table = script_commands;
  BindScriptFunctions();
  StartObjects();
  InstallPhysicsRoutines();
  check_boundary_events = CheckBoundaryEvents;
  StartStatObjs();
  StartWorld();
  InstallGameWriteGuard();
  resolve_alias = ResolveAliasForLexer;
  resolve_string_var = ResolveStringVarWithAliases;
}

}  // namespace tolv
