// The mixer's inner loop: a run of output frames from one resampled source
// added into the stereo accumulator. Positions are 16.16 fixed-point
// frames; values are interpolated linearly between a frame and the next
// (every source keeps one guard frame after its last). Volumes are 0-256
// per side, 256 unity; the accumulator holds 8 fractional bits.
#pragma once
#include <cstdint>

namespace tolv {

constexpr uint32_t kMixRate = 44100;

using MixRun = void (*)(const int16_t* data, uint64_t& pos, uint32_t step, int32_t* acc, uint32_t n, int32_t left,
                        int32_t right);

// Positions within one call stay below 2^32 from the first frame, so the
// loop counts in 32 bits; long runs are split.
template <int C>
void MixFrames(const int16_t* data, uint64_t& pos, uint32_t step, int32_t* acc, uint32_t n, int32_t left,
               int32_t right) {
  while (n) {
    uint32_t k = n, limit = (0xFFFF0000u / step);
    if (k > limit) k = limit;
    const int16_t* d = data + (pos >> 16) * C;
    uint32_t p = uint32_t(pos & 0xFFFF);
    for (uint32_t i = 0; i < k; i++, p += step) {
      const int16_t* f = d + (p >> 16) * C;
      int32_t t = int32_t(p & 0xFFFF) >> 1;
      int32_t a = f[0] + (((f[C] - f[0]) * t) >> 15);
      int32_t b = C == 2 ? f[1] + (((f[C + 1] - f[1]) * t) >> 15) : a;
      acc[2 * i] += a * left;
      acc[2 * i + 1] += b * right;
    }
    pos = (pos & ~uint64_t(0xFFFF)) + p;
    acc += 2 * k;
    n -= k;
  }
}

inline MixRun MixRunFor(int channels) { return channels == 2 ? MixFrames<2> : MixFrames<1>; }

// Source step per output frame for a source rate.
inline uint32_t StepForRate(double rate) {
  double s = rate * 65536.0 / kMixRate;
  return s < 1 ? 1 : s > 0x7FFFFFFF ? 0x7FFFFFFF : uint32_t(s);
}

// Output frames until the position reaches frame `end` (at most `limit`).
inline uint32_t FramesBefore(uint64_t pos, uint64_t end, uint32_t step, uint32_t limit) {
  uint64_t e = end << 16;
  if (pos >= e) return 0;
  uint64_t n = (e - pos + step - 1) / step;
  return n < limit ? uint32_t(n) : limit;
}

}  // namespace tolv

namespace tolv {

// A source that ends at `length` frames, or repeats frames
// [loop_start, length) when loop_length is not 0.
struct SourceSpan {
  const int16_t* data;
  uint32_t length, loop_start, loop_length;
};

// Mixes n frames (only moves the position when `mix` is null). Returns the
// frames produced before the source ended: n while it goes on.
inline uint32_t MixSpan(MixRun mix, const SourceSpan& s, uint64_t& pos, uint32_t step, int32_t* acc, uint32_t n,
                        int32_t left, int32_t right) {
  uint32_t done = 0;
  while (done < n) {
    uint32_t k = FramesBefore(pos, s.length, step, n - done);
    if (mix) mix(s.data, pos, step, acc + 2 * done, k, left, right);
    else pos += uint64_t(step) * k;
    done += k;
    if ((pos >> 16) < s.length) continue;
    if (!s.loop_length) return done;
    uint64_t start = uint64_t(s.loop_start) << 16;
    pos = start + (pos - start) % (uint64_t(s.loop_length) << 16);
  }
  return done;
}

}  // namespace tolv
