// Names of variables written between '!' in script strings, resolved the
// way the compiler reads operands (prefixes and global aliases).
#pragma once
#include <cstdint>

namespace tolv {

// Fills *index and returns the operand kind (see ExpandStringVars); a name
// with '_' is resolved through the global aliases.
int ResolveStringVarWithAliases(char* name, uint32_t* index);

}  // namespace tolv
