// Re-writes ".def" files for the archive: aliases, labels, includes and
// keyword expressions resolved at pack time, so a packed game's files hold
// plain ':' parameter lines with numbers and prefixed operands only.
#pragma once
#include <string>

#include "files/file_stream.h"

namespace tolv {

// Text of the member being re-written; every written line ends in "\n".
extern std::string packed_text;
// Appends the line ":" + text.
void WritePackedText(const char* text);

// Alias kind of the script function names of "game/funcs.def".
constexpr int kFunctionAliasKind = 9;

// Operand text from a resolved alias value, back in prefixed form (text
// has kTokenSize bytes and is rewritten in place).
void FormatOperand(char* text, int kind);

// Sets the register counts the operand prefixes are offset by, from
// "game.def" of the current folder (left alone without one).
void PrescanGameDef();
// Pack-time alias tables: the alias files named by "alias.def" and the
// function names of "game/funcs.def" (kind kFunctionAliasKind).
void LoadPackAliases();

// Writers by file; each reads the open stream to its end or layout.
void WriteGameDefText(FileStream& s, bool has_funcs_def);
void WriteZoneDefText(FileStream& s);
void WriteFuncsDefText(FileStream& s);
void RewriteDefText(FileStream& s);

// Re-writes the def file name of the current folder into packed_text;
// folder is its folder relative to the game root ("/", "zone01", "game").
void RewriteDefFile(FileStream& s, const char* name, const std::string& folder);

}  // namespace tolv
