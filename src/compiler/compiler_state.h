// What the compiler keeps between functions: the include stack, the names
// of the function being compiled and the game's global aliases.
#pragma once

namespace tolv {

// Back to no function being compiled: includes closed, local aliases and
// labels gone, no pre-pass (what a fatal error may leave behind).
void ResetCompiler();
// The game's global aliases go with the game.
void UnloadCompiler();

}  // namespace tolv
