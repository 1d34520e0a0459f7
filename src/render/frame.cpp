#include "render/frame.h"

namespace tolv {

alignas(64) uint8_t frame_memory[kFrameGuardBytes + kFrameBytes + kFrameGuardBytes];
uint8_t* frame_buffer = FrameStart();
uint32_t row_offsets[kMaxFrameHeight];
int32_t frame_width = 320, frame_height = 240;
int32_t frame_area_height = 240;
uint8_t frame_view_count = 1;

void SelectFrameView(int v) {
  size_t rows = v == 1 && frame_view_count == 2 ? size_t(frame_height) : 0;
  frame_buffer = FrameStart() + rows * size_t(frame_width);
}

}  // namespace tolv
