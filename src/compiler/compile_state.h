// State of the function being compiled: the stream chain with its
// includes, and the instructions built so far.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "compiler/lexer_link.h"

namespace tolv {

constexpr int kMaxIncludeDepth = 5;

// Instructions of the function being compiled. Each has its own run of
// `capacity` words in `words`, of which `length` are used; one that grows
// beyond its run (a Switch taking Cases) moves to the end of the pool. Word
// pointers are valid until the next allocation.
struct CodeBuffer {
  std::vector<uint32_t> words;
  std::vector<uint32_t> start;
  std::vector<uint32_t> length;
  std::vector<uint32_t> capacity;
};

// Tokens of a text-form function as the pre-pass read them (includes
// expanded, directives taken), so the function is lexed once. `file` names
// the stream a token came from, for error reports.
struct CachedToken {
  int type;
  uint32_t line;
  uint32_t text;  // offset in CompileState::token_text
  uint16_t file;
};

struct CompileState {
  FileStream* stream = nullptr;  // the file being read (an include or the base)
  FileStream* include_stack[kMaxIncludeDepth] = {};
  uint16_t include_files[kMaxIncludeDepth] = {};
  int include_depth = 0;
  uint32_t count = 0;    // instructions before the end instruction
  uint32_t current = 0;  // index of the instruction being compiled
  bool counted = false;  // counted form (':' lines only)
  CodeBuffer code;
  std::vector<CachedToken> tokens;
  std::vector<char> token_text;
  size_t next_token = 0;
  // Stand-ins naming each file read (0 the base), for error reports after
  // the includes are closed.
  std::vector<std::unique_ptr<FileStream>> files;
  uint16_t file = 0;  // entry of `files` the stream being read is
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

// Appends the token in text_buffer, read from the current file, to the cache.
void CacheToken(int type);
// The next line of the function being compiled into text_buffer, with alias
// substitution: its line type. `operand`: only a ':' line may come.
int NextLine(bool operand);
// The next cached line of a text-form function into text_buffer as
// written (no alias substitution): its line type, 0 after the end line.
int NextLineAsWritten();
// Next operand token of a command line.
char* NextOperand();

}  // namespace tolv
