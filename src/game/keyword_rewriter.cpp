// Keyword lines re-written: parsed as the compiler parses them (same
// messages, same command ID), then written as the ID and the operand
// texts in the order of the instruction's words.
#include "game/keyword_rewriter.h"

#include <cstdio>
#include <cstring>

#include "compiler/alias_tables.h"
#include "compiler/keyword_forms.h"
#include "compiler/operand_coding.h"
#include "files/script_error.h"
#include "files/tokenizer.h"
#include "game/def_rewriter.h"
#include "script/command_ids.h"

namespace tolv {

void ResolveOperandText(char* text) {
  char* u = std::strchr(text, '_');
  if (!u) return;
  int kind = SubstituteAlias(text, static_cast<int>(u - text), kAliasWithOffset, kTokenSize);
  FormatOperand(text, kind);
}

// A flag number is written as the number the statement compiler turns
// into the same word: a register's index, or the bit of a constant.
static std::string OperandText(const KeywordForm& f, int i) {
  if (f.source[i] < 0) {
    const bool reg = f.e.operand[1].space == kSpaceReg;
    return std::to_string(static_cast<int32_t>(reg ? f.words[i] : f.flag_bit));
  }
  char t[kTokenSize];
  std::snprintf(t, sizeof t, "%s", f.e.operand[f.source[i]].text);
  ResolveOperandText(t);
  return t;
}

std::string RewriteKeyword(const char* line) {
  KeywordForm f;
  ParseKeyword(line, f);
  // The empty command has no operands: the line would compile differently.
  if (f.id == kEmptyCommandId) ScriptError("The expression has no command for these operand types and cannot be packed");
  std::string out = std::to_string(f.id);
  for (int i = 0; i < f.count; i++) {
    out += ':';
    out += OperandText(f, i);
  }
  return out;
}

}  // namespace tolv
