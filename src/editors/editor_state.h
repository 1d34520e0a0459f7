// The editors' own state: what the loaders reset or set, the screens, and
// the editors' start-up.
#pragma once
#include <cstdint>

#include "script/machine.h"
#include "script/records.h"
#include "world/sprite_frame.h"

namespace tolv {

constexpr uint8_t kSpriteEditorScreen = 251;
constexpr uint8_t kObjectEditorScreen = 252;
constexpr uint8_t kLevelEditorScreen = 253;

// The sprite editor's selection: which list of frames it shows (game,
// zone or act sets, or a character's frames), the set and the frame.
struct SpriteEditorSelection {
  uint16_t set = 0;
  uint8_t list_mode = 0;
  uint16_t frame = 0;
  uint16_t frame_count = 0;
  SpriteFrame* frames = nullptr;
};
extern SpriteEditorSelection sprite_editor;
// Runs the Animation of the frame shown, as the game would.
extern TimedScriptContext sprite_preview_context;

// The level the editors were last opened over: zone and act as the level
// start loaded them.
extern uint8_t editor_warp_zone, editor_warp_act;
// The screen leaving an editor returns to.
extern uint8_t editor_previous_screen;
// The object the object editor last placed, or null.
extern ObjectSlot* object_editor_selection;

// Fills the loaders' editor slots; at engine start, after InitEngine.
void StartEditors();
// No editor open and nothing selected: every record of the editors as at
// start-up (the game's frame and registers are not touched).
void ResetEditors();
// LoadGame: no sprite editor selection, its preview context freed (and
// left current, as the sprite editor expects).
void ResetSpriteEditorSelection();
// StartLevel: notes the level; opens the level editor when asked.
void NoteLevelStart(bool open_editor);

}  // namespace tolv
