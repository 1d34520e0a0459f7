// Operand prefixes and their coding into operand words.
#include "compiler/operand_coding.h"

#include <cstring>

#include "compiler/lexer_link.h"
#include "script/records.h"

namespace tolv {

const uint8_t kind_space[9] = {kSpaceConst, kSpaceReg,    kSpaceReg,    kSpacePlayer, kSpacePlayer,
                               kSpacePlayer, kSpacePlayer, kSpaceObject, kSpaceObject};

uint32_t KindOffset(uint8_t kind) {
  switch (kind) {
    case kKindUserReg: return 256;
    case kKindUserChar: return 9;
    case kKindPlayerVar: return character_register_count;
    case kKindUserPlayerVar: return character_register_count + 39;
    case kKindUserObject: return 7;
    default: return 0;
  }
}

int32_t NumberAfter(char* token, int skip) {
  for (int i = 0; i < skip && token[i]; i++) token[i] = ' ';
  return ParseNumber(token);
}

static bool IsBlank(char c) { return c == ' ' || c == '\t'; }

static const char kZeroMessage[] =
    "Retrieved unexpected 0 value from a string with non-numeric characters. \n"
    "Is this an Alias name that's missing the '_' identifier?\n"
    "If used, the '-' sign should appear before the value base identifier (Ex: -$10, not $-10)";

// A zero word must come from a written 0, not from a name or stray text; a
// sign after the base identifier ("$-10") would be skipped by the number
// reader and read as a positive value, so it is refused as well.
static void CheckLiteral(const char* text, uint32_t word) {
  while (IsBlank(*text)) text++;
  if ((text[0] == '$' || text[0] == '%') && text[1] == '-') ScriptError(kZeroMessage);
  if (word) return;
  if (*text == '$' || *text == '%') text++;
  if (*text != '0') ScriptError(kZeroMessage);
}

// The offset of `kind`, left out when the alias already carried it.
static uint32_t Off(uint8_t kind, uint8_t given) { return given == kind ? 0 : KindOffset(kind); }

// Object type numbers: og, oz, oa, or o and a plain number.
static uint32_t ObjectTypeOperand(char* token) {
  ScopeSizes s = compile_scopes.object_types;
  switch (token[1]) {
    case 'g': case 'G': return uint32_t(NumberAfter(token, 2));
    case 'z': case 'Z': return uint32_t(NumberAfter(token, 2)) + s.game;
    case 'a': case 'A': return uint32_t(NumberAfter(token, 2)) + s.game + s.zone;
    default: return uint32_t(NumberAfter(token, 1));
  }
}

uint8_t ParseOperand(uint32_t* word, char* token, uint8_t expected) {
  char copy[256];
  size_t n = strnlen(token, sizeof copy - 1);
  std::memcpy(copy, token, n);
  copy[n] = 0;
  const char* body = copy + 1;
  uint8_t kind = kKindNone;
  uint32_t w;
  switch (token[0]) {
    case 'R': kind = kKindUserReg; w = kRegisterBit + uint32_t(NumberAfter(token, 1)) + Off(kind, expected); break;
    case 'r': kind = kKindReservedReg; w = kRegisterBit + uint32_t(NumberAfter(token, 1)); break;
    case 'u': case 'U': kind = kKindUserReg; w = uint32_t(NumberAfter(token, 1)) + Off(kind, expected); break;
    case 'C': kind = kKindCharRaw; w = uint32_t(NumberAfter(token, 1)); break;
    case 'c': kind = kKindUserChar; w = uint32_t(NumberAfter(token, 1)) + Off(kind, expected); break;
    case 'A': kind = kKindPlayerVar; w = uint32_t(NumberAfter(token, 1)) + Off(kind, expected); break;
    case 'a': kind = kKindUserPlayerVar; w = uint32_t(NumberAfter(token, 1)) + Off(kind, expected); break;
    case 'e': case 'E': kind = kKindUserObject; w = uint32_t(NumberAfter(token, 1)) + Off(kind, expected); break;
    case 'z': case 'Z': w = uint32_t(NumberAfter(token, 1)) + compile_scopes.tables.game; break;
    case 'o':
      body = copy + (token[1] == 'g' || token[1] == 'z' || token[1] == 'a' ? 2 : 1);
      w = ObjectTypeOperand(token);
      break;
    default: body = copy; w = uint32_t(ParseNumber(token)); break;
  }
  CheckLiteral(body, w);
  *word = w;
  return kind;
}

int ParseTypeOverride(const char* text, int pos, uint8_t spaces[3]) {
  spaces[0] = spaces[1] = spaces[2] = kSpaceNone;
  int p = pos;
  while (IsBlank(text[p])) p++;
  if (text[p] != '(') return pos;
  p++;
  for (int n = 0; text[p] && !IsBlank(text[p]) && text[p] != ')'; p++, n++) {
    uint8_t s;
    switch (text[p]) {
      case 'R': case 'r': s = kSpaceReg; break;
      case 'P': case 'p': s = kSpacePlayer; break;
      case 'O': case 'o': s = kSpaceObject; break;
      case 'C': case 'c': s = kSpaceConst; break;
      default: ScriptErrorFormat("Unknown variable type: '%c'", text[p]);
    }
    if (n < 3) spaces[n] = s;
  }
  while (IsBlank(text[p]) || text[p] == ')') p++;
  return p;
}

uint32_t CodeGenericOperand(char* token, uint8_t k) {
  switch (token[0]) {
    case 'R': return kRegisterBit + uint32_t(NumberAfter(token, 1)) + Off(kKindUserReg, k);
    case 'r': return kRegisterBit + uint32_t(NumberAfter(token, 1));
    case 'u': case 'U': return uint32_t(NumberAfter(token, 1)) + Off(kKindUserReg, k);
    case 'c': return uint32_t(NumberAfter(token, 1)) + Off(kKindUserChar, k);
    case 'A': return uint32_t(NumberAfter(token, 1)) + Off(kKindPlayerVar, k);
    case 'a': return uint32_t(NumberAfter(token, 1)) + Off(kKindUserPlayerVar, k);
    case 'e': case 'E': return uint32_t(NumberAfter(token, 1)) + Off(kKindUserObject, k);
    case 'C': case 'L': case 's': case 'S': return uint32_t(NumberAfter(token, 1));
    case 'l': return uint32_t(NumberAfter(token, 1)) + 1;
    case 'o': return ObjectTypeOperand(token);
    default: return uint32_t(ParseNumber(token));
  }
}

// Row of a key-map entry state: t pressed, h held, r pulse.
static uint32_t KeyRow(char c) {
  switch (c) {
    case 't': return 0;
    case 'h': return 1;
    case 'r': return 2;
    default: ScriptErrorFormat("Unknown key state '%c': use t, h or r", c);
  }
}

static uint32_t KeyEntry(char* digits) {
  int32_t k = ParseNumber(digits);
  if (k < 0 || k >= key_map_entry_count)
    ScriptErrorFormat("Key map entry %d is beyond the %d entries of a key map", k, key_map_entry_count);
  return uint32_t(k);
}

uint32_t CodeKeyOperand(char* token, uint8_t k) {
  const uint32_t e = key_map_entry_count;
  switch (token[0]) {
    case 't': return uint32_t(NumberAfter(token, 1));
    case 'h': return uint32_t(NumberAfter(token, 1)) + 128;
    case 'p': {
      uint32_t row = KeyRow(token[1]);
      return 0x8000 + KeyEntry(token + 2) + row * e;
    }
    case 'm': {
      char* p = token + 1;
      int32_t map = 0;
      for (; *p >= '0' && *p <= '9'; p++)
        if (map < 100000) map = map * 10 + (*p - '0');
      if (p == token + 1 || map >= key_map_count)
        ScriptErrorFormat("Key map %d is beyond the %d loaded key maps", map, key_map_count);
      uint32_t row = KeyRow(*p);
      return 512 + uint32_t(map) * 3 * e + KeyEntry(p + 1) + row * e;
    }
    default: return CodeGenericOperand(token, k);
  }
}

uint32_t CodeScopedOperand(char* token, uint8_t k, const ScopeRule& rule) {
  switch (token[0]) {
    case 'R': case 'r': return CodeGenericOperand(token, k);
    case 'g': case 'G': return uint32_t(NumberAfter(token, 1));
    case 'z': case 'Z': return uint32_t(NumberAfter(token, 1)) + rule.sizes.game;
    case 'a': case 'A':
      if (!rule.act) ScriptErrorFormat("Scope 'a' is not available here: this list has no act scope");
      return uint32_t(NumberAfter(token, 1)) + rule.sizes.game + rule.sizes.zone;
    case 'c': case 'C':
      if (rule.current) return kCurrentFile;
      return uint32_t(ParseNumber(token));
    case 'e': case 'E':
      if (rule.object_var) return CodeGenericOperand(token, k);
      return uint32_t(ParseNumber(token));
    default: return uint32_t(ParseNumber(token));
  }
}

}  // namespace tolv
