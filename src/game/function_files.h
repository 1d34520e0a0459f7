// Function files: a count token, then that many script functions. Every
// loader that fills a code set scope from a list of such files uses these.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "files/def_files.h"
#include "script/machine.h"

namespace tolv {

// Makes the scope n functions long (inner scopes empty) with empty slots;
// returns its first index.
uint32_t SetCodeScope(CodeSet& set, int scope, int64_t n, const char* what);

// Words of the count messages: "%d <what> Functions allocated by <by> Def".
struct FunctionCountWords {
  const char* what;
  const char* by;
};

// Reads the file count M and M function file paths from `list` and
// compiles their functions into set slots first.. up to the set's total,
// each path resolved from `folder` (made current again after each file).
void LoadFunctionFiles(FileStream& list, CodeSet& set, uint32_t first, const std::string& folder,
                       const FunctionCountWords& words);
// The same for a list of paths already read.
void LoadFunctionFileList(const std::vector<std::string>& paths, CodeSet& set, uint32_t first,
                          const std::string& folder, const FunctionCountWords& words);

// A count token then that many functions from an open stream, into slots
// from `first`; fatal when they would pass `end`.
uint32_t CompileFunctionList(FileStream& s, CodeSet& set, uint32_t first, uint32_t end, int32_t allocated,
                             const FunctionCountWords& words);

// Copies the game and zone counts of every scoped list into the
// compiler's view; loaders call it before compiling.
void SyncCompileScopes();

}  // namespace tolv
