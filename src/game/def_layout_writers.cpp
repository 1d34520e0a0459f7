// The fixed-layout def files: game.def, zone.def and game/funcs.def are
// copied token by token (aliases resolved by ReadToken), their text lines
// as written.
#include <cstdio>

#include "files/tokenizer.h"
#include "game/def_rewriter.h"
#include "script/records.h"

namespace tolv {

std::string packed_text;

void WritePackedText(const char* text) {
  packed_text += ':';
  packed_text += text;
  packed_text += '\n';
}

static int32_t Token(FileStream& s) {
  ReadToken(s, text_buffer);
  WritePackedText(text_buffer);
  return ParseNumber(text_buffer);
}

static void Tokens(FileStream& s, int32_t n) {
  for (int32_t i = 0; i < n; i++) Token(s);
}

// A count token and that many tokens.
static void CountedTokens(FileStream& s) { Tokens(s, Token(s)); }

// Text lines are taken as written: no alias substitution.
static void TextLines(FileStream& s, int32_t n) {
  for (int32_t i = 0; i < n; i++) {
    ReadScriptLine(s, text_buffer);
    WritePackedText(text_buffer);
  }
}

void WriteGameDefText(FileStream& s, bool has_funcs_def) {
  Tokens(s, 6);
  TextLines(s, Token(s));
  Tokens(s, 5);
  CountedTokens(s);
  for (int i = has_funcs_def ? 1 : 0; i < 2; i++) {
    Token(s);
    CountedTokens(s);
  }
}

void WriteZoneDefText(FileStream& s) {
  Token(s);
  TextLines(s, Token(s));
  Tokens(s, 3);
  CountedTokens(s);
  Token(s);
  CountedTokens(s);
  for (int32_t e = 0, entries = Token(s); e < entries; e++) {
    Tokens(s, 5);
    CountedTokens(s);
    Token(s);
    CountedTokens(s);
    for (int32_t k = 0, subs = Token(s); k < subs; k++) {
      Tokens(s, 5);
      Tokens(s, 2 * Token(s));
    }
  }
  CountedTokens(s);
}

// Function names are text lines, so a name holding '_' is not taken for an
// alias reference.
void WriteFuncsDefText(FileStream& s) {
  for (int32_t k = 0, n = Token(s); k < n; k++) {
    TextLines(s, 1);
    Token(s);
  }
}

// Only the two register counts matter to the operand prefixes. Tokens
// before them are skipped unread, so aliases of game.def need not be
// loaded yet (rows 16 and 17 may be absent too).
void PrescanGameDef() {
  FileStream s;
  if (!OpenStream("game.def", s)) return;
  for (int i = 0; i < 6; i++) ReadScriptLine(s, text_buffer);
  ReadToken(s, text_buffer);
  for (int32_t i = 0, n = ParseNumber(text_buffer); i < n; i++) ReadScriptLine(s, text_buffer);
  for (int i = 0; i < 2; i++) ReadScriptLine(s, text_buffer);
  ReadToken(s, text_buffer);
  character_register_count = static_cast<uint32_t>(ParseNumber(text_buffer)) + 9;
  ReadToken(s, text_buffer);
  player_register_count = static_cast<uint32_t>(ParseNumber(text_buffer)) + 39;
  CloseStream(s);
}

}  // namespace tolv
