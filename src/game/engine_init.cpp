#include "game/engine_init.h"

#include "compiler/alias_tables.h"
#include "compiler/string_var_resolver.h"
#include "files/tokenizer.h"
#include "game/command_lists.h"
#include "objects/objects_state.h"
#include "physics/physics_routines.h"
#include "render/palette_effects.h"
#include "render/screen_mode.h"
#include "script/commands.h"
#include "script/expand_string_vars.h"
#include "script/global_contexts.h"
#include "script/random.h"
#include "script/registers.h"
#include "stat/stat_obj.h"
#include "world/frame_steps.h"
#include "world/tile_file.h"

namespace tolv {

void InitEngine() {
  AllocRegisters(0);
  ResetRegisters();
  SetScreenMode(0);
  run_palette_effects = RunPaletteEffects;
  SeedRandomFromClock();
  RegisterEngineCommands();
  global_context.table = script_commands;
  plane_context.table = script_commands;
  BindScriptFunctions();
  StartObjects();
  InstallPhysicsRoutines();
  InstallStatObjRoutines();
  ResetTileSet();
  resolve_alias = ResolveAliasForLexer;
  resolve_string_var = ResolveStringVarWithAliases;
}

}  // namespace tolv
