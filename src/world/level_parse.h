// A level being read: built aside from the running level and installed
// only once the whole file was read.
#pragma once
#include <cstdint>

#include "base/byte_reader.h"
#include "world/level.h"
#include "world/level_file.h"

namespace tolv {

struct ParsedLevel {
  PlaneList planes;
  uint32_t width = 0;  // level_width, level_height
  uint32_t height = 0;
  int32_t water_line = 0;
};

// Parses a level at r's position (no magic when embedded) without
// touching the running one.
// The version byte goes to *version when given.
LevelReadResult ParseLevelData(ByteReader& r, bool embedded, ParsedLevel& level, int* version = nullptr);
// Makes a parsed level the running one: its planes, size and water line,
// the camera limits of its Flat planes and a fresh view.
void InstallLevel(ParsedLevel& level);

// Each returns false for a level that cannot be built: sizes past the
// caps, or a map larger than the bytes left could hold. A read past the
// end shows in r.failed.
bool ReadLevelBody(ByteReader& r, bool run_length, ParsedLevel& level);
bool ReadLevelVersion0(ByteReader& r, ParsedLevel& level);
bool ReadLevelVersion1(ByteReader& r, ParsedLevel& level);
bool ReadLevelVersion255(ByteReader& r, ParsedLevel& level);

// A wrap length read from a file, kept to 1..extent (0 means the extent),
// so no drawer reads past a map.
inline uint32_t FileWrap(uint32_t wrap, uint32_t extent) { return wrap == 0 || wrap > extent ? extent : wrap; }

}  // namespace tolv
