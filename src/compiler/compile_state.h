// State of the function being compiled: the stream chain with its
// includes, and the instructions built so far.
#pragma once
#include <cstdint>
#include <vector>

#include "compiler/lexer_link.h"

namespace tolv {

constexpr int kMaxIncludeDepth = 5;

// Instructions of the function being compiled. Each has its own run of
// words in `words`; one that grows after later ones exist (a Switch taking
// a Case) moves to the end of the pool. Word pointers are valid until the
// next allocation.
struct CodeBuffer {
  std::vector<uint32_t> words;
  std::vector<uint32_t> start;
  std::vector<uint32_t> length;
};

struct CompileState {
  FileStream* stream = nullptr;  // the file being read (an include or the base)
  FileStream* include_stack[kMaxIncludeDepth] = {};
  int include_depth = 0;
  uint32_t count = 0;    // instructions before the end instruction
  uint32_t current = 0;  // index of the instruction being compiled
  bool counted = false;  // counted form (':' lines only)
  CodeBuffer code;
};

extern CompileState compiler;

// Creates instruction `index` with `length` zero words.
uint32_t* NewInstruction(uint32_t index, uint32_t length);
uint32_t* InstructionWords(uint32_t index);
uint32_t InstructionWordCount(uint32_t index);
// Grows instruction `index` to `length` words (new words 0).
uint32_t* GrowInstruction(uint32_t index, uint32_t length);
// Word k of instruction `index` (patching).
uint32_t& InstructionWord(uint32_t index, uint32_t k);

// ".Include path": pushes the file being read and makes `path` current.
void OpenInclude(const char* path);
// End of an included file: closes it and returns to the file that
// included it.
void CloseInclude();
void CloseAllIncludes();

// Next operand token of a command line (closing includes that end).
char* NextOperand();

}  // namespace tolv
