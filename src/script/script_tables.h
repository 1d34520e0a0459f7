// Script data tables: element blocks that scripts read by table number and
// element index. Game tables first, then the zone's, then the act's.
#pragma once
#include <cstdint>

#include "base/scope_counts.h"

namespace tolv {

// Each block is zero-padded to whole 32-bit words and keeps its byte size,
// so a read past the end of a table gives 0.
extern uint8_t** script_tables;
extern uint32_t* script_table_sizes;
extern uint8_t* script_table_unsigned;
extern ScopeCounts script_table_counts;

// Grows or shrinks the three arrays to `total`, new entries empty.
void ResizeScriptTables(uint32_t old, uint32_t total);
// Table t becomes a zero-filled block of n bytes rounded up to whole words.
uint8_t* NewScriptTable(uint32_t t, uint32_t n);
// Frees the tables of the scopes from `drop` on (0 all, 1 zone and act, 2 act).
void FreeDataTables(int drop);

// Element i of table t, width 1, 2 or 4 bytes, extended by the table's flag;
// 0 for a table or element that does not exist.
int32_t ReadTableElement(uint32_t t, int32_t i, uint32_t width);

}  // namespace tolv
