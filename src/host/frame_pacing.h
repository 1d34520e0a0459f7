// Frame pacing of the idle tick: whether a call releases a frame, and the
// FPS figure. The clock is passed in (milliseconds), so the rule runs
// without a timer.
#pragma once
#include <cstdint>

namespace tolv {

constexpr uint32_t kFrameMs = 16;
constexpr uint8_t kStartLockFrames = 16;

struct FramePacing {
  uint32_t last_frame = 0;    // when the last frame was released
  uint32_t second_start = 0;  // start of the second being counted
  uint32_t frames_counted = 0;
  uint32_t fps = 0;             // frames released in the last whole second
  uint8_t start_lock_left = 0;  // locked frames still owed to a game start
  bool started = false;
};
extern FramePacing frame_pacing;

// With FrameLock on (register 251) or during the frames after a game
// start, a frame is released only once 16 ms have passed since the last;
// a late frame releases one frame and the next is timed from it. With
// FrameLock off every call releases one. Once a second the count of
// released frames becomes the FPS figure.
bool PaceFrame(uint32_t now_ms);
// A game started: the next 16 frames are paced whatever register 251 says.
void LockStartFrames();
void ResetFramePacing();

}  // namespace tolv
