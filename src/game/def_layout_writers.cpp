// The fixed-layout def files: game.def, zone.def and game/funcs.def are
// copied token by token (aliases resolved by ReadToken), their text lines
// as written.
#include <cstdio>
#include <cstring>
#include <string>

#include "compiler/string_var_resolver.h"
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

// A variable name between '!' in a string line may be an alias, which a
// packed game no longer has: it is written as the prefixed name of the
// variable it stands for (player variables by their raw index, object
// variables counted from word 7), anything else as its number.
static std::string PackedVariableName(std::string name) {
  if (name.find('_') == std::string::npos) return name;
  char t[kTokenSize];
  std::snprintf(t, sizeof t, "%s", name.c_str());
  uint32_t index = 0;
  const int kind = ResolveStringVarWithAliases(t, &index);
  const int64_t i = index;
  if (kind == 1) std::snprintf(t, sizeof t, "r%lld", static_cast<long long>(i));
  else if (kind == 2) std::snprintf(t, sizeof t, "u%lld", static_cast<long long>(i - 256));
  else if (kind >= 3 && kind <= 6) std::snprintf(t, sizeof t, "C%lld", static_cast<long long>(i));
  else if (kind == 7 || kind == 8) std::snprintf(t, sizeof t, "e%lld", static_cast<long long>(i - 7));
  else std::snprintf(t, sizeof t, "%lld", static_cast<long long>(i));
  return t;
}

static void PackStringLine(char* text) {
  std::string out;
  for (const char* p = text; *p;) {
    const char* close = *p == '!' ? std::strchr(p + 1, '!') : nullptr;
    if (!close) {
      out += *p++;
      continue;
    }
    out += '!' + PackedVariableName(std::string(p + 1, close)) + '!';
    p = close + 1;
  }
  std::snprintf(text, kTokenSize, "%s", out.c_str());
}

// Text lines are taken as written: no alias substitution, but for the
// variable names of script strings.
static void TextLines(FileStream& s, int32_t n, bool strings = true) {
  for (int32_t i = 0; i < n; i++) {
    ReadScriptLine(s, text_buffer);
    if (strings) PackStringLine(text_buffer);
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
    TextLines(s, 1, false);
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
