// TEMPORARY stand-in for the def-file lexer until it lands; removed then.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "compiler/alias_tables.h"
#include "compiler/lexer_link.h"

namespace tolv {

char text_buffer[256];
FileStream* current_stream;
uint8_t include_reading;
uint8_t last_alias_kind = 255;
uint8_t game_unpacked = 1;
void (*script_error_hook)(const char*) = nullptr;

static char* Dup(const char* s) {
  size_t n = std::strlen(s) + 1;
  char* d = static_cast<char*>(std::malloc(n));
  std::memcpy(d, s, n);
  return d;
}

int OpenStream(const char* path, FileStream* s) {
  FILE* f = std::fopen(path, "rb");
  if (!f) return 0;
  std::fseek(f, 0, SEEK_END);
  long n = std::ftell(f);
  std::fseek(f, 0, SEEK_SET);
  *s = FileStream();
  s->buffer = static_cast<char*>(std::malloc(size_t(n) + 1));
  s->size = uint32_t(std::fread(s->buffer, 1, size_t(n), f));
  std::fclose(f);
  s->name = Dup(path);
  s->folder = Dup(".");
  return 1;
}
void CloseStream(FileStream* s) {
  std::free(s->buffer);
  std::free(s->name);
  std::free(s->folder);
  s->buffer = s->name = s->folder = nullptr;
  s->size = s->position = 0;
}
int ReadStreamChar(FileStream* s) { return s->position < s->size ? (unsigned char)s->buffer[s->position++] : 10; }
int IsStreamEnd(FileStream* s) { return s->position >= s->size; }
void RewindStream(FileStream* s) { s->position = 0; }
void SeekStream(FileStream* s, int32_t off, int whence) {
  s->position = uint32_t(whence == 0 ? off : whence == 1 ? int32_t(s->position) + off : int32_t(s->size) + off);
}
uint32_t TellStream(FileStream* s) { return s->position; }

void ScriptError(const char* message) {
  if (script_error_hook) script_error_hook(message);
  std::fprintf(stderr, "Script Error\n\n%s\n\n", message);
  std::exit(0);
}

static bool IsType(int c) { return c == '#' || c == ':' || c == '~' || c == '@' || c == '.'; }

int ReadScriptLine(FileStream* s, char* text) {
  current_stream = s;
  int c = ReadStreamChar(s);
  bool first = true;
  for (;;) {
    if (IsStreamEnd(s) && !IsType(c)) {
      if (include_reading) return -1;
      ScriptError("File ended unexpectedly");
    }
    if (IsType(c)) break;
    if (c == ';') {
      while (!IsStreamEnd(s) && c != '\n') c = ReadStreamChar(s);
      if (c != '\n') continue;
    }
    if (c == '\n' && !first) s->line++;
    first = false;
    c = ReadStreamChar(s);
  }
  int type = c;
  if ((s->line_mode == 0 || s->line_mode == 2) && type != ':') {
    const char* what = type == '#' ? "Command ID" : type == '~' ? "Expression" : type == '@' ? "Label" : "Directive";
    char m[128];
    std::snprintf(m, sizeof m, "Expected paramater type ':' but found %s type '%c'", what, type);
    ScriptError(m);
  }
  int n = 0, content = 0;
  c = ReadStreamChar(s);
  while ((c == ' ' || c == '\t') && !IsStreamEnd(s)) c = ReadStreamChar(s);
  if (c == '\n' || c == '\r') {
    if (c == '\n') s->line++;
    text[0] = 0;
    return type;
  }
  for (;;) {
    if (c == ';') {
      while (!IsStreamEnd(s) && c != '\n') c = ReadStreamChar(s);
      s->line++;
      break;
    }
    if (c == '\n') {
      s->line++;
      break;
    }
    if (s->line_mode != 0 && (c == '#' || c == ':')) {
      s->position--;
      break;
    }
    if (n < 255) {
      text[n++] = c == '\\' ? '/' : c == '\r' ? 0 : char(c);
      if (c != ' ' && c != '\t' && c != '\r') content = n;
    }
    if (IsStreamEnd(s)) break;
    c = ReadStreamChar(s);
  }
  text[content] = 0;
  return type;
}

int ReadToken(FileStream* s, char* text) {
  int t = ReadScriptLine(s, text);
  if (t == -1) return t;
  last_alias_kind = 255;
  if (!game_unpacked) return t;
  if (t == '#' && text[0] == '_') {
    SubstituteAlias(text, 0, kAliasRaw, 256);
  } else if (t == ':' && text[0] && text[0] != '@') {
    if (char* u = std::strchr(text, '_')) last_alias_kind = uint8_t(SubstituteAlias(text, int(u - text), kAliasWithOffset, 256));
  }
  return t;
}

int32_t ParseNumber(char* text) {
  char* p = text;
  while (*p == ' ') p++;
  bool neg = false;
  if (p[0] == '-' && (p[1] == '$' || p[1] == '%')) neg = true, *p++ = ' ';
  if (*p == '$' || *p == '%') {
    int base = *p == '$' ? 16 : 2;
    *p++ = ' ';
    uint32_t v = 0;
    for (; *p; p++) {
      int d = *p >= '0' && *p <= '9' ? *p - '0' : (*p | 32) >= 'a' && (*p | 32) <= 'f' ? (*p | 32) - 'a' + 10 : 99;
      if (d >= base) {
        if (v) break;
        continue;
      }
      v = v * uint32_t(base) + uint32_t(d);
    }
    return neg ? int32_t(0u - v) : int32_t(v);
  }
  if (*p == '\'') return (unsigned char)p[1];
  long long v = std::strtoll(p, nullptr, 10);
  if (v > 2147483647LL) v = 2147483647LL;
  if (v < -2147483648LL) v = -2147483648LL;
  return int32_t(v);
}

}  // namespace tolv
