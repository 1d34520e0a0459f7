// What the loaders do to the editors' state, through slots the editors
// fill at start-up (no-ops without them).
#pragma once

namespace tolv {

// End of LoadGame: the sprite editor's selection and preview are dropped.
extern void (*reset_editor_selection)();
// StartLevel, once the act has started: the editors note the level, and
// open the level editor when `open_editor` (the command line asked for it
// and the game runs from loose files).
extern void (*note_level_start)(bool open_editor);

}  // namespace tolv
