#include "files/scopes.h"

#include "files/script_error.h"

namespace tolv {

const char* const scope_words[3] = {"Game", "Zone", "Act"};

void CheckScopeSize(uint32_t first, int64_t n, const char* what) {
  if (n < 0 || first + n > kMaxScopedEntries)
    ScriptErrorFormat("Invalid %s count %lld\nAt most %u may be loaded", what, static_cast<long long>(n),
                      kMaxScopedEntries);
}

}  // namespace tolv
