// Screen modes: the frame geometry, the geometry registers and the
// drawing routines of each mode.
#pragma once
#include <cstdint>

namespace tolv {

constexpr int kScreenModeCount = 6;

// Installs mode 0-5 (others are ignored): frame geometry, row_offsets,
// registers 0 and 11-16, the routine slots and their saved copy; the
// frame area is cleared and frame_buffer points at view 0.
void SetScreenMode(int mode);

}  // namespace tolv
