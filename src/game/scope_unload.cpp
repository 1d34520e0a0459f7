// One scope unload for every subsystem's lists.
#include "audio/audio_state.h"
#include "base/scope_counts.h"
#include "compiler/compiler_state.h"
#include "game/function_files.h"
#include "game/level_loading.h"
#include "game/object_defs.h"
#include "game/pointer_defs.h"
#include "objects/objects_state.h"
#include "render/render_state.h"
#include "script/script_state.h"
#include "stat/stat_state.h"
#include "world/world_state.h"

namespace tolv {

// Object types go before the sprite sets they point at, the objects before
// the stat object definitions whose instances they own; audio after the
// global functions, since the XM effect function goes with them.
void UnloadScopes(int drop) {
  if (drop <= kScopeGame) {
    UnloadCompiler();
    FreePointerDefs();
  }
  UnloadRender(drop);
  UnloadObjects(drop);
  UnloadWorld(drop);
  UnloadStatObjs(drop);
  UnloadScriptScopes(drop);
  UnloadAudio(drop);
  for (int s = drop < kScopeGame ? kScopeGame : drop; s <= kScopeAct; s++) object_def_paths[s].clear();
  SyncCompileScopes();
}

}  // namespace tolv
