#include "world/frame_steps.h"

namespace tolv {

static void NoStep() {}
static void NoBank(int) {}
void (*animate_tiles)() = NoStep;
void (*select_palette_bank)(int bank) = NoBank;
void (*run_palette_effects)() = NoStep;
void (*ease_camera_limits)() = NoStep;
void (*update_plane_scroll)() = NoStep;

}  // namespace tolv
