#include "host/hotkeys.h"

#include "base/key_state.h"
#include "editors/editor_hotkeys.h"
#include "game/saved_state.h"
#include "host/game_start.h"
#include "host/key_input.h"
#include "host/screenshot.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

bool quit_requested = false;

static bool Pressed(uint8_t code) { return key_state[code] != 0; }

// States belong to a running game: not on the launcher, the countdown or
// in an editor.
static bool GameRunning() { return active_screen == kGameScreen; }

void RunHotkeys() {
  if (Pressed(kScanEsc)) quit_requested = true;
  if (Pressed(kScanF11)) Reg(kRegDisplay) ^= 1;
  if (Pressed(kScanF12)) TakeScreenshot();
  if (Pressed(kScanF9) && GameRunning()) SaveStateHotkey();
  if (Pressed(kScanF10) && GameRunning()) LoadStateHotkey();
  if (active_screen != kLauncherScreen) RunEditorHotkeys();
  if (Pressed(kScanF8) && active_screen != kLauncherScreen) ReturnToGameSelect();
}

}  // namespace tolv
