// One sounding sample of an XM channel: where it plays and how loud.
// Values between source frames come from a cubic through the four frames
// around the position. A change of volume ramps over 5 ms instead of
// jumping (a jump clicks); a note that cuts another hands the old voice to
// the channel's second voice, which fades it out the same way.
#pragma once
#include <cstdint>

#include "audio/voice.h"
#include "audio/xm_module.h"

namespace tolv {

constexpr uint32_t kXmRampFrames = kMixRate / 200;
// Mix volume of a sample heard at its own level: 1 << 14.
constexpr int kXmVolumeBits = 14;

struct XmVoice {
  const XmSample* smp = nullptr;
  uint64_t pos = 0;  // 16.16 frames
  uint32_t step = 0;
  uint8_t playing = 0;
  // Volumes per side with 16 more fractional bits: where they are, where
  // the ramp ends, what a frame adds, and the frames of ramp left.
  int32_t left = 0, right = 0, left_to = 0, right_to = 0, left_step = 0, right_step = 0;
  uint32_t ramp = 0;
};

// Ramps the volumes towards these (mix volumes) from the next frame on.
void AimXmVoice(XmVoice& v, int32_t left, int32_t right);
// Mixes n frames into the stereo accumulator. False once the sample ended.
bool MixXmVoice(XmVoice& v, int32_t* acc, uint32_t n);
// Moves on n frames as MixXmVoice would, mixing nothing.
bool SkipXmVoice(XmVoice& v, uint32_t n);

}  // namespace tolv
