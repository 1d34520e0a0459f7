#include "compiler/compiler_state.h"

#include "compiler/alias_tables.h"
#include "compiler/compile_state.h"
#include "files/tokenizer.h"

namespace tolv {

void ResetCompiler() {
  CloseAllIncludes();
  include_reading = 0;
  ClearNameTable(local_aliases);
  ClearNameTable(labels);
  prepass_active = 0;
}

void UnloadCompiler() { ClearNameTable(global_aliases); }

}  // namespace tolv
