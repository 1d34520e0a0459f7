#include "script/expand_string_vars.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/message_log.h"
#include "script/operands.h"

namespace tolv {

StringVarResolver resolve_string_var = ResolvePrefixedVar;

int ResolvePrefixedVar(char* name, uint32_t* index) {
  char* end = nullptr;
  long n = std::strtol(name + 1, &end, 10);
  if (name[0] == 0 || end == name + 1 || *end) return 255;
  uint32_t v = static_cast<uint32_t>(n);
  switch (name[0]) {
    case 'R': *index = kRegisterBit + 256 + v; return 2;
    case 'r': *index = kRegisterBit + v; return 1;
    case 'u': case 'U': *index = 256 + v; return 2;
    case 'C': *index = v; return 3;
    case 'c': *index = 9 + v; return 4;
    case 'A': *index = character_register_count + v; return 5;
    case 'a': *index = character_register_count + 39 + v; return 6;
    case 'e': case 'E': *index = 7 + v; return 8;
    default: return 255;
  }
}

// Output position; text past the line's end is dropped.
struct Line {
  char* text;
  uint32_t n;
  void Put(char c) {
    if (n < kExpandLineSize - 1) text[n++] = c;
  }
};

static bool FailExpansion(const char* source) {
  ShowMessage(source);
  return false;
}

static bool ReadVariable(char* name, int32_t* value, const char* source) {
  uint32_t index = 0;
  int kind = resolve_string_var(name, &index);
  if (kind == 1 || kind == 2) {
    *value = Reg(index);
  } else if (kind >= 3 && kind <= 6) {
    *value = PlayerVar(current_player, index);
  } else if (kind == 7 || kind == 8) {
    *value = SelfVar(index);
  } else {
    char line[64];
    std::snprintf(line, sizeof line, "Cannot determine variable type (%d)", kind);
    ShowMessage(name);
    ShowMessage(line);
    return FailExpansion(source);
  }
  return true;
}

static bool ExpandInto(const char* source, Line& out) {
  for (const char* p = source; *p;) {
    if (*p != '!') {
      out.Put(*p++);
      continue;
    }
    const char* close = std::strchr(p + 1, '!');
    size_t len = close ? static_cast<size_t>(close - p - 1) : 0;
    if (!close || len >= kExpandLineSize - 1) {
      ShowMessage("Expected a closing '!' to terminate variable name/ID");
      return FailExpansion(source);
    }
    p = close + 1;
    if (len == 0) {
      out.Put('!');
      continue;
    }
    char name[kExpandLineSize];
    std::memcpy(name, close - len, len);
    name[len] = 0;
    int32_t value;
    if (!ReadVariable(name, &value, source)) return false;
    char number[16];
    std::snprintf(number, sizeof number, "%d", value);
    for (const char* d = number; *d; d++) out.Put(*d);
  }
  return true;
}

bool ExpandStringVars(const char* source, char* dest) {
  Line out{dest, 0};
  bool ok = ExpandInto(source, out);
  dest[out.n] = 0;
  return ok;
}

}  // namespace tolv
