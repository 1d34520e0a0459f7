// tables.def and the table files it lists.
#include "game/data_tables.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "game/function_files.h"
#include "game/scopes.h"
#include "files/script_error.h"
#include "files/tokenizer.h"

namespace tolv {

uint8_t** script_tables = nullptr;
uint32_t* script_table_sizes = nullptr;
uint8_t* script_table_unsigned = nullptr;
ScopeCounts script_table_counts;

template <typename T>
static T* Resize(T* p, uint32_t n) {
  T* q = static_cast<T*>(std::realloc(p, (n ? n : 1) * sizeof(T)));
  if (!q) throw std::bad_alloc();
  return q;
}

// Grows or shrinks the three arrays to `total`, new entries empty.
static void ResizeTables(uint32_t old, uint32_t total) {
  for (uint32_t t = total; t < old; t++) std::free(script_tables[t]);
  script_tables = Resize(script_tables, total);
  script_table_sizes = Resize(script_table_sizes, total);
  script_table_unsigned = Resize(script_table_unsigned, total);
  for (uint32_t t = old; t < total; t++) {
    script_tables[t] = nullptr;
    script_table_sizes[t] = 0;
    script_table_unsigned[t] = 0;
  }
}

void FreeDataTables(int drop) {
  uint32_t old = script_table_counts.total;
  ResizeTables(old, DropScopes(script_table_counts, drop));
}

// A block of n bytes rounded up to whole words, zero-filled.
static uint8_t* NewBlock(uint32_t t, uint32_t n) {
  uint32_t padded = (n + 3) & ~3u;
  std::free(script_tables[t]);
  script_tables[t] = nullptr;
  script_table_sizes[t] = 0;
  uint8_t* b = static_cast<uint8_t*>(std::calloc(padded ? padded : 1, 1));
  if (!b) throw std::bad_alloc();
  script_tables[t] = b;
  script_table_sizes[t] = padded;
  return b;
}

// Byte k of the file goes to byte k XOR swap of the block.
static void LoadSwapped(const char* file, uint32_t t, uint32_t swap) {
  ScopedStream s;
  if (!OpenBufferedStream(file, s)) ScriptErrorFormat("File \"%s\" not found", file);
  uint8_t* b = NewBlock(t, s.size);
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
  uint8_t* b = NewBlock(t, n * w);
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
  ResizeTables(old, script_table_counts.total);
  char file[kTokenSize];
  for (uint32_t t = first; t < script_table_counts.total; t++) {
    ReadToken(s, text_buffer);
    std::memcpy(file, text_buffer, sizeof file);
    LoadByCode(file, t, NumberToken(s));
  }
}

int32_t ReadTableElement(uint32_t t, int32_t i, uint32_t width) {
  if (t >= script_table_counts.total || i < 0) return 0;
  uint64_t at = uint64_t(uint32_t(i)) * width;
  if (at + width > script_table_sizes[t]) return 0;
  const uint8_t* p = script_tables[t] + at;
  bool u = script_table_unsigned[t];
  if (width == 1) return u ? int32_t(p[0]) : int32_t(int8_t(p[0]));
  if (width == 2) {
    uint16_t h;
    std::memcpy(&h, p, 2);
    return u ? int32_t(h) : int32_t(int16_t(h));
  }
  uint32_t d;
  std::memcpy(&d, p, 4);
  return int32_t(d);
}

}  // namespace tolv
