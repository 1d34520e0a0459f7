#include "editors/editor_hotkeys.h"

#include "base/message_log.h"
#include "editors/editor_keys.h"
#include "editors/editor_state.h"
#include "editors/editor_view.h"
#include "editors/object_editor.h"
#include "files/game_files.h"

namespace tolv {

void RunEditorHotkeys() {
  const bool level = EdPressed(kScanF2), object = EdPressed(kScanF3);
  if (!level && !object) return;
  if (!game_unpacked) {
    ShowMessage("A packed game has no editors");
    return;
  }
  if (level) {
    if (active_screen == kLevelEditorScreen) LeaveEditor();
    else EnterLevelEditor();
  } else {
    if (active_screen == kObjectEditorScreen) LeaveEditor();
    else EnterObjectEditor();
  }
}

}  // namespace tolv
