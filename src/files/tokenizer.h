// The line lexer shared by every ".def" file, alias substitution on top of
// it, and the numeric literals.
#pragma once
#include <cstdint>

#include "files/file_stream.h"

namespace tolv {

constexpr int kTokenSize = 256;  // a token holds at most 255 characters

extern char text_buffer[kTokenSize];
extern FileStream* current_stream;  // the stream the lexer read last
extern uint8_t include_reading;     // end of file returns -1 instead of failing
extern uint8_t last_alias_kind;     // kind found by the last ReadToken, 255 none

// Resolves a global alias in place (name begins with its '_'; on return it
// holds the decimal value, the kind's offset added in mode 1) and returns the
// kind in mode 1, -1 in mode 0. Installed by the compiler; null leaves
// alias names as they stand.
using AliasResolver = int (*)(char* name, int mode);
extern AliasResolver resolve_alias;

// Next token into text (kTokenSize bytes): returns its line type '#', ':',
// '~', '@' or '.', or -1 at the end of an included file.
int ReadScriptLine(FileStream& s, char* text);
// ReadScriptLine, then alias substitution while the game runs from loose files.
int ReadToken(FileStream& s, char* text);
// Value of a numeric token: decimal, "$" hex, "%" binary, "-$", "-%", "'c".
// Overwrites the prefix characters with blanks.
int32_t ParseNumber(char* text);

}  // namespace tolv
