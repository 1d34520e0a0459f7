#include "render/render_state.h"

#include "base/scope_counts.h"
#include "render/font.h"
#include "render/palette_effects.h"
#include "render/screen_mode.h"
#include "world/frame_steps.h"

namespace tolv {

void StartRender() {
  SetScreenMode(0);
  run_palette_effects = RunPaletteEffects;
}

void ResetRender() { SetScreenMode(0); }

void UnloadRender(int drop) {
  if (drop <= kScopeGame) FreeAllFonts();
  else if (drop == kScopeZone) FreeZoneFonts();
  else FreeActFonts();
}

}  // namespace tolv
