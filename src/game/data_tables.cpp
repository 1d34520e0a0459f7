// tables.def and the table files it lists.
#include "game/data_tables.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "files/scopes.h"
#include "files/script_error.h"
#include "files/tokenizer.h"
#include "game/function_files.h"

namespace tolv {

// Byte k of the file goes to byte k XOR swap of the block.
static void LoadSwapped(const char* file, uint32_t t, uint32_t swap) {
  ScopedStream s;
  if (!OpenBufferedStream(file, s)) ScriptErrorFormat("File \"%s\" not found", file);
  uint8_t* b = NewScriptTable(t, s.size);
  for (uint32_t k = 0; k < s.size; k++) b[k ^ swap] = s.buffer[k];
}

void LoadBinaryTable(const char* file, uint32_t t) { LoadSwapped(file, t, 0); }
void LoadBinaryTable16(const char* file, uint32_t t) { LoadSwapped(file, t, 1); }
void LoadBinaryTable32(const char* file, uint32_t t) { LoadSwapped(file, t, 3); }

static int32_t NumberToken(FileStream& s) {
  ReadToken(s, text_buffer);
  return ParseNumber(text_buffer);
}

void LoadTextTable(const char* file, uint32_t t) {
  ScopedStream s;
  if (!OpenStream(file, s)) ScriptErrorFormat("File \"%s\" not found", file);
  int32_t kind = NumberToken(s);
  uint16_t n = uint16_t(NumberToken(s));
  static const uint8_t widths[5] = {1, 2, 4, 1, 2};
  script_table_unsigned[t] = kind > 2 ? 1 : 0;
  if (kind < 0 || kind > 4) return;
  uint32_t w = widths[kind];
  uint8_t* b = NewScriptTable(t, n * w);
  for (uint32_t i = 0; i < n; i++) {
    uint32_t v = uint32_t(NumberToken(s));
    if (w == 1) b[i] = uint8_t(v);
    else if (w == 2) { uint16_t h = uint16_t(v); std::memcpy(b + 2 * i, &h, 2); }
    else std::memcpy(b + 4 * i, &v, 4);
  }
}

static void LoadByCode(const char* file, uint32_t t, int32_t code) {
  switch (code) {
    case 0: case 2: case 4: case 5: case 7: LoadBinaryTable(file, t); break;
    case 1: case 6: LoadBinaryTable16(file, t); break;
    case 3: LoadBinaryTable32(file, t); break;
    case 8: LoadTextTable(file, t); return;
    default: return;  // no form: the table stays empty
  }
  script_table_unsigned[t] = code >= 5 ? 1 : 0;
}

void LoadDataTables(const char* name, int scope) {
  ScopedStream s;
  if (!OpenStream(name, s)) return;
  int32_t n = NumberToken(s);
  uint32_t old = script_table_counts.total;
  uint32_t first = SetScopeCount(script_table_counts, scope, n, "data table");
  ResizeScriptTables(old, script_table_counts.total);
  char file[kTokenSize];
  for (uint32_t t = first; t < script_table_counts.total; t++) {
    ReadToken(s, text_buffer);
    std::memcpy(file, text_buffer, sizeof file);
    LoadByCode(file, t, NumberToken(s));
  }
}

}  // namespace tolv
