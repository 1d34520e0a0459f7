// The 8-bit indexed frame: one static allocation that fits the largest
// geometry, with zeroed guard rows before and after that the presentation
// filters read.
#pragma once
#include <cstddef>
#include <cstdint>

namespace tolv {

constexpr int32_t kMaxFrameWidth = 640;
constexpr int32_t kMaxFrameHeight = 480;
constexpr size_t kFrameGuardBytes = kMaxFrameWidth;  // one row of the widest geometry
constexpr size_t kFrameBytes = size_t{kMaxFrameWidth} * kMaxFrameHeight;

// Guard, frame area, guard. Drawing never writes outside the frame area.
extern uint8_t frame_memory[kFrameGuardBytes + kFrameBytes + kFrameGuardBytes];
// Drawing origin: the first pixel of the view being drawn.
extern uint8_t* frame_buffer;
// Geometry of one view; two views stacked in the two-view mode.
extern int32_t frame_width, frame_height;
extern uint8_t frame_view_count;

inline uint8_t* FrameStart() { return frame_memory + kFrameGuardBytes; }

}  // namespace tolv
