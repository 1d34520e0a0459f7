// The plane drawer families behind InstallPlaneDrawers: the tile-grid
// types (Flat, Relative, H Tiled, V Tiled), H Lined and V Lined, each
// filling its slots of both kinds for one view geometry.
#pragma once
#include "render/draw_routines.h"
#include "render/geometry.h"

namespace tolv {

void InstallGridPlaneDrawers(FrameGeometry g, DrawRoutines& r);
void InstallHLinedPlaneDrawers(FrameGeometry g, DrawRoutines& r);
void InstallVLinedPlaneDrawers(FrameGeometry g, DrawRoutines& r);

}  // namespace tolv
