// Script data tables: element blocks that scripts read by table number and
// element index. Game tables first, then the zone's, then the act's.
#pragma once
#include <cstdint>

#include "objects/object_type.h"

namespace tolv {

// Each block is zero-padded to whole 32-bit words and keeps its byte size,
// so a read past the end of a table gives 0.
extern uint8_t** script_tables;
extern uint32_t* script_table_sizes;
extern uint8_t* script_table_unsigned;
extern ScopeCounts script_table_counts;

// Reads the tables file of the current folder for scope 0, 1 or 2; a
// missing file loads nothing.
void LoadDataTables(const char* name, int scope);
void LoadBinaryTable(const char* file, uint32_t t);
void LoadBinaryTable16(const char* file, uint32_t t);
void LoadBinaryTable32(const char* file, uint32_t t);
void LoadTextTable(const char* file, uint32_t t);
// Frees the tables of the scopes from `drop` on (0 all, 1 zone and act, 2 act).
void FreeDataTables(int drop);

// Element i of table t, width 1, 2 or 4 bytes, extended by the table's flag;
// 0 for a table or element that does not exist.
int32_t ReadTableElement(uint32_t t, int32_t i, uint32_t width);

}  // namespace tolv
