// Scripts' own file access: one read handle (the game file layer's current
// file, so archive members read like loose files) and one write handle on a
// platform file inside the game folder.
#pragma once
#include <cstdint>
#include <cstdio>

namespace tolv {

extern uint8_t script_write_state;  // 0 closed, 1 opened for writing, 2 for update
extern FILE* script_file;
extern uint8_t script_read_open;

// Closes both handles (a game being left, tests).
void CloseScriptFiles();

}  // namespace tolv
