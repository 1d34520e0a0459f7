// The presenter members: one routine per geometry, depth and kind, with W,
// H and the pixel size built in; the filter is chosen once per call.
#include <array>
#include <cstddef>

#include "world/palette.h"
#include "render/present_pixels.h"

namespace tolv {

const uint8_t* present_source = nullptr;
uint8_t* present_target = nullptr;
uint8_t* present_target2 = nullptr;
ptrdiff_t second_line_offset = 0;
uint8_t filter = kFilterNone;
uint8_t surface_depth = 32;

// Surface bytes from one output row pair (or row) to the next.
template <PresentKind K> inline ptrdiff_t RowStep(ptrdiff_t pitch) {
  return K == kPresentDouble || K == kPresentScanline ? 2 * pitch : pitch;
}

// Depth 8: indexes copied unchanged; filter and lookup are not read.
template <int W, int H, PresentKind K>
static void CopyView(const uint8_t* s, uint8_t* t, uint8_t* t2, ptrdiff_t pitch) {
  if constexpr (K == kPresentNormal) {
    if (pitch == W) return (void)std::memcpy(t, s, W * H);
  }
  const ptrdiff_t step = RowStep<K>(pitch);
  for (int y = 0; y < H; y++, s += W, t += step, t2 += step) {
    if constexpr (K == kPresentNormal) {
      std::memcpy(t, s, W);
    } else {
      for (int x = 0; x < W; x++) {
        uint16_t pair = uint16_t(s[x] * 0x0101u);
        std::memcpy(t + 2 * x, &pair, 2);
      }
      if constexpr (K == kPresentDouble) std::memcpy(t2, t, 2 * W);
    }
  }
}

// Colours of N indexes, stored unaligned at d: into a row buffer, or
// straight into the surface where the colour is the pixel (Normal, no
// filter, depths 15, 16 and 32). Eight indexes per source load.
template <int N, int D>
static void LookUpRun(const uint8_t* __restrict s, uint8_t* __restrict d, const uint32_t* __restrict lut) {
  static_assert(N % 8 == 0);
  using C = Colour<D>;
  for (int x = 0; x < N; x += 8, s += 8, d += 8 * sizeof(C)) {
    uint64_t eight;
    std::memcpy(&eight, s, 8);
    for (int k = 0; k < 8; k++) {
      C c = C(lut[eight >> (8 * k) & 0xFF]);
      std::memcpy(d + k * sizeof(C), &c, sizeof(C));
    }
  }
}

// One source row's output from its colours m and the rows above and below.
template <int W, int D, PresentKind K, PresentFilter F>
static void EmitRow(const Colour<D>* __restrict up, const Colour<D>* __restrict m, const Colour<D>* __restrict dn,
                    uint8_t* __restrict o, uint8_t* __restrict o2) {
  constexpr int kBytes = PixelDepth<D>::kBytes;
  constexpr int kStep = (K == kPresentNormal ? 1 : 2) * kBytes;
  constexpr bool kCopyLine = K == kPresentDouble && kSameLines<D, F>;
  for (int x = 0; x < W; x++) {
    constexpr bool kRows = F == kFilterAntiAlias;  // only Anti-Alias reads the rows above and below
    PixelQuad<D> q = FilterPixel<D, K, F>(m[x], m[x - 1], m[x + 1], kRows ? up[x] : 0, kRows ? dn[x] : 0);
    PutPixel<D>(o + kStep * x, q.a);
    if constexpr (K != kPresentNormal) PutPixel<D>(o + kStep * x + kBytes, q.b);
    if constexpr (K == kPresentDouble && !kCopyLine) {
      PutPixel<D>(o2 + kStep * x, q.c);
      PutPixel<D>(o2 + kStep * x + kBytes, q.d);
    }
  }
  if constexpr (kCopyLine) std::memcpy(o2, o, W * kStep);
}

// Depth 24 writes bits 16-23 first in memory. The filters act on each
// byte lane alike, so the call swaps the lookup's outer bytes once and
// filters as at 32 bits; a line of such pixels then packs into three bytes
// each, four pixels to three stores.
static void SwapOuterBytes(const uint32_t* lut, uint32_t* swapped) {
  for (int i = 0; i < 256; i++) swapped[i] = __builtin_bswap32(lut[i]) >> 8;
}

static void PackLine24(const uint32_t* __restrict line, uint8_t* __restrict o, int n) {
  for (int i = 0; i < n; i += 4, line += 4, o += 12) {
    uint32_t w0 = line[0] | line[1] << 24, w1 = line[1] >> 8 | line[2] << 16, w2 = line[2] >> 16 | line[3] << 8;
    std::memcpy(o, &w0, 4);
    std::memcpy(o + 4, &w1, 4);
    std::memcpy(o + 8, &w2, 4);
  }
}

template <int W, PresentKind K, PresentFilter F>
static void EmitRow24(const uint32_t* up, const uint32_t* m, const uint32_t* dn, uint8_t* o, uint8_t* o2) {
  constexpr int kWidth = (K == kPresentNormal ? 1 : 2) * W;
  if constexpr (K == kPresentNormal && F == kFilterNone) return PackLine24(m, o, W);
  uint32_t lines[2][kWidth];
  EmitRow<W, 32, K, F>(up, m, dn, reinterpret_cast<uint8_t*>(lines[0]), reinterpret_cast<uint8_t*>(lines[1]));
  PackLine24(lines[0], o, kWidth);
  if constexpr (K == kPresentDouble) PackLine24(lines[1], o2, kWidth);
}

// Each source row is looked up once into a ring of three colour rows, the
// current one with a neighbour at each end, from which the filters read
// all five neighbours: the view is one run of W x H indexes, so a row's
// left neighbour is the previous row's last pixel, and the guard bytes
// around the frame stand in beyond either end.
template <int W, int H, int D, PresentKind K, PresentFilter F>
static void ConvertView(const uint8_t* s, uint8_t* t, uint8_t* t2, ptrdiff_t pitch, const uint32_t* lut) {
  const ptrdiff_t step = RowStep<K>(pitch);
  if constexpr (K == kPresentNormal && F == kFilterNone && D != 24) {
    for (int y = 0; y < H; y++, s += W, t += step) LookUpRun<W, D>(s, t, lut);
    return;
  }
  uint32_t swapped[256];
  if constexpr (D == 24) {
    SwapOuterBytes(lut, swapped);
    lut = swapped;
  }
  Colour<D> rows[3][W + 2];
  Colour<D>* up = rows[0] + 1;
  Colour<D>* mid = rows[1] + 1;
  Colour<D>* dn = rows[2] + 1;
  auto look_up = [lut](const uint8_t* from, Colour<D>* to) { LookUpRun<W, D>(from, reinterpret_cast<uint8_t*>(to), lut); };
  if constexpr (F == kFilterAntiAlias) {
    look_up(s - W, up);
    look_up(s, mid);
  }
  for (int y = 0; y < H; y++, s += W, t += step, t2 += step) {
    if constexpr (F == kFilterAntiAlias) {
      look_up(s + W, dn);
    } else {
      look_up(s, mid);
    }
    mid[-1] = Colour<D>(lut[s[-1]]);
    mid[W] = Colour<D>(lut[s[W]]);
    if constexpr (D == 24) EmitRow24<W, K, F>(up, mid, dn, t, t2);
    else EmitRow<W, D, K, F>(up, mid, dn, t, t2);
    Colour<D>* spare = up;
    up = mid;
    mid = dn;
    dn = spare;
  }
}

template <int W, int H, int D, PresentKind K>
static void Present() {
  const uint8_t* s = present_source;
  present_source = s + W * H;
  uint8_t* t = present_target;
  uint8_t* t2 = present_target2;
  const ptrdiff_t pitch = second_line_offset;
  if constexpr (D == 8) {
    CopyView<W, H, K>(s, t, t2, pitch);
  } else {
    const uint32_t* lut = colour_lookup;
    switch (filter) {
      case kFilterNone: ConvertView<W, H, D, K, kFilterNone>(s, t, t2, pitch, lut); break;
      case kFilterTvBlur: ConvertView<W, H, D, K, kFilterTvBlur>(s, t, t2, pitch, lut); break;
      case kFilterAntiAlias: ConvertView<W, H, D, K, kFilterAntiAlias>(s, t, t2, pitch, lut); break;
      default: return;
    }
  }
  present_target = t + H * RowStep<K>(pitch);
  present_target2 = t2 + H * RowStep<K>(pitch);
}

using DepthMembers = std::array<PresentRoutine, 5>;  // depths 8, 15, 16, 24, 32

template <int W, int H, PresentKind K>
constexpr DepthMembers kMembers = {Present<W, H, 8, K>, Present<W, H, 15, K>, Present<W, H, 16, K>,
                                   Present<W, H, 24, K>, Present<W, H, 32, K>};

template <int W, int H>
constexpr std::array<DepthMembers, 4> kAllKinds = {kMembers<W, H, kPresentNormal>, kMembers<W, H, kPresentDouble>,
                                                   kMembers<W, H, kPresentScanline>,
                                                   kMembers<W, H, kPresentStretch>};

struct PresenterFamily {
  int32_t width, height;
  std::array<DepthMembers, 4> members;  // by kind; null where none is built
};

static const PresenterFamily families[] = {
    {320, 224, kAllKinds<320, 224>},
    {320, 240, kAllKinds<320, 240>},
    {424, 240, {kMembers<424, 240, kPresentNormal>, kMembers<424, 240, kPresentDouble>, {}, {}}},
    {640, 480, {kMembers<640, 480, kPresentNormal>, {}, {}, {}}},
};

static int DepthIndex(uint8_t depth) {
  switch (depth) {
    case 8: return 0;
    case 15: return 1;
    case 16: return 2;
    case 24: return 3;
    case 32: return 4;
    default: return -1;
  }
}

PresentRoutine FindPresenter(int32_t width, int32_t height, uint8_t depth, PresentKind kind) {
  int d = DepthIndex(depth);
  if (d < 0 || kind > kPresentStretch) return nullptr;
  for (const PresenterFamily& f : families)
    if (f.width == width && f.height == height) return f.members[kind][d];
  return nullptr;
}

}  // namespace tolv
