// Expansion of variable names written between '!' in script strings.
#pragma once
#include <cstdint>

namespace tolv {

constexpr uint32_t kExpandLineSize = 256;

// Resolves a variable name (the text between the '!'; it may be rewritten)
// to its operand kind and index: kinds 1 and 2 registers, 3 to 6 cells of
// the current player's block, 7 and 8 variables of the running object; any
// other kind fails the expansion. The compiler installs its operand parser
// with the global alias lookup here.
using StringVarResolver = int (*)(char* name, uint32_t* index);
extern StringVarResolver resolve_string_var;

// Stand-in resolver: the operand prefixes with a decimal number, no aliases.
int ResolvePrefixedVar(char* name, uint32_t* index);

// Expands source into dest (kExpandLineSize bytes, always terminated; the
// text is cut at 255 bytes). On failure the reasons are in the message log.
bool ExpandStringVars(const char* source, char* dest);

}  // namespace tolv
