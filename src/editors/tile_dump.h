// The level editor's tile dump: a block of a plane as the width, height
// and tile lines of an object type's own tile map.
#pragma once
#include <cstdint>
#include <string>

#include "world/tile_plane.h"

namespace tolv {

constexpr const char* kTileDumpPath = "dump/tilemap.txt";

// The text for the block of w x h cells whose top-left cell is (x, y);
// cells outside the plane dump as tile 0.
std::string TileDumpText(const TilePlane& plane, int64_t x, int64_t y, uint32_t w, uint32_t h);
// Writes it to "dump/tilemap.txt" of the game folder (the folder made when
// missing); false, after a message, when it cannot be written.
bool WriteTileDump(const TilePlane& plane, int64_t x, int64_t y, uint32_t w, uint32_t h);

}  // namespace tolv
