// The 8-bit indexed frame: one static allocation that fits the largest
// geometry, with zeroed guard rows before and after that the presentation
// filters read, and the row table of the installed geometry.
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
// Drawing origin: the first pixel of the view being drawn. The game frame
// moves it to the second view of the two-view mode for that view's pass.
extern uint8_t* frame_buffer;
// Row y of the view starts at frame_buffer + row_offsets[y] (y * frame_width).
extern uint32_t row_offsets[kMaxFrameHeight];
// Geometry of one view as the installed routines draw it, and the whole
// area the screen mode shows (two views stacked in the two-view mode).
extern int32_t frame_width, frame_height;
extern int32_t frame_area_height;
extern uint8_t frame_view_count;

inline uint8_t* FrameStart() { return frame_memory + kFrameGuardBytes; }
inline size_t FrameAreaBytes() { return size_t(frame_width) * size_t(frame_area_height); }
// FNV-1a of the screen mode's whole frame area.
uint64_t FrameAreaHash();
// Points frame_buffer at view v (0 or 1) of the installed screen mode.
void SelectFrameView(int v);

}  // namespace tolv
