// Keyword lines re-written for a packed game: one instruction line, the
// command ID chosen at pack time and the operands in instruction order.
#pragma once
#include <string>

namespace tolv {

// The text of a '~' line (or a '#' line naming a keyword) as
// "ID:operand:operand..."; block keywords give their ID alone.
std::string RewriteKeyword(const char* line);

// Resolves the alias in an operand text (from its '_' on) and writes the
// value back in prefixed form; text has kTokenSize bytes.
void ResolveOperandText(char* text);

}  // namespace tolv
