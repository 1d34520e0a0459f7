#include "render/frame.h"

namespace tolv {

alignas(64) uint8_t frame_memory[kFrameGuardBytes + kFrameBytes + kFrameGuardBytes];
uint8_t* frame_buffer = FrameStart();
int32_t frame_width = 320, frame_height = 240;
uint8_t frame_view_count = 1;

}  // namespace tolv
