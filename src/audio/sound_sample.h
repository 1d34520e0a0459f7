// A decoded sample: 16-bit frames of one or two interleaved values at the
// file's own rate, with one zero guard frame after the last for the
// interpolating mixer.
#pragma once
#include <cstddef>
#include <cstdint>

namespace tolv {

struct SoundSample {
  int16_t* data = nullptr;  // malloc'd; frame_count + 1 frames
  uint32_t frame_count = 0;
  uint32_t rate = 0;
  uint8_t channels = 0;  // 1 or 2
};

// Decodes a RIFF WAV file (PCM, 8 or 16 bits, mono or stereo) into `out`.
// Returns null, or what is wrong with it.
const char* DecodeWav(const uint8_t* bytes, size_t size, SoundSample& out);
void FreeSample(SoundSample& s);

}  // namespace tolv
