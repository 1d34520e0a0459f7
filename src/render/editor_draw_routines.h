// Plane drawers of the editors' views, which draw into the 640x480 frame:
// the whole frame, or the 640x440 view under the level editor's top bar.
#pragma once

#include "render/geometry.h"

namespace tolv {

// Puts the plane drawers of view g (k640x480 or k640x440) into the twelve
// plane slots, and into their saved copy so a dropped frame restores them.
void InstallEditorPlaneDrawers(FrameGeometry g);

}  // namespace tolv
