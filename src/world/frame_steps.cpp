#include "world/frame_steps.h"

#include "world/palette.h"
#include "world/tile.h"

namespace tolv {

static void NoStep() {}
void (*animate_tiles)() = AnimateTiles;
void (*select_palette_bank)(int bank) = SelectPaletteBank;
void (*run_palette_effects)() = NoStep;
void (*ease_camera_limits)() = NoStep;
void (*update_plane_scroll)() = NoStep;

}  // namespace tolv
