// Alias and label tables: storage, sorting, lookup and the alias files.
#include "compiler/alias_tables.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "compiler/lexer_link.h"
#include "compiler/operand_coding.h"

namespace tolv {

AliasTable global_aliases;
AliasTable local_aliases;
AliasTable labels;
uint8_t next_auto_alias = 200;
uint8_t prepass_active = 0;

template <typename T>
static T* Resize(T* p, uint32_t n) {
  void* q = std::realloc(p, size_t(n) * sizeof(T));
  if (!q) throw std::bad_alloc();
  return static_cast<T*>(q);
}

void AddName(AliasTable& t, const char* name, int32_t value, uint8_t kind) {
  if (t.count == t.capacity) {
    t.capacity = t.capacity ? t.capacity * 2 : 16;
    t.values = Resize(t.values, t.capacity);
    t.names = Resize(t.names, t.capacity);
    t.kinds = Resize(t.kinds, t.capacity);
  }
  size_t len = std::strlen(name);
  char* copy = Resize<char>(nullptr, uint32_t(len + 1));
  std::memcpy(copy, name, len + 1);
  t.names[t.count] = copy;
  t.values[t.count] = value;
  t.kinds[t.count] = kind;
  t.count++;
}

void ClearNameTable(AliasTable& t) {
  for (uint32_t i = 0; i < t.count; i++) std::free(t.names[i]);
  t.count = 0;
}

void SortNameTable(AliasTable& t) {
  if (t.count < 2) return;
  uint32_t* order = Resize<uint32_t>(nullptr, t.count);
  for (uint32_t i = 0; i < t.count; i++) order[i] = i;
  std::stable_sort(order, order + t.count,
                   [&](uint32_t a, uint32_t b) { return std::strcmp(t.names[a], t.names[b]) < 0; });
  int32_t* values = Resize<int32_t>(nullptr, t.capacity);
  char** names = Resize<char*>(nullptr, t.capacity);
  uint8_t* kinds = Resize<uint8_t>(nullptr, t.capacity);
  uint32_t n = 0;
  for (uint32_t i = 0; i < t.count; i++) {
    uint32_t k = order[i];
    if (n && std::strcmp(names[n - 1], t.names[k]) == 0) {
      std::free(names[n - 1]);  // a later definition of the same name wins
      n--;
    }
    values[n] = t.values[k];
    names[n] = t.names[k];
    kinds[n] = t.kinds[k];
    n++;
  }
  std::free(order);
  std::free(t.values);
  std::free(t.names);
  std::free(t.kinds);
  t.values = values;
  t.names = names;
  t.kinds = kinds;
  t.count = n;
}

int FindName(const AliasTable& t, const char* name) {
  if (!name[0] || !t.count) return -1;
  int lo = 0, hi = int(t.count) - 1;
  while (lo <= hi) {
    int mid = (lo + hi) / 2;
    int c = std::strcmp(name, t.names[mid]);
    if (c == 0) return mid;
    if (c > 0) lo = mid + 1;
    else hi = mid - 1;
  }
  return -1;
}

static int Resolve(const AliasTable& t, int i, int mode, int32_t* value) {
  uint8_t kind = t.kinds[i];
  *value = t.values[i];
  if (mode == kAliasRaw) return -1;
  if (mode == kAliasWithOffset && kind <= kKindUserObject) *value = int32_t(uint32_t(*value) + KindOffset(kind));
  return kind;
}

int LookupAlias(const char* name, const AliasTable& table, int mode, int32_t* value) {
  const char* key = name[0] ? name + 1 : name;
  if (&table == &global_aliases && !prepass_active) {
    int i = FindName(local_aliases, key);
    if (i >= 0) return Resolve(local_aliases, i, mode, value);
  }
  int i = FindName(table, key);
  if (i >= 0) return Resolve(table, i, mode, value);
  if (&table == &local_aliases) return -1;
  if (&table == &labels) ScriptErrorFormat("Can't find label:\n\"%s\"", key);
  ScriptErrorFormat("Can't find alias:\n\"%s\"", name);
}

int ResolveAliasForLexer(char* name, int mode) { return SubstituteAlias(name, 0, mode, 12); }

int SubstituteAlias(char* token, int at, int mode, int size) {
  int32_t value = 0;
  int kind = LookupAlias(token + at, global_aliases, mode, &value);
  std::snprintf(token + at, size_t(size - at), "%d", value);
  return kind;
}

// Entries of an alias file: half its ':' characters outside comments.
static uint32_t CountEntries(FileStream& s) {
  uint32_t colons = 0;
  bool comment = false;
  while (!IsStreamEnd(s)) {
    int c = ReadStreamChar(s);
    if (c == '\n' || c == '\r') comment = false;
    else if (c == ';') comment = true;
    else if (c == ':' && !comment) colons++;
  }
  RewindStream(s);
  return colons / 2;
}

void LoadAliasFile(const char* path, uint8_t kind) {
  FileStream s;
  if (!OpenStream(path, s)) ScriptErrorFormat("Can't find alias file:\n%s", path);
  uint32_t n = CountEntries(s);
  char name[256];
  for (uint32_t i = 0; i < n; i++) {
    ReadScriptLine(s, text_buffer);
    std::memcpy(name, text_buffer, sizeof name);
    name[255] = 0;
    ReadScriptLine(s, text_buffer);
    uint32_t word = 0;
    ParseOperand(&word, text_buffer, kind);
    AddName(global_aliases, name, int32_t(word), kind);
  }
  CloseStream(s);
}

void LoadAliasFiles(const char* path) {
  FileStream list;
  if (!OpenStream(path, list)) return;
  ReadToken(list, text_buffer);
  int32_t entries = ParseNumber(text_buffer);
  char file[256];
  for (int32_t i = 0; i < entries; i++) {
    ReadToken(list, text_buffer);
    std::memcpy(file, text_buffer, sizeof file);
    uint8_t kind = kKindNone;
    if (ParseNumber(text_buffer) != 0 || file[0] == '0') {
      kind = uint8_t(ParseNumber(file));
      ReadToken(list, text_buffer);
      std::memcpy(file, text_buffer, sizeof file);
    }
    file[255] = 0;
    LoadAliasFile(file, kind);
  }
  CloseStream(list);
  SortNameTable(global_aliases);
}

}  // namespace tolv
