#include "files/tokenizer.h"

#include <cstring>

#include "files/game_files.h"
#include "files/script_error.h"

namespace tolv {

char text_buffer[kTokenSize];
FileStream* current_stream;
uint8_t include_reading;
uint8_t last_alias_kind = 255;
AliasResolver resolve_alias;

static bool IsLineType(int c) { return c == '#' || c == ':' || c == '~' || c == '@' || c == '.'; }
static bool IsBlank(int c) { return c == ' ' || c == '\t'; }

static int EndOfFile() {
  if (include_reading) return -1;
  ScriptError("File ended unexpectedly");
}

static void StepBack(FileStream& s) { SeekStream(s, -1, 1); }

static void CheckLineType(const FileStream& s, int t) {
  if ((s.line_mode == 0 || s.line_mode == 2) && t != ':') {
    const char* kind = t == '#' ? "Command ID" : t == '~' ? "Expression" : t == '@' ? "Label" : "Directive";
    ScriptErrorFormat("Expected paramater type ':' but found %s type '%c'", kind, t);
  }
}

// Stores the token that starts with c; trailing blanks are cut.
static void CollectToken(FileStream& s, int c, char* text) {
  int len = 0, content_end = 0;
  for (;;) {
    bool content = !IsBlank(c) && c != '\r';
    if (len >= kTokenSize - 1) {
      if (content) ScriptError("token too long");
    } else {
      text[len] = c == '\\' ? '/' : c == '\r' ? 0 : static_cast<char>(c);
    }
    len++;
    if (content) content_end = len;
    if (IsStreamEnd(s)) break;
    c = ReadStreamChar(s);
    if (s.line_mode != 0 && (c == '#' || c == ':')) {
      StepBack(s);
      text[content_end] = 0;
      return;
    }
    if (c == ';') {
      while (!IsStreamEnd(s) && ReadStreamChar(s) != '\n') {
      }
      break;
    }
    if (c == '\n') break;
  }
  s.line++;
  text[content_end] = 0;
}

int ReadScriptLine(FileStream& s, char* text) {
  current_stream = &s;
  text[0] = 0;
  int c = ReadStreamChar(s);
  if (IsStreamEnd(s)) return EndOfFile();
  if (c == '\n') s.line++;  // a blank line: count it, so CR LF and LF agree
  while (!IsLineType(c)) {
    if (c == ';') {
      do {
        c = ReadStreamChar(s);
        if (IsStreamEnd(s)) return EndOfFile();
      } while (c != '\n');
      s.line++;
      continue;
    }
    c = ReadStreamChar(s);
    if (IsStreamEnd(s)) return EndOfFile();
    if (c == '\n') s.line++;
  }
  const int type = c;
  CheckLineType(s, type);
  do c = ReadStreamChar(s);
  while (IsBlank(c));
  if (c == '\n') {
    s.line++;
    return type;
  }
  CollectToken(s, c, text);
  return type;
}

// Replaces the alias that starts at text + at by its value.
static int SubstituteAlias(char* text, size_t at, int mode) {
  char name[kTokenSize];
  std::memcpy(name, text + at, std::strlen(text + at) + 1);
  int kind = resolve_alias(name, mode);
  size_t n = strnlen(name, kTokenSize - 1);
  if (at + n > kTokenSize - 1) ScriptError("token too long");
  std::memcpy(text + at, name, n);
  text[at + n] = 0;
  return kind;
}

int ReadToken(FileStream& s, char* text) {
  int type = ReadScriptLine(s, text);
  if (type == -1) return type;
  last_alias_kind = 255;
  if (!game_unpacked || !resolve_alias) return type;
  if (type == '#' && text[0] == '_') {
    SubstituteAlias(text, 0, 0);
  } else if (type == ':' && text[0] != 0 && text[0] != '@') {
    const char* u = std::strchr(text, '_');
    if (u) last_alias_kind = static_cast<uint8_t>(SubstituteAlias(text, u - text, 1));
  }
  return type;
}

static int DigitValue(char c, int base) {
  int d = c >= '0' && c <= '9'   ? c - '0'
          : c >= 'a' && c <= 'f' ? c - 'a' + 10
          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                 : 99;
  return d < base ? d : -1;
}

// Non-digits are skipped while the value is 0; after that the first one ends it.
static uint32_t Accumulate(const char* p, int base) {
  uint32_t v = 0;
  for (; *p; p++) {
    int d = DigitValue(*p, base);
    if (d < 0) {
      if (v) break;
      continue;
    }
    v = v * static_cast<uint32_t>(base) + static_cast<uint32_t>(d);
    if (base == 2) v &= 0x7fffffffu;
  }
  return v;
}

static int32_t ParseDecimal(const char* p) {
  while (IsBlank(*p) || *p == '\n' || *p == '\r' || *p == '\v' || *p == '\f') p++;
  bool negative = *p == '-';
  if (*p == '-' || *p == '+') p++;
  int64_t v = 0;
  for (; *p >= '0' && *p <= '9'; p++) {
    v = v * 10 + (*p - '0');
    if (v > INT64_C(0x80000000)) v = INT64_C(0x80000000);
  }
  if (negative) v = -v;
  if (v > INT32_MAX) v = INT32_MAX;
  return static_cast<int32_t>(v);
}

int32_t ParseNumber(char* text) {
  char* p = text;
  while (IsBlank(*p)) p++;
  if (p[0] == '$' || p[0] == '%') {
    int base = p[0] == '$' ? 16 : 2;
    p[0] = ' ';
    return static_cast<int32_t>(Accumulate(p + 1, base));
  }
  if (p[0] == '-' && (p[1] == '$' || p[1] == '%')) {
    int base = p[1] == '$' ? 16 : 2;
    p[0] = p[1] = ' ';
    return static_cast<int32_t>(0u - Accumulate(p + 2, base));
  }
  if (p[0] == '\'') return static_cast<uint8_t>(p[1]);
  return ParseDecimal(p);
}

}  // namespace tolv
