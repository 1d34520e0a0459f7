// Instruction storage and include handling of the function being compiled.
#include "compiler/compile_state.h"

#include <cstring>

#include "compiler/alias_tables.h"
#include "compiler/operand_coding.h"

namespace tolv {

CompileState compiler;

uint32_t* NewInstruction(uint32_t index, uint32_t length) {
  CodeBuffer& c = compiler.code;
  if (c.start.size() <= index) {
    c.start.resize(index + 1, 0);
    c.length.resize(index + 1, 0);
    c.capacity.resize(index + 1, 0);
  }
  c.start[index] = uint32_t(c.words.size());
  c.length[index] = c.capacity[index] = length;
  c.words.resize(c.words.size() + length, 0);
  return c.words.data() + c.start[index];
}

uint32_t* InstructionWords(uint32_t index) {
  return compiler.code.words.data() + compiler.code.start[index];
}

uint32_t InstructionWordCount(uint32_t index) { return compiler.code.length[index]; }

// An instruction that outgrows its room moves to the end of the pool with
// twice the room, so a Switch taking one Case after another moves rarely.
uint32_t* GrowInstruction(uint32_t index, uint32_t length) {
  CodeBuffer& c = compiler.code;
  if (length <= c.length[index]) return InstructionWords(index);
  if (length > c.capacity[index]) {
    uint32_t room = length > 2 * c.capacity[index] ? length : 2 * c.capacity[index];
    uint32_t from = c.start[index];
    c.start[index] = uint32_t(c.words.size());
    c.words.resize(c.words.size() + room, 0);
    std::memmove(c.words.data() + c.start[index], c.words.data() + from, c.length[index] * sizeof(uint32_t));
    c.capacity[index] = room;
  }
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
    ScriptErrorFormat("Couldn't open include file:\n\"%s\"", path);
  }
  s->line_mode = 1;
  c.include_files[c.include_depth] = c.file;
  c.include_stack[c.include_depth++] = c.stream;
  c.stream = s;
  include_reading = 1;
  auto shadow = std::make_unique<FileStream>();
  shadow->name = s->name;
  shadow->folder = s->folder;
  c.files.push_back(std::move(shadow));
  c.file = uint16_t(c.files.size() - 1);
}

void CloseInclude() {
  CompileState& c = compiler;
  if (!c.include_depth) return;
  CloseStream(*c.stream);
  delete c.stream;
  c.stream = c.include_stack[--c.include_depth];
  current_stream = c.stream;
  c.file = c.include_files[c.include_depth];
  if (!c.include_depth) include_reading = 0;
}

void CloseAllIncludes() {
  while (compiler.include_depth) CloseInclude();
}

void CacheToken(int type) {
  CompileState& c = compiler;
  size_t n = std::strlen(text_buffer) + 1;
  c.tokens.push_back({type, c.stream->line, uint32_t(c.token_text.size()), c.file});
  c.token_text.insert(c.token_text.end(), text_buffer, text_buffer + n);
}

// The alias substitution of ReadToken, for cached tokens.
static void Substitute(int type) {
  last_alias_kind = kKindNone;
  if (!game_unpacked) return;
  if (type == '#' && text_buffer[0] == '_') {
    SubstituteAlias(text_buffer, 0, kAliasRaw, sizeof text_buffer);
  } else if (type == ':' && text_buffer[0] && text_buffer[0] != '@') {
    if (char* u = std::strchr(text_buffer, '_'))
      last_alias_kind = uint8_t(SubstituteAlias(text_buffer, int(u - text_buffer), kAliasWithOffset, sizeof text_buffer));
  }
}

static const char* LineTypeName(int type) {
  switch (type) {
    case '#': return "Command ID";
    case '~': return "Expression";
    case '@': return "Label";
    default: return "Directive";
  }
}

int NextLine(bool operand) {
  CompileState& c = compiler;
  if (c.counted) {
    uint8_t mode = c.stream->line_mode;
    if (operand) c.stream->line_mode = 2;
    int type = ReadToken(*c.stream, text_buffer);
    c.stream->line_mode = mode;
    return type;
  }
  if (c.next_token >= c.tokens.size()) ScriptError("File ended unexpectedly");
  const int type = NextLineAsWritten();
  if (operand && type != ':')
    ScriptErrorFormat("Expected paramater type ':' but found %s type '%c'", LineTypeName(type), type);
  Substitute(type);
  return type;
}

int NextLineAsWritten() {
  CompileState& c = compiler;
  if (c.next_token >= c.tokens.size()) return 0;
  const CachedToken& t = c.tokens[c.next_token++];
  FileStream* from = t.file ? c.files[t.file].get() : c.stream;
  from->line = t.line;
  current_stream = from;
  std::strcpy(text_buffer, &c.token_text[t.text]);
  return t.type;
}

char* NextOperand() {
  NextLine(true);
  return text_buffer;
}

}  // namespace tolv
