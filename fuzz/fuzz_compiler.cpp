// Script compiler fuzzing: any text compiles to instructions or ends in a
// fatal error, and what compiles is well formed.
#include "compile_harness.h"

using namespace tolv;

static void Check(const ScriptFunction& fn) {
  if (!fn.count || fn.offsets[0] != 0) __builtin_trap();
  for (uint16_t i = 0; i < fn.count; i++) {
    if (fn.offsets[i + 1] <= fn.offsets[i]) __builtin_trap();
  }
  if (fn.words[fn.offsets[fn.count - 1]] != 346) __builtin_trap();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool ready = (fuzz::SetUpScratchGame(), true);
  (void)ready;
  if (size > (1u << 16)) return 0;
  FileStream s;
  fuzz::FillStream(s, data, size);
  fuzz::CompileAll(s, 8, [](ScriptFunction fn) {
    Check(fn);
    FreeScriptFunction(fn);
  });
  return 0;
}
