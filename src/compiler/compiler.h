// The script compiler: turns the source of one script function into the
// instructions the script machine runs.
#pragma once
#include "compiler/lexer_link.h"
#include "script/machine.h"

namespace tolv {

// Compiles the function whose first line is at the stream's position.
// Text form: '#', '~', '@' and '.' lines up to "# End"; counted form: a ':'
// count and that many ':' instructions. The end instruction
// (kCmdEndFunction) is appended. On return the stream stands after the function.
ScriptFunction CompileFunctionBody(FileStream& stream);

}  // namespace tolv
