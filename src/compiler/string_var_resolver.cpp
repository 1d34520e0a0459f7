#include "compiler/string_var_resolver.h"

#include <cstring>

#include "compiler/alias_tables.h"
#include "compiler/operand_coding.h"

namespace tolv {

int ResolveStringVarWithAliases(char* name, uint32_t* index) {
  int alias_kind = 0;
  if (char* us = std::strchr(name, '_')) {
    // After a prefix the alias gives the plain number ("R_lives"); alone it
    // gives the cell itself, offset included ("_lives").
    int at = static_cast<int>(us - name);
    int kind = SubstituteAlias(name, at, at ? kAliasKind : kAliasWithOffset, 256);
    if (kind > 0 && kind != kKindNone) alias_kind = kind;
  }
  uint32_t word = 0;
  uint8_t parsed = ParseOperand(&word, name, kKindNone);
  *index = word & 0x3FFFFFFF;
  return alias_kind ? alias_kind : parsed;
}

}  // namespace tolv
