// The level editor (screen 253): a tile cursor over the plane being
// edited, which it always draws as a Flat plane, with the planes whose
// show flag is set drawn as the game draws them.
#pragma once
#include <cstdint>

namespace tolv {

// Cursor cell on the edited plane and the block corner it marked.
struct LevelEditorCursor {
  int32_t x = 0, y = 0;
  uint8_t marked = 0;
  int32_t mark_x = 0, mark_y = 0;
};
extern LevelEditorCursor level_editor_cursor;

// Once per frame: the keys, the view registers of the edited plane,
// UpdatePlaneScroll, AnimateTiles, then the planes, cursor and bars.
void LevelEditorFrame();
// The shown planes and the edited one in plane order, under the top bar
// when it is shown.
void DrawLevelEditorPlanes();
// The block from the mark to the cursor (the cursor's cell alone without a
// mark) into "dump/tilemap.txt".
bool DumpMarkedBlock();

}  // namespace tolv
