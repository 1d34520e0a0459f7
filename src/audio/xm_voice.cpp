// XM voice mixing: a Catmull-Rom cubic through four source frames, its
// weights tabled at 1024 phases between two frames, and volumes that hold
// or ramp. A run computes a block of values, then adds them in through
// the volume routine picked for the run; the loops test nothing but their
// count.
#include "audio/xm_voice.h"

#include <algorithm>
#include <array>

namespace tolv {

constexpr int kPhaseBits = 10, kWeightBits = 14;

using CubicTable = std::array<std::array<int16_t, 4>, 1 << kPhaseBits>;

static constexpr int16_t Round(double x) { return int16_t(x < 0 ? x - 0.5 : x + 0.5); }

static constexpr CubicTable MakeCubic() {
  CubicTable t{};
  double one = 1 << kWeightBits;
  for (int i = 0; i < (1 << kPhaseBits); i++) {
    double x = double(i) / (1 << kPhaseBits), x2 = x * x, x3 = x2 * x;
    t[i][0] = Round(one * (-x3 + 2 * x2 - x) / 2);
    t[i][2] = Round(one * (-3 * x3 + 4 * x2 + x) / 2);
    t[i][3] = Round(one * (x3 - x2) / 2);
    t[i][1] = int16_t((1 << kWeightBits) - t[i][0] - t[i][2] - t[i][3]);  // the weights sum to one
  }
  return t;
}

static constexpr CubicTable kCubic = MakeCubic();

// The value at p (16.16 frames from d); reads the frame before and the two
// after, which every sample keeps.
static inline int32_t ValueAt(const int16_t* d, uint32_t p) {
  const int16_t* f = d + (p >> 16);
  const std::array<int16_t, 4>& w = kCubic[(p >> (16 - kPhaseBits)) & ((1 << kPhaseBits) - 1)];
  return (w[0] * f[-1] + w[1] * f[0] + w[2] * f[1] + w[3] * f[2]) >> kWeightBits;
}

constexpr int kToAcc = kXmVolumeBits - 8;  // the accumulator holds 8 fractional bits
constexpr uint32_t kBlock = 256;

// Values of n frames from p on (16.16 frames from d); p stays below 2^32.
static void Values(const int16_t* d, uint32_t p, uint32_t step, int32_t* out, uint32_t n) {
  for (uint32_t i = 0; i < n; i++, p += step) out[i] = ValueAt(d, p);
}

// Adds values into the accumulator at the voice's volumes.
using Apply = void (*)(const int32_t* s, int32_t* acc, uint32_t n, XmVoice& v);

static void Flat(const int32_t* s, int32_t* acc, uint32_t n, XmVoice& v) {
  int32_t l = v.left >> 16, r = v.right >> 16;
  for (uint32_t i = 0; i < n; i++) {
    acc[2 * i] += (s[i] * l) >> kToAcc;
    acc[2 * i + 1] += (s[i] * r) >> kToAcc;
  }
}

static void Ramp(const int32_t* s, int32_t* acc, uint32_t n, XmVoice& v) {
  int32_t l = v.left, r = v.right, dl = v.left_step, dr = v.right_step;
  for (uint32_t i = 0; i < n; i++) {
    l += dl, r += dr;
    acc[2 * i] += (s[i] * (l >> 16)) >> kToAcc;
    acc[2 * i + 1] += (s[i] * (r >> 16)) >> kToAcc;
  }
  v.left = l, v.right = r;
}

// Mixes n frames in blocks: the values first, then the volumes on them.
template <Apply apply>
static void Run(XmVoice& v, const int16_t* data, int32_t* acc, uint32_t n) {
  int32_t values[kBlock];
  uint32_t most = std::min(kBlock, 0xFFFF0000u / v.step);
  while (n) {
    uint32_t k = std::min(n, most);
    Values(data + (v.pos >> 16), uint32_t(v.pos & 0xFFFF), v.step, values, k);
    apply(values, acc, k, v);
    v.pos += uint64_t(v.step) * k;
    acc += 2 * k, n -= k;
  }
}

// Past the sample's end: back into its loop, or false when it has none.
static bool WrapAtEnd(XmVoice& v, const XmSample& s) {
  if ((v.pos >> 16) < s.length) return true;
  if (!s.loop_length) return false;
  uint64_t start = uint64_t(s.loop_start) << 16;
  v.pos = start + (v.pos - start) % (uint64_t(s.loop_length) << 16);
  return true;
}

void AimXmVoice(XmVoice& v, int32_t left, int32_t right) {
  v.left_to = left << 16, v.right_to = right << 16;
  v.ramp = v.left_to == v.left && v.right_to == v.right ? 0 : kXmRampFrames;
  v.left_step = (v.left_to - v.left) / int32_t(kXmRampFrames);
  v.right_step = (v.right_to - v.right) / int32_t(kXmRampFrames);
}

bool MixXmVoice(XmVoice& v, int32_t* acc, uint32_t n) {
  const XmSample& s = *v.smp;
  const int16_t* data = XmFrames(s);
  while (n) {
    uint32_t k = FramesBefore(v.pos, s.length, v.step, n), r = k < v.ramp ? k : v.ramp;
    if (r) {
      Run<Ramp>(v, data, acc, r);
      if (!(v.ramp -= r)) v.left = v.left_to, v.right = v.right_to;
    }
    if (k > r && (v.left | v.right)) Run<Flat>(v, data, acc + 2 * r, k - r);
    else v.pos += uint64_t(v.step) * (k - r);
    acc += 2 * k, n -= k;
    if (!WrapAtEnd(v, s)) return false;
  }
  return true;
}

bool SkipXmVoice(XmVoice& v, uint32_t n) {
  uint32_t r = n < v.ramp ? n : v.ramp;
  v.left += v.left_step * int32_t(r), v.right += v.right_step * int32_t(r);
  if (r && !(v.ramp -= r)) v.left = v.left_to, v.right = v.right_to;
  v.pos += uint64_t(v.step) * n;
  return WrapAtEnd(v, *v.smp);
}

}  // namespace tolv
