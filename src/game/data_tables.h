// Loading script data tables: tables.def and the table files it lists.
#pragma once
#include <cstdint>

#include "script/script_tables.h"

namespace tolv {

// Reads the tables file of the current folder for scope 0, 1 or 2; a
// missing file loads nothing.
void LoadDataTables(const char* name, int scope);
void LoadBinaryTable(const char* file, uint32_t t);
void LoadBinaryTable16(const char* file, uint32_t t);
void LoadBinaryTable32(const char* file, uint32_t t);
void LoadTextTable(const char* file, uint32_t t);

}  // namespace tolv
