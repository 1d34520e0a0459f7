// The editors' hotkeys, read after each screen frame of a game that runs
// from loose files: F2 enters the level editor from the game and leaves
// it, F3 the same for the object editor.
#pragma once

namespace tolv {

void RunEditorHotkeys();

}  // namespace tolv
