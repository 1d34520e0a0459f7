#include "game/pointer_defs.h"

#include <cctype>
#include <cstring>

#include "compiler/alias_tables.h"
#include "files/def_files.h"
#include "files/tokenizer.h"

namespace tolv {

std::vector<uint32_t> pointer_defs[4];
bool pointer_defs_loaded = false;

static const uint32_t kListBase[4] = {256, 256, 39, 39};

// A global alias by its raw value, or a number; a packed game has its
// aliases written as the operand letter and the number ("U5").
static uint32_t EntryValue(char* token) {
  if (char* alias = std::strchr(token, '_')) {
    int32_t value = 0;
    LookupAlias(alias, global_aliases, kAliasRaw, &value);
    return static_cast<uint32_t>(value);
  }
  char* p = token;
  while (*p == ' ' || *p == '\t') p++;
  if (std::isalpha(static_cast<unsigned char>(*p))) *p = ' ';
  return static_cast<uint32_t>(ParseNumber(token));
}

void LoadPointerDefs() {
  if (pointer_defs_loaded) return;
  FreePointerDefs();
  pointer_defs_loaded = true;
  ScopedStream s;
  if (!OpenStream("/ptrs.def", s)) return;
  for (int list = 0; list < 4; list++) {
    int32_t n = ReadNumberToken(s);
    for (int32_t i = 0; i < n; i++) {
      ReadScriptLine(s, text_buffer);
      pointer_defs[list].push_back(EntryValue(text_buffer) + kListBase[list]);
    }
  }
}

void FreePointerDefs() {
  for (std::vector<uint32_t>& list : pointer_defs) list = {};
  pointer_defs_loaded = false;
}

}  // namespace tolv
