// The 8-bit indexed frame: palette indexes, rows packed without gaps, in
// one block that fits the largest geometry. Zeroed guard bytes before and
// after it let the presentation filters read one row beyond either end.
#pragma once
#include <cstdint>

namespace tolv {

inline constexpr int32_t kFrameMaxWidth = 640;
inline constexpr int32_t kFrameMaxHeight = 480;
inline constexpr int32_t kFrameBytes = kFrameMaxWidth * kFrameMaxHeight;
inline constexpr int32_t kFrameGuardBytes = kFrameMaxWidth;  // before and after

extern uint8_t* frame_buffer;  // drawing origin, inside the block
extern int32_t frame_width;    // geometry of one view
extern int32_t frame_height;

}  // namespace tolv
