// What the host draws over every shown frame: the message log's recent
// lines and the FPS figure, in the engine font.
#pragma once
#include <cstdint>

namespace tolv {

// A line shows for this long after it was posted, with at most this many
// at once, so that notices never bury the game or the launcher.
constexpr uint32_t kMessageShowMs = 4000;
constexpr int kShownMessages = 5;

// The recent lines of the message log from the top of the frame, the
// newest lowest; then "FPS: n" at the top right while register 248 bit 0
// is set.
void DrawHostOverlays(uint32_t fps);

}  // namespace tolv
