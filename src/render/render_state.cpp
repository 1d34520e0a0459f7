#include "render/render_state.h"

#include "base/scope_counts.h"
#include "render/font.h"

namespace tolv {

void UnloadRender(int drop) {
  if (drop <= kScopeGame) FreeAllFonts();
  else if (drop == kScopeZone) FreeZoneFonts();
  else FreeActFonts();
}

}  // namespace tolv
