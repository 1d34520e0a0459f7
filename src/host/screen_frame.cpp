#include "host/screen_frame.h"

#include <cstring>

#include "base/key_state.h"
#include "base/wrap32.h"
#include "editors/editor_state.h"
#include "editors/level_editor.h"
#include "editors/object_editor.h"
#include "host/game_start.h"
#include "host/message_overlay.h"
#include "render/draw_routines.h"
#include "render/frame.h"
#include "render/presenters.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

constexpr uint32_t kRegScreenFrames = 55;

uint32_t frames_presented = 0;

static void BlankScreen() { std::memset(FrameStart(), 0, FrameAreaBytes()); }
static void LauncherScreen() { launcher_frame(); }

ScreenRoutine ScreenRoutineFor(uint8_t screen) {
  switch (screen) {
    case kGameScreen: return RunGameScreen;
    case kStartCountdownScreen: return RunStartCountdown;
    case kLauncherScreen: return LauncherScreen;
    case kObjectEditorScreen: return ObjectEditorFrame;
    case kLevelEditorScreen: return LevelEditorFrame;
    default: return BlankScreen;
  }
}

void RunScreenFrame(uint32_t fps) {
  Reg(kRegScreenFrames) = Wrap32Add(Reg(kRegScreenFrames), 1);
  const bool dropped = Reg(kRegFrameSkip) != 0;
  if (dropped) SwapInSkipRoutines();
  ScreenRoutineFor(active_screen)();
  if (dropped) {
    RestoreDrawRoutines();
    int32_t& left = Reg(kRegFrameSkip);
    left = left > 0 ? left - 1 : 0;
    return;
  }
  int32_t setting = Reg(kRegFrameSkipSetting);
  Reg(kRegFrameSkip) = setting > 0 ? setting : 0;
  DrawHostOverlays(fps);
  PresentFrame();
  frames_presented++;
}

}  // namespace tolv
