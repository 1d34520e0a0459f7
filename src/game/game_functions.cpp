// The game's global script functions: "game/funcs.def" (one function a
// file, each name a global alias while the game is loose) or game.def's
// own count and function file list.
#include <string>
#include <vector>

#include "compiler/alias_tables.h"
#include "compiler/compiler.h"
#include "files/game_files.h"
#include "files/scopes.h"
#include "files/script_error.h"
#include "files/tokenizer.h"
#include "game/function_files.h"
#include "game/game_loading.h"
#include "script/global_contexts.h"

namespace tolv {

constexpr uint8_t kScriptFunctionAlias = 9;

// Names and paths are read first, so the alias table is sorted once and
// every function may name any other.
static void LoadFuncsDef(FileStream& s) {
  SetCodeScope(script_functions, kScopeGame, ReadNumberToken(s), "game function");
  uint32_t n = script_functions.total;
  std::vector<std::string> paths(n);
  for (uint32_t k = 0; k < n; k++) {
    ReadScriptLine(s, text_buffer);
    if (game_unpacked) AddName(global_aliases, text_buffer, int32_t(k), kScriptFunctionAlias);
    ReadToken(s, text_buffer);
    paths[k] = text_buffer;
  }
  if (game_unpacked) SortNameTable(global_aliases);
  SyncCompileScopes();
  for (uint32_t k = 0; k < n; k++) {
    ScopedStream f;
    if (!OpenStream(paths[k].c_str(), f)) ScriptErrorFormat("%s not found", paths[k].c_str());
    script_functions.functions[k] = CompileFunctionBody(f);
    TouchLanes();
  }
}

void LoadGameFunctions(FileStream& game_def) {
  ScopedStream funcs;
  if (OpenStream("game/funcs.def", funcs)) return LoadFuncsDef(funcs);
  uint32_t first = SetCodeScope(script_functions, kScopeGame, ReadNumberToken(game_def), "game function");
  LoadFunctionFiles(game_def, script_functions, first, "/", {"Game", "Game"});
}

}  // namespace tolv
