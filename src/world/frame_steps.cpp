#include "world/frame_steps.h"

#include "world/camera_limits.h"
#include "world/palette.h"
#include "world/plane_scroll.h"
#include "world/tile.h"

namespace tolv {

static void NoStep() {}
void (*animate_tiles)() = AnimateTiles;
void (*select_palette_bank)(int bank) = SelectPaletteBank;
void (*run_palette_effects)() = NoStep;
void (*ease_camera_limits)() = EaseCameraLimits;
void (*update_plane_scroll)() = UpdatePlaneScroll;

uint32_t game_frame_counter = 0;
uint8_t view_count = 1;

}  // namespace tolv
