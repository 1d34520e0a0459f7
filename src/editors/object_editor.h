// The object editor (screen 252): the level and its objects as the game
// draws them, frozen, with a cursor to place objects of a chosen type and
// the keys that save the act's layout or load it again.
#pragma once
#include <cstdint>

namespace tolv {

struct ObjectEditorCursor {
  int32_t x = 0, y = 0;  // level pixels
  int32_t type = 1;      // the object type placed next
};
extern ObjectEditorCursor object_editor_cursor;

// From the game screen only: the 640x480 frame with its plane drawers in
// all twelve slots, the cursor at the middle of player 0's view.
void EnterObjectEditor();
// Once per frame: the keys, UpdatePlaneScroll with the game's rules,
// AnimateTiles, the draw pass and the cursor: the chosen type's debug
// drawing at it (command 1408 in its placement form) and a cross.
void ObjectEditorFrame();
// An object of the cursor's type at the cursor; false when the spawn is
// refused.
bool PlaceObjectAtCursor();
// The layout file again: every object below type 9000 gone, then the file.
// With no layout file known it says so and changes nothing.
void ReloadObjectLayout();

}  // namespace tolv
