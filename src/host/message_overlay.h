// What the host draws over every shown frame: the message log and the FPS
// figure, in the engine font.
#pragma once
#include <cstdint>

namespace tolv {

// The message log's lines, the newest lowest, as many as fit from the top
// of the frame; then "FPS: n" at the top right while register 248 bit 0
// is set.
void DrawHostOverlays(uint32_t fps);

}  // namespace tolv
