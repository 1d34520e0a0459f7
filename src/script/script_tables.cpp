// Script data tables: storage and the checked element read.
#include "script/script_tables.h"

#include <cstdlib>
#include <cstring>
#include <new>

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

void ResizeScriptTables(uint32_t old, uint32_t total) {
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
  ResizeScriptTables(old, DropScopes(script_table_counts, drop));
}

uint8_t* NewScriptTable(uint32_t t, uint32_t n) {
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
