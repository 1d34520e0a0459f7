// The editors' hotkeys, read after each screen frame outside the
// launcher: F2 enters the level editor from the game and leaves it, F3
// the same for the object editor. A game that runs from its archive says
// that it has none.
#pragma once

namespace tolv {

void RunEditorHotkeys();

}  // namespace tolv
