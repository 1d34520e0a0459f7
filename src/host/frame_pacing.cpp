#include "host/frame_pacing.h"

#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

FramePacing frame_pacing;

static void CountFrame(uint32_t now) {
  FramePacing& p = frame_pacing;
  p.frames_counted++;
  if (now - p.second_start < 1000) return;
  p.fps = p.frames_counted;
  p.frames_counted = 0;
  p.second_start = now;
}

bool PaceFrame(uint32_t now) {
  FramePacing& p = frame_pacing;
  if (!p.started) {
    p.started = true;
    p.second_start = now;
    p.last_frame = now - kFrameMs;
  }
  bool locked = Reg(kRegFrameLock) != 0 || p.start_lock_left;
  if (locked && now - p.last_frame < kFrameMs) return false;
  p.last_frame = now;
  if (p.start_lock_left) p.start_lock_left--;
  CountFrame(now);
  return true;
}

void LockStartFrames() { frame_pacing.start_lock_left = kStartLockFrames; }

void ResetFramePacing() { frame_pacing = FramePacing{}; }

}  // namespace tolv
