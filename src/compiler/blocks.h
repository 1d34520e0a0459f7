// Structured flow: If/Else/EndIf, Do loops and Switch blocks, compiled into
// jumps whose targets are patched when the closing line is reached. Each
// call compiles compiler.current.
#pragma once
#include <cstdint>

namespace tolv {

void ResetBlocks();
// Fatal when a block of the function is still open.
void CheckBlocksClosed();

// A 4-word If (or IfFlag) instruction with its target left 0; returns its
// words for the caller to fill.
uint32_t* OpenIf();
void CompileElse();
void CompileEndIf();
void CompileDo();
void CompileBreakDo();
void CompileForever();
// A 4-word While instruction whose target is the innermost Do; the caller
// fills ID and operands, then calls CloseLoop.
uint32_t* OpenWhile();
void CloseLoop();

void CompileSwitch(uint32_t id);
void CompileCase();
void CompileBreakCase();
void CompileDefaultCase();
void CompileEndSwitch();

}  // namespace tolv
