// The open archive as the file layer sees it: member lookup through the
// folder cursor and unscrambled byte reads.
#pragma once
#include <cstdint>

namespace tolv {

// Looks name up from the folder cursor (its folder part walked, the cursor
// restored); on success the member's absolute start and end.
int FindArchiveMember(const char* name, uint32_t* start, uint32_t* end);
// Unscrambled byte at absolute archive position pos, -1 when unreadable.
int ReadArchiveByte(uint32_t pos);
// Walks path from the cursor (a leading separator enters the root); stops at
// the first missing folder. 1 when the whole path was entered.
int EnterArchivePath(const char* path);

}  // namespace tolv
