#include "editors/editor_state.h"

#include "base/key_state.h"
#include "editors/editor_view.h"
#include "editors/level_editor.h"
#include "editors/object_editor.h"
#include "game/editor_hooks.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

SpriteEditorSelection sprite_editor;
TimedScriptContext sprite_preview_context;
uint8_t editor_warp_zone = 0, editor_warp_act = 0;
uint8_t editor_previous_screen = 0;
ObjectSlot* object_editor_selection = nullptr;

void StartEditors() {
  reset_editor_selection = ResetSpriteEditorSelection;
  note_level_start = NoteLevelStart;
}

void ResetEditors() {
  sprite_editor = SpriteEditorSelection{};
  editor_warp_zone = editor_warp_act = 0;
  editor_previous_screen = 0;
  object_editor_selection = nullptr;
  level_editor_cursor = LevelEditorCursor{};
  object_editor_cursor = ObjectEditorCursor{};
  ResetEditorView();
}

void ResetSpriteEditorSelection() {
  sprite_editor = SpriteEditorSelection{};
  timed_context = &sprite_preview_context;
  FreeTimedContext();
}

void NoteLevelStart(bool open_editor) {
  editor_warp_zone = uint8_t(Reg(kRegZone));
  editor_warp_act = uint8_t(Reg(kRegAct));
  if (open_editor) {
    ApplyEditorView();
    active_screen = kLevelEditorScreen;
    editor_previous_screen = 0;
  }
  object_editor_selection = nullptr;
}

}  // namespace tolv
