#include "editors/editor_hotkeys.h"

#include "editors/editor_keys.h"
#include "editors/editor_state.h"
#include "editors/editor_view.h"
#include "editors/object_editor.h"
#include "files/game_files.h"

namespace tolv {

void RunEditorHotkeys() {
  if (!game_unpacked) return;
  if (EdPressed(kScanF2)) {
    if (active_screen == kLevelEditorScreen) LeaveEditor();
    else EnterLevelEditor();
  } else if (EdPressed(kScanF3)) {
    if (active_screen == kObjectEditorScreen) LeaveEditor();
    else EnterObjectEditor();
  }
}

}  // namespace tolv
