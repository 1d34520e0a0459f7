// The general def re-writer: ':' lines with aliases and labels resolved,
// each script function preceded by its instruction count and written as
// plain tokens (the counted form), its keyword lines as one instruction
// line each, includes read in place.
#include "game/def_rewriter.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "compiler/alias_tables.h"
#include "compiler/compile_state.h"
#include "compiler/prepass.h"
#include "files/script_error.h"
#include "files/tokenizer.h"
#include "game/keyword_rewriter.h"

namespace tolv {

static bool IsLineType(int c) { return c == '#' || c == ':' || c == '~' || c == '@' || c == '.'; }

// Type of the next token of the stream, left on it; 0 at the end.
static int NextLineType(FileStream& s) {
  for (;;) {
    if (IsStreamEnd(s)) return 0;
    int c = ReadStreamChar(s);
    if (IsLineType(c)) {
      SeekStream(s, -1, 1);
      return c;
    }
    if (c == ';')
      while (!IsStreamEnd(s) && c != '\n') c = ReadStreamChar(s);
    if (c == '\n') s.line++;
  }
}

// A parameter token read whole may hold several pieces split by ':' or '#'
// (a loader reading tokens splits them, one reading a line does not); each
// piece naming an alias is resolved on its own.
static std::string ResolvePieces(const char* text) {
  std::string out;
  for (const char* p = text;; p++) {
    const size_t n = std::strcspn(p, ":#");
    size_t lead = std::min(std::strspn(p, " \t"), n), end = n;
    while (end > lead && (p[end - 1] == ' ' || p[end - 1] == '\t')) end--;
    char piece[kTokenSize];
    std::snprintf(piece, sizeof piece, "%.*s", static_cast<int>(end - lead), p + lead);
    if (piece[0] != '@') ResolveOperandText(piece);
    out.append(p, lead);
    out += piece;
    out.append(p + end, n - end);
    p += n;
    if (!*p) return out;
    out += *p;
  }
}

static void ParameterLine(bool in_function) {
  char* text = text_buffer;
  if (in_function && text[0] == '@') {
    int32_t index = 0;
    text[0] = ' ';
    LookupAlias(text, labels, kAliasRaw, &index);
    return WritePackedText(std::to_string(index).c_str());
  }
  WritePackedText(ResolvePieces(text).c_str());
}

// A '#' or '~' line of a function: one instruction.
static void InstructionLine(int type) {
  char* text = text_buffer;
  if (type == '~') return WritePackedText(RewriteKeyword(text).c_str());
  if (text[0] == '_') {
    SubstituteAlias(text, 0, kAliasRaw, kTokenSize);
    return WritePackedText(text);
  }
  char copy[kTokenSize];
  std::memcpy(copy, text, kTokenSize);
  if (ParseNumber(copy) == 0 && text[0] != '0') return WritePackedText(RewriteKeyword(text).c_str());
  WritePackedText(text);
}

// The function at the stream's position, in counted form: the pre-pass
// reads it whole (includes expanded, labels and local aliases taken), then
// its lines are written from what it kept.
static void RewriteFunction() {
  int32_t remaining = static_cast<int32_t>(PrepassFunction());
  WritePackedText(std::to_string(remaining).c_str());
  for (int type; (type = NextLineAsWritten()) != 0;) {
    if (type == ':') ParameterLine(true);
    else if (remaining-- == 0) break;  // the end line
    else InstructionLine(type);
  }
}

void RewriteDefText(FileStream& s) {
  compiler.stream = &s;
  for (int type; (type = NextLineType(s)) != 0;) {
    if (type != ':') {
      RewriteFunction();
      s.line_mode = 1;
      continue;
    }
    ReadScriptLine(s, text_buffer);
    ParameterLine(false);
  }
  compiler.stream = nullptr;
}

void RewriteDefFile(FileStream& s, const char* name, const std::string& folder) {
  current_stream = &s;
  if (std::strcmp(name, "game.def") == 0) {
    FileStream funcs;
    bool has_funcs = OpenStream("/game/funcs.def", funcs);
    if (has_funcs) CloseStream(funcs);
    current_stream = &s;
    WriteGameDefText(s, has_funcs);
  } else if (std::strcmp(name, "zone.def") == 0) {
    WriteZoneDefText(s);
  } else if (folder == "game" && std::strcmp(name, "funcs.def") == 0) {
    WriteFuncsDefText(s);
  } else {
    RewriteDefText(s);
  }
}

void LoadPackAliases() {
  ClearNameTable(global_aliases);
  LoadAliasFiles("alias.def");
  FileStream s;
  if (!OpenStream("game/funcs.def", s)) return;
  ReadToken(s, text_buffer);
  for (int32_t k = 0, n = ParseNumber(text_buffer); k < n; k++) {
    ReadScriptLine(s, text_buffer);
    AddName(global_aliases, text_buffer, k, kFunctionAliasKind);
    ReadToken(s, text_buffer);
  }
  CloseStream(s);
  SortNameTable(global_aliases);
}

}  // namespace tolv
