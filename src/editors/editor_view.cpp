#include "editors/editor_view.h"

#include "base/key_state.h"
#include "editors/editor_state.h"
#include "render/editor_draw_routines.h"
#include "render/screen_mode.h"
#include "script/operands.h"
#include "script/registers.h"
#include "world/camera_limits.h"

namespace tolv {

constexpr int kEditorScreenMode = 4;  // 640x480
constexpr int32_t kNoMode = -1;

uint8_t editor_top_bar = 1;

static int32_t game_screen_mode = kNoMode;  // kept while an editor holds the frame
static bool view_registers_taken = false;

bool TopBarShown() { return editor_top_bar && active_screen != kObjectEditorScreen; }

void SelectEditorDrawRoutines() { InstallEditorPlaneDrawers(TopBarShown() ? k640x440 : k640x480); }

void ApplyEditorView() {
  if (game_screen_mode == kNoMode) {
    const int32_t mode = Reg(kRegScreenMode);
    game_screen_mode = mode >= 0 && mode < kScreenModeCount ? mode : 0;
  }
  SetScreenMode(kEditorScreenMode);
  SelectEditorDrawRoutines();
}

void TakeViewRegisters() {
  if (view_registers_taken) return;
  SaveViewRegisters();
  view_registers_taken = true;
}

void EnterLevelEditor() {
  if (active_screen != 0) return;
  editor_previous_screen = active_screen;
  active_screen = kLevelEditorScreen;
  ApplyEditorView();
}

void LeaveEditor() {
  if (view_registers_taken) RestoreViewRegisters();
  view_registers_taken = false;
  if (game_screen_mode != kNoMode) SetScreenMode(game_screen_mode);
  game_screen_mode = kNoMode;
  active_screen = editor_previous_screen;
}

void ResetEditorView() {
  editor_top_bar = 1;
  game_screen_mode = kNoMode;
  view_registers_taken = false;
}

}  // namespace tolv
