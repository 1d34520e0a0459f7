#include "render/frame.h"

namespace tolv {

static uint8_t frame_block[kFrameGuardBytes + kFrameBytes + kFrameGuardBytes];
uint8_t* frame_buffer = frame_block + kFrameGuardBytes;
int32_t frame_width = 320;
int32_t frame_height = 240;

}  // namespace tolv
