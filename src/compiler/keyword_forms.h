// Keyword lines parsed into the one instruction each compiles to: the
// command ID from the keyword's table and the operand words in their final
// order. The compiler emits the form; the packer writes it back as text.
#pragma once
#include <cstdint>

#include "compiler/expression_lexer.h"

namespace tolv {

enum class KeywordShape : uint8_t {
  kBlock,  // Else, EndIf, Do, BreakDo, Forever: the ID alone
  kIf,     // If, IfFlag: opens an If block, the target word follows
  kWhile,  // closes the innermost Do, the target word follows
  kPlain,  // Flag, TableB/W/D, Array, Eval
};

struct KeywordForm {
  KeywordShape shape = KeywordShape::kBlock;
  uint32_t id = 0;        // the command (52: no command serves these operands)
  int count = 0;          // operand words
  uint32_t words[3] = {};
  int source[3] = {};     // expression operand of each word; -1: a flag number
  uint32_t flag_bit = 0;  // constant flag number (word holds its mask)
  Expression e;
};

// Parses a '~' line's text (keyword and expression); every fault is fatal
// with the keyword's own message.
void ParseKeyword(const char* text, KeywordForm& f);

}  // namespace tolv
