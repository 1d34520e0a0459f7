// Shared by the compiler fuzz targets: a scratch game folder holding a few
// include files and an alias or two, and compiling fuzzed text from memory
// with every fatal error caught and the compiler's state put back.
#pragma once
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "compiler/alias_tables.h"
#include "compiler/compile_scopes.h"
#include "compiler/compile_state.h"
#include "compiler/compiler.h"
#include "compiler/compiler_state.h"
#include "compiler/operand_coding.h"
#include "files/files_state.h"
#include "files/working_folder.h"
#include "game/command_lists.h"
#include "script/global_contexts.h"
#include "script/records.h"

namespace tolv::fuzz {

struct Fatal {};
[[noreturn]] inline void ThrowFatal(const char*, const char*) { throw Fatal{}; }

inline void WriteScratch(const char* name, const char* text) {
  FILE* f = std::fopen(name, "wb");
  if (!f) std::abort();
  std::fputs(text, f);
  std::fclose(f);
}

inline char scratch_folder[64] = "/tmp/tolv_fuzz_XXXXXX";
inline char process_folder[4096];

inline void RemoveScratch() {
  char cmd[128];
  std::snprintf(cmd, sizeof cmd, "rm -rf %s", scratch_folder);
  if (std::system(cmd) != 0) std::fprintf(stderr, "could not remove %s\n", scratch_folder);
}

// The folder and its files: a plain include, one that includes it, one that
// includes itself (depth limit) and one that is not a function's text.
inline void SetUpScratchGame() {
  if (!mkdtemp(scratch_folder)) std::abort();
  std::atexit(RemoveScratch);
  base_folder = game_folder = scratch_folder;
  // The file layer opens against its own folder string; the process stays
  // where libFuzzer finds its corpus.
  if (!getcwd(process_folder, sizeof process_folder) || ChangeWorkingFolder(scratch_folder) != 1) std::abort();
  WriteScratch("a.def", "~Eval R0 += 1\n.Alias Inc 4\n#12 :r_Inc :_Ten\n@inc\n~If R0 > 3\n~Eval R1 = R0\n~EndIf\n");
  WriteScratch("b.def", ".Include a.def\n#12 :R2 :3\n");
  WriteScratch("self.def", ".Include self.def\n");
  WriteScratch("junk.def", "# End\n:3\n~Else\n");
  if (chdir(process_folder) != 0) std::abort();
  RegisterEngineCommands();  // the compiler sees every command's length
  script_error_hook = ThrowFatal;
  resolve_alias = ResolveAliasForLexer;  // as InitEngine installs it
  game_unpacked = 1;
  character_register_count = 20;
  compile_scopes = CompileScopes();
  compile_scopes.tables = {4, 2};
  compile_scopes.strings = {4, 2};
  compile_scopes.sounds = {3, 1};
  compile_scopes.music = {3, 1};
  const struct { const char* name; int32_t value; uint8_t kind; } aliases[] = {
      {"Speed", 5, kKindUserReg}, {"Hp", 3, kKindUserObject}, {"Ten", 10, kKindConst},
      {"Score", 2, kKindUserPlayerVar}, {"Lives", 1, kKindUserChar}, {"Pos", 1, kKindObjectRaw}};
  for (const auto& a : aliases) AddName(global_aliases, a.name, a.value, a.kind);
  SortNameTable(global_aliases);
}

// What a fatal error may leave behind: open includes, local names, files.
inline void ResetAfterCompile() {
  ResetCompiler();
  CloseGameFiles();
  // A loader a script started may have left the file layer elsewhere.
  if (WorkingFolder() != scratch_folder && ChangeWorkingFolder(scratch_folder) != 1) std::abort();
  if (chdir(process_folder) != 0) std::abort();
}

// Compiles functions one after another from `s` until its end, a fatal
// error or `max` of them; each is handed to `take` (which owns it).
template <typename Take>
inline int CompileAll(FileStream& s, int max, Take take) {
  int n = 0;
  try {
    while (n < max && !IsStreamEnd(s)) {
      uint32_t at = TellStream(s);
      take(CompileFunctionBody(s));
      n++;
      if (TellStream(s) == at) break;
    }
  } catch (const Fatal&) {
  }
  ResetAfterCompile();
  return n;
}

inline void FillStream(FileStream& s, const uint8_t* data, size_t size) {
  CreateByteBuffer(s, static_cast<uint32_t>(size));
  if (size) std::memcpy(s.buffer.data(), data, size);
}

}  // namespace tolv::fuzz
