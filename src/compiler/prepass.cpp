// Pre-pass: instruction count, labels and local aliases of one function,
// read once; the compiler then takes the function's tokens from the cache.
#include "compiler/prepass.h"

#include <cstdio>
#include <cstring>
#include <strings.h>

#include "compiler/alias_tables.h"
#include "compiler/compile_state.h"
#include "compiler/operand_coding.h"

namespace tolv {

bool IsEndLine(const char* text) { return strcasecmp(text, "end") == 0; }

static bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int DirectiveWord(const char* text, char* word, int size) {
  int i = 0, n = 0;
  while (text[i] && !IsBlank(text[i])) {
    if (n < size - 1) word[n++] = text[i];
    i++;
  }
  word[n] = 0;
  while (IsBlank(text[i])) i++;
  return i;
}

// Splits the next blank-separated word off text[*pos]; false at the end.
static bool SplitWord(const char* text, int* pos, char* word) {
  int p = *pos;
  while (IsBlank(text[p])) p++;
  if (!text[p]) return false;
  p += DirectiveWord(text + p, word, 256);
  *pos = p;
  return true;
}

static uint8_t TypeLetterKind(char c) {
  switch (c) {
    case 'C': case 'c': return kKindConst;
    case 'O': case 'o': return kKindObjectRaw;
    case 'P': case 'p': return kKindCharRaw;
    case 'R': case 'r': return kKindReservedReg;
    default: return kKindNone;
  }
}

static uint8_t PrefixKind(char c) {
  switch (c) {
    case 'R': case 'u': case 'U': return kKindUserReg;
    case 'r': return kKindReservedReg;
    case 'C': return kKindCharRaw;
    case 'c': return kKindUserChar;
    case 'A': return kKindPlayerVar;
    case 'a': return kKindUserPlayerVar;
    case 'e': case 'E': return kKindUserObject;
    default: return kKindConst;
  }
}

void DefineAlias(const char* directive) {
  char name[256], word[256];
  int pos = 0;
  SplitWord(directive, &pos, word);  // "Alias"
  if (!SplitWord(directive, &pos, name))
    ScriptError("Alias Directive must be provided with a name. Only type and value parameters are optional.");
  uint8_t type = kKindNone;
  bool has_value = SplitWord(directive, &pos, word);
  if (has_value && word[1] == 0 && TypeLetterKind(word[0]) != kKindNone) {
    type = TypeLetterKind(word[0]);
    has_value = SplitWord(directive, &pos, word);
  }
  int32_t value;
  uint8_t kind = type;
  if (!has_value) {
    if (type != kKindNone)
      ScriptError(
          "A variable type was given, but a variable ID was not. To use automatically-assigned Game "
          "Register IDs, please list only the desired Alias name without a variable type identifier. "
          "Other types can not be automatically assigned");
    if (next_auto_alias > 231)
      ScriptError("Attempted to define more than 32 auto-assigned Local Aliases in a single Function");
    value = next_auto_alias++;
    kind = kKindReservedReg;
  } else {
    char* underscore = std::strchr(word, '_');
    if (underscore) {
      int k = SubstituteAlias(word, int(underscore - word), kAliasKind, sizeof word);
      if (kind == kKindNone) kind = uint8_t(k);
    }
    if (kind == kKindNone) kind = PrefixKind(word[0]);
    bool prefixed = (word[0] >= 'A' && word[0] <= 'Z') || (word[0] >= 'a' && word[0] <= 'z');
    value = prefixed ? NumberAfter(word, 1) : ParseNumber(word);
    if (SplitWord(directive, &pos, word))
      ScriptError(
          "There was extra data at the end of the Alias directive. If the data was meant to be a "
          "variable type specifier, please list it before the variable ID, and not after.");
  }
  AddName(local_aliases, name, value, kind);
}

// A '.' line in either pass: Alias, Include and Count are the directives.
static void Directive() {
  char word[256];
  int arg = DirectiveWord(text_buffer, word, sizeof word);
  if (std::strcmp(word, "Alias") == 0) {
    DefineAlias(text_buffer);
  } else if (std::strcmp(word, "Include") == 0) {
    char path[256];
    std::snprintf(path, sizeof path, "%s", text_buffer + arg);
    OpenInclude(path);
  } else if (std::strcmp(word, "Count") != 0) {
    ScriptErrorFormat("Unknown directive:\n\"%s\"", word);
  }
}

// One pass over the function's lines from the token in text_buffer to its
// end line: counts instructions, collects labels and local aliases, expands
// includes and keeps every other token for the compiler. Returns the
// instruction count.
static uint32_t Pass(int type) {
  uint32_t n = 0;
  for (;; type = ReadScriptLine(*compiler.stream, text_buffer)) {
    switch (type) {
      case '#':
        CacheToken(type);
        if (IsEndLine(text_buffer)) {
          CloseAllIncludes();
          return n;
        }
        n++;
        break;
      case '~':
        CacheToken(type);
        n++;
        break;
      case '@': AddName(labels, text_buffer, int32_t(n), kKindNone); break;
      case '.': Directive(); break;
      case ':': CacheToken(type); break;
      case -1: CloseInclude(); break;
      default: ScriptErrorFormat("Encountered unknown type '%c' during Function parsing", type);
    }
  }
}

uint32_t PrepassFunction() {
  CompileState& c = compiler;
  FileStream* s = c.stream;
  s->line_mode = 1;
  int type = ReadToken(*s, text_buffer);
  next_auto_alias = 200;
  ClearNameTable(local_aliases);
  ClearNameTable(labels);
  c.tokens.clear();
  c.token_text.clear();
  c.next_token = 0;
  c.files.resize(1);
  c.file = 0;
  if (type == ':') {
    s->line_mode = 0;
    int32_t n = ParseNumber(text_buffer);
    if (n < 0) ScriptErrorFormat("Negative instruction count %d", n);
    c.counted = true;
    return uint32_t(n);
  }
  c.counted = false;
  prepass_active = 1;
  uint32_t count = Pass(type);
  prepass_active = 0;
  SortNameTable(labels);
  SortNameTable(local_aliases);
  return count;
}

}  // namespace tolv
