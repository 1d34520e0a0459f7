// Operand notation: prefixes, kinds and spaces, and their coding into
// operand words.
#pragma once
#include <cstdint>

#include "compiler/compile_scopes.h"
#include "script/command_ids.h"
#include "script/string_slots.h"  // kCurrentFile: "c", the current file of a kind

namespace tolv {

// Kind of an alias, or of the prefix an operand is written with.
enum AliasKind : uint8_t {
  kKindConst = 0,
  kKindReservedReg = 1,
  kKindUserReg = 2,
  kKindCharRaw = 3,
  kKindUserChar = 4,
  kKindPlayerVar = 5,
  kKindUserPlayerVar = 6,
  kKindObjectRaw = 7,
  kKindUserObject = 8,
  kKindNone = 255,
};

// Where an operand lives; command variants are chosen by it.
enum OperandSpace : uint8_t {
  kSpaceReg = 0,
  kSpacePlayer = 1,
  kSpaceObject = 2,
  kSpaceConst = 3,
  kSpaceNone = 255,
};

extern const uint8_t kind_space[9];
// Offset that turns the number of a kind's variable into its slot.
uint32_t KindOffset(uint8_t kind);

// Codes one operand (Alias values, expression operands). The prefix's
// offset is left out when `expected` is the prefix's own kind. Returns the
// prefix's kind, kKindNone for none. A word of 0 from text that is not a 0
// is fatal.
uint8_t ParseOperand(uint32_t* word, char* token, uint8_t expected);

// Reads an optional "(RPOC)" group at text[pos]; fills spaces[0..2] (left
// kKindNone where not given) and returns the position after the group.
int ParseTypeOverride(const char* text, int pos, uint8_t spaces[3]);

// Statement operand coding: the generic prefixes, with k the kind of an
// alias substituted into the token.
uint32_t CodeGenericOperand(char* token, uint8_t k);

// First operand of a compare line: a key code (t, h, m, p) or generic.
uint32_t CodeKeyOperand(char* token, uint8_t k);

// How the scope letters of a numbered-list operand resolve.
struct ScopeRule {
  ScopeSizes sizes;
  bool act = true;      // "a" allowed (lists with an act scope)
  bool current = false; // "c" gives kCurrentFile
  bool object_var = false;  // "e" as the generic object variable
};
// R and r as in the generic form, g/z/a scope letters (either case), else a
// literal.
uint32_t CodeScopedOperand(char* token, uint8_t k, const ScopeRule& rule);

// The number after a one-character prefix.
int32_t NumberAfter(char* token, int skip);

}  // namespace tolv
