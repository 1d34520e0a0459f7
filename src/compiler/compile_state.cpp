// Instruction storage and include handling of the function being compiled.
#include "compiler/compile_state.h"

#include <cstring>

#include "compiler/compile_error.h"

namespace tolv {

CompileState compiler;

uint32_t* NewInstruction(uint32_t index, uint32_t length) {
  CodeBuffer& c = compiler.code;
  if (c.start.size() <= index) {
    c.start.resize(index + 1, 0);
    c.length.resize(index + 1, 0);
  }
  c.start[index] = uint32_t(c.words.size());
  c.length[index] = length;
  c.words.resize(c.words.size() + length, 0);
  return c.words.data() + c.start[index];
}

uint32_t* InstructionWords(uint32_t index) {
  return compiler.code.words.data() + compiler.code.start[index];
}

uint32_t InstructionWordCount(uint32_t index) { return compiler.code.length[index]; }

uint32_t* GrowInstruction(uint32_t index, uint32_t length) {
  CodeBuffer& c = compiler.code;
  uint32_t old = c.length[index];
  if (length <= old) return InstructionWords(index);
  if (c.start[index] + old != c.words.size()) {
    uint32_t from = c.start[index];
    c.start[index] = uint32_t(c.words.size());
    c.words.resize(c.words.size() + old);
    std::memmove(c.words.data() + c.start[index], c.words.data() + from, old * sizeof(uint32_t));
  }
  c.words.resize(c.start[index] + length, 0);
  c.length[index] = length;
  return InstructionWords(index);
}

uint32_t& InstructionWord(uint32_t index, uint32_t k) {
  static uint32_t spare;
  if (index >= compiler.code.start.size() || k >= compiler.code.length[index]) return spare;
  return InstructionWords(index)[k];
}

void OpenInclude(const char* path) {
  CompileState& c = compiler;
  if (c.include_depth >= kMaxIncludeDepth) ScriptError(".Include Directive only supports nesting 5 files deep");
  FileStream* s = new FileStream();
  if (!OpenStream(path, *s)) {
    delete s;
    CompileError("Couldn't open include file:\n\"%s\"", path);
  }
  s->line_mode = 1;
  c.include_stack[c.include_depth++] = c.stream;
  c.stream = s;
  include_reading = 1;
}

void CloseInclude() {
  CompileState& c = compiler;
  if (!c.include_depth) return;
  CloseStream(*c.stream);
  delete c.stream;
  c.stream = c.include_stack[--c.include_depth];
  current_stream = c.stream;
  if (!c.include_depth) include_reading = 0;
}

void CloseAllIncludes() {
  while (compiler.include_depth) CloseInclude();
}

char* NextOperand() {
  while (ReadToken(*compiler.stream, text_buffer) == -1) {
    uint8_t mode = compiler.stream->line_mode;
    CloseInclude();
    compiler.stream->line_mode = mode;
  }
  return text_buffer;
}

}  // namespace tolv
