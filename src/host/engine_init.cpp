#include "host/engine_init.h"

#include "compiler/alias_tables.h"
#include "compiler/string_var_resolver.h"
#include "files/tokenizer.h"
#include "objects/builtin_routines.h"
#include "objects/object_pool.h"
#include "objects/players.h"
#include "objects/stat_obj.h"
#include "render/screen_mode.h"
#include "script/commands.h"
#include "script/expand_string_vars.h"
#include "script/global_contexts.h"
#include "script/random.h"
#include "script/registers.h"

namespace tolv {

void InitEngine() {
  AllocRegisters(0);
  ResetRegisters();
  SetScreenMode(0);
  SeedRandomFromClock();
  BuildCommandTables();
  global_context.table = script_commands;
  plane_context.table = script_commands;
  BindScriptFunctions();
  InstallBuiltinRoutines();
  InstallStatObjRoutines();
  AllocObjectPool();
  SetupScriptContexts();
  ResetPlayers();
  resolve_alias = ResolveAliasForLexer;
  resolve_string_var = ResolveStringVarWithAliases;
}

}  // namespace tolv
