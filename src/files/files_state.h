// What the file layer keeps open between calls.
#pragma once

namespace tolv {

// Closes every open game file; no stream is the lexer's any more (what a
// fatal error may leave behind).
void CloseGameFiles();

}  // namespace tolv
