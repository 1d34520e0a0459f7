// Def re-writer fuzzing: any text is re-written or ends in a fatal error,
// and what is written compiles or fails cleanly in turn.
#include "compile_harness.h"
#include "game/def_rewriter.h"

using namespace tolv;

static void SetUpOnce() {
  fuzz::SetUpScratchGame();
  AddName(global_aliases, "Main", 4, kFunctionAliasKind);
  SortNameTable(global_aliases);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool ready = (SetUpOnce(), true);
  (void)ready;
  if (size > (1u << 16)) return 0;
  FileStream s;
  fuzz::FillStream(s, data, size);
  packed_text.clear();
  bool written = false;
  try {
    RewriteDefText(s);
    written = true;
  } catch (const fuzz::Fatal&) {
  }
  fuzz::ResetAfterCompile();
  if (written) {
    FileStream p;
    fuzz::FillStream(p, reinterpret_cast<const uint8_t*>(packed_text.data()), packed_text.size());
    fuzz::CompileAll(p, 8, [](ScriptFunction fn) { FreeScriptFunction(fn); });
  }
  return 0;
}
