// Plane scrolling: once for each drawn view every plane active in it takes
// its line offsets from the view's camera through two 256-entry factor
// tables, then its plane function runs and may adjust them.
#pragma once
#include <cstdint>

namespace tolv {

// Entry k: k/64 of the camera for k up to 128, (k - 128)/64 of the camera
// plus the frame count above (entry 255 takes 128/64). Rebuilt every call.
extern int32_t scroll_table_x[256];
extern int32_t scroll_table_y[256];
void FillScrollTable(int32_t* table, int32_t camera, int32_t drifting);

// The plane last examined (the last of the list after a pass) and the last
// one filled, as plane indexes; kNoPlane before any pass, and after the
// level they were taken from has gone.
constexpr uint32_t kNoPlane = 0xFFFFFFFF;
uint32_t CurrentPlane();
uint32_t CurrentFilledPlane();

// Fills every plane active in the view of register 1 for the camera in
// registers 17 and 18 plus player register 9's scroll offsets, running each
// one's plane function after its fill. In the level editor (screen 253)
// the shown planes are filled instead and no function runs.
void UpdatePlaneScroll();

}  // namespace tolv
