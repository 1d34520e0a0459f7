// Start-up, reset and scope unloads of the renderer: the frame and the
// screen mode with its routines, the palette effects step, and the
// renderer's lists of the game, zone and act scopes.
#pragma once

namespace tolv {

// Screen mode 0 installed and the palette effects in the game frame's slot.
void StartRender();
// A new run: screen mode 0 again, a blank frame, drawing on view 0.
void ResetRender();

// Frees what the scopes from `drop` on loaded (kScopeGame all, kScopeZone
// zone and act, kScopeAct act): fonts.
void UnloadRender(int drop);

}  // namespace tolv
