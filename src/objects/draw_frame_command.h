// Command 1408: draw a frame of an object type's sprite sets at the
// running object, or at the placement cursor while the draw pass runs a
// debug placement preview.
#pragma once

namespace tolv {

constexpr int kDrawFrameCommand = 1408;

void DrawObjectFrame();
void DrawPlayerObjectFrame();

}  // namespace tolv
