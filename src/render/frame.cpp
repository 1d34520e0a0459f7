#include "render/frame.h"

namespace tolv {

alignas(64) uint8_t frame_memory[kFrameGuardBytes + kFrameBytes + kFrameGuardBytes];
uint8_t* frame_buffer = FrameStart();
uint32_t row_offsets[kMaxFrameHeight];
int32_t frame_width = 320, frame_height = 240;
int32_t frame_area_height = 240;
uint8_t frame_view_count = 1;

uint64_t FrameAreaHash() {
  uint64_t h = 1469598103934665603ull;
  const uint8_t* p = FrameStart();
  for (size_t i = 0; i < FrameAreaBytes(); i++) h = (h ^ p[i]) * 1099511628211ull;
  return h;
}

void SelectFrameView(int v) {
  size_t rows = v == 1 && frame_view_count == 2 ? size_t(frame_height) : 0;
  frame_buffer = FrameStart() + rows * size_t(frame_width);
}

}  // namespace tolv
