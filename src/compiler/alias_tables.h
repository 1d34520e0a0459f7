// Name tables: the global aliases from the alias files, the local aliases
// of the function being compiled and its labels.
#pragma once
#include <cstdint>

namespace tolv {

struct AliasTable {
  uint32_t count = 0;
  uint32_t capacity = 0;
  int32_t* values = nullptr;  // labels: instruction indexes
  char** names = nullptr;     // heap strings
  uint8_t* kinds = nullptr;   // AliasKind; labels carry kKindNone
};

extern AliasTable global_aliases;
extern AliasTable local_aliases;
extern AliasTable labels;
extern uint8_t next_auto_alias;  // 200 at the start of every function
extern uint8_t prepass_active;   // 1 while the pre-pass runs

void AddName(AliasTable& t, const char* name, int32_t value, uint8_t kind);
void ClearNameTable(AliasTable& t);
// Sorts by name (byte order); of equal names the last added is kept.
void SortNameTable(AliasTable& t);
// Index of `name` in a sorted table, or -1; an empty name is never found.
int FindName(const AliasTable& t, const char* name);

enum AliasMode { kAliasRaw = 0, kAliasWithOffset = 1, kAliasKind = 2 };

// Resolves `name` (its first character, the '_' or '@', is not part of the
// name). The global table is searched after the local one outside the
// pre-pass. Mode 1 gives value + the kind's offset, modes 0 and 2 the value;
// returns the kind (mode 0: -1). A name missing from the local table gives
// -1 and leaves *value alone; missing elsewhere is fatal.
int LookupAlias(const char* name, const AliasTable& table, int mode, int32_t* value);

// Replaces the text of `token` from its '_' (at `at`) on by the alias's
// decimal value. Returns the alias kind.
int SubstituteAlias(char* token, int at, int mode, int size);
// The lexer's `resolve_alias`: `name` becomes the decimal value.
int ResolveAliasForLexer(char* name, int mode);

// Reads the alias list file (the game's "alias.def") and every alias file
// it names into global_aliases.
void LoadAliasFiles(const char* path);
void LoadAliasFile(const char* path, uint8_t kind);

}  // namespace tolv
