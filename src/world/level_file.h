// The level file "SLEV": readers for versions 0, 1, 2, 3 and 255, the
// writer of version 3 (version 2 for tile ids the run coding cannot hold),
// and loading and saving with their notices.
#pragma once
#include <cstdint>

#include "base/byte_reader.h"
#include "base/byte_writer.h"

namespace tolv {

enum LevelReadResult { kLevelRead, kLevelUnknownVersion, kLevelDamaged };

// Reads a level at r's position: "SLEV" and the version byte, or with
// `embedded` (a level inside another file) the version byte alone. Bytes
// without the magic are a version-0 level from where r stood. The level is
// built aside and replaces the current one only when read whole; an
// unknown version leaves the default level, a damaged level (cut short, or
// past the size caps) the old one; both post a notice.
LevelReadResult ReadLevelData(ByteReader& r, bool embedded);

// Appends the level, "SLEV" first unless embedded; returns the version
// written: 3, or 2 when a cell holds a tile id of 32768 or more.
uint8_t WriteLevelData(ByteWriter& w, bool embedded);

// Reads a level file through the game file layer; a file that cannot be
// opened gives the default level and "Can't open <path>". An opened file
// becomes level_file_path unless it was damaged (the old level stays).
void LoadLevelFile(const char* path);
// Writes the level to a file of the game folder, replacing it only once
// written whole; "Saved <path>" or "Can't save <path>". The default level
// that stands in for a failed load is not written over an existing file.
bool SaveLevelFile(const char* path);

}  // namespace tolv
