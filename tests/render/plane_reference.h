// The plane drawers' reference: each pixel of a W x R view worked out on
// its own from the plane, its offsets, the camera registers and the tiles,
// with the same guards the drawers keep (wraps kept to the plane, floor
// wrapping, ids beyond the set drawing nothing). Slow and plain on purpose.
#pragma once
#include <cstdint>

#include "world/tile_plane.h"

namespace tolv::test {

// Draws plane p as a drawer of `type` and kind `opaque` would into the
// W x R view at `view` (rows W apart).
void DrawPlaneReference(const TilePlane* p, uint8_t type, bool opaque, int W, int R, uint8_t* view);

}  // namespace tolv::test
