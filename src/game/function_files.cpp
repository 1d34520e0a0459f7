#include "game/function_files.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "audio/sound_lists.h"
#include "compiler/compile_scopes.h"
#include "compiler/compiler.h"
#include "files/game_files.h"
#include "files/scopes.h"
#include "files/script_error.h"
#include "files/tokenizer.h"
#include "files/working_folder.h"
#include "game/data_tables.h"
#include "objects/object_pool.h"
#include "objects/object_type.h"
#include "objects/stat_obj_hooks.h"
#include "script/string_slots.h"

namespace tolv {

uint32_t SetCodeScope(CodeSet& set, int scope, int64_t n, const char* what) {
  uint32_t first = SetScopeCount(set, scope, n, what);
  if (set.total > set.capacity) {
    auto* f = static_cast<ScriptFunction*>(std::realloc(set.functions, set.total * sizeof(ScriptFunction)));
    if (!f) throw std::bad_alloc();
    set.functions = f;
    set.capacity = set.total;
  }
  for (uint32_t i = first; i < set.total; i++) set.functions[i] = ScriptFunction{};
  TouchLanes();
  return first;
}

template <class L>
static ScopeSizes Sizes(const L& l) {
  return {l.game, l.zone};
}

void SyncCompileScopes() {
  CompileScopes& c = compile_scopes;
  c.tables = Sizes(script_table_counts);
  c.strings = {game_string_count, zone_string_count};
  c.music = Sizes(music_counts);
  c.sounds = Sizes(sound_counts);
  c.stat_obj_defs = Sizes(stat_obj_def_counts);
  c.movement_functions = Sizes(object_code_sets[kMovementCode]);
  c.animation_functions = Sizes(object_code_sets[kAnimationCode]);
  c.object_types = Sizes(object_type_counts);
}

uint32_t CompileFunctionList(FileStream& s, CodeSet& set, uint32_t first, uint32_t end, int32_t allocated,
                             const FunctionCountWords& words) {
  int32_t c = ReadNumberToken(s);
  int64_t last = int64_t(first) + c;
  if (c < 0 || last > end)
    ScriptErrorFormat("%d %s Functions allocated by %s Def\nCurrent file attempts to load a total of %lld",
                      allocated, words.what, words.by, static_cast<long long>(last - (end - allocated)));
  SyncCompileScopes();
  for (uint32_t k = first; k < last; k++) {
    set.functions[k] = CompileFunctionBody(s);
    TouchLanes();
  }
  return uint32_t(last);
}

void LoadFunctionFileList(const std::vector<std::string>& paths, CodeSet& set, uint32_t first,
                          const std::string& folder, const FunctionCountWords& words) {
  int32_t allocated = int32_t(set.total - first);
  uint32_t next = first;
  for (const std::string& path : paths) {
    ScopedStream s;
    if (!OpenFromOwnFolder(path.c_str(), s)) ScriptErrorFormat("%s not found", path.c_str());
    next = CompileFunctionList(s, set, next, set.total, allocated, words);
    CloseStream(s);
    ChangeGameFolder(folder.c_str());
  }
  if (next < set.total)
    ScriptErrorFormat("%d %s Functions allocated by %s Def\nOnly %d were defined and loaded", allocated, words.what,
                      words.by, int(next - first));
}

void LoadFunctionFiles(FileStream& list, CodeSet& set, uint32_t first, const std::string& folder,
                       const FunctionCountWords& words) {
  int32_t m = ReadNumberToken(list);
  if (m < 0 || m > 65535) ScriptErrorFormat("Invalid function file count %d", m);
  std::vector<std::string> paths(static_cast<size_t>(m));
  for (std::string& p : paths) {
    ReadToken(list, text_buffer);
    p = text_buffer;
  }
  LoadFunctionFileList(paths, set, first, folder, words);
}

}  // namespace tolv
