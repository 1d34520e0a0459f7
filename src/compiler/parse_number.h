// Numeric literals of def files: decimal, "$" hex, "%" binary, "'" char.
#pragma once
#include <cstdint>

namespace tolv {

// Value of a numeric token; blanks out the prefix characters it reads.
int32_t ParseNumber(char* text);

}  // namespace tolv
