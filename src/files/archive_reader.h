// The open archive as the file layer sees it: member lookup through the
// folder cursor and unscrambled byte reads.
#pragma once
#include <cstdint>

namespace tolv {

extern uint8_t scramble_table[16];

// Looks name up from the folder cursor (its folder part walked, the cursor
// restored); on success the member's absolute start and end.
int FindArchiveMember(const char* name, uint32_t* start, uint32_t* end);
// Unscrambled byte at absolute archive position pos, -1 when unreadable.
int ReadArchiveByte(uint32_t pos);
// One path component: ".", "/", "..", or a sub-folder of the cursor's folder.
int EnterArchiveFolder(const char* name);
// Walks path from the cursor (a leading separator enters the root); stops at
// the first missing folder or empty component. 1 when the whole path was entered.
int EnterArchivePath(const char* path);

// Sets reading_loose_file from the current file (game_files.cpp).
void NoteGameFileMode();

}  // namespace tolv
