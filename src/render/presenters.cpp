// The presenter members: one routine per geometry, depth and kind, with W,
// H and the pixel size built in; the filter is chosen once per call.
#include <array>
#include <cstddef>

#include "world/palette.h"
#include "render/present_lookup.h"
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

// One call's pixel tables, from colour_lookup: each index's pixel (in the
// lookup planes), and its pixel doubled for the kinds that write pairs. At
// depth 24 the outer bytes are swapped, so a little-endian store puts bits
// 16-23 first; the filters act on each byte lane alike, so they work on
// swapped values too.
template <int D> using Pair = std::conditional_t<(D <= 16), uint32_t, uint64_t>;

template <int D> struct PixelTables {
  Pair<D> two[256];
  LookupPlanes planes;
};

template <int D> static void BuildTables(const uint32_t* __restrict lut, PixelTables<D>& t, bool pairs) {
  constexpr Pair<D> kTwice = D <= 16 ? 0x10001u : D == 24 ? 0x1000001u : 0x100000001u;
  uint32_t colours[256];
  for (int i = 0; i < 256; i++) colours[i] = Colour<D>(D == 24 ? __builtin_bswap32(lut[i]) >> 8 : lut[i]);
  BuildLookupPlanes(colours, t.planes);
  if (pairs)
    for (int i = 0; i < 256; i++) t.two[i] = Pair<D>(colours[i]) * kTwice;
}

LookUpRun look_up_16 = LookUpScalar<2>;
LookUpRun look_up_32 = LookUpScalar<4>;
LookUpRun look_up_24 = LookUpScalar<3>;
LookUpRun look_up_24_twice = LookUpScalar24Twice;
PackRun pack_24 = Pack24Scalar;
bool vector_lookups = false;

bool VectorLookupsAvailable() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
         __builtin_cpu_supports("avx512vbmi");
}

void UseVectorLookups(bool on) {
  on = on && VectorLookupsAvailable();
  look_up_16 = on ? LookUpVbmi<2> : LookUpScalar<2>;
  look_up_32 = on ? LookUpVbmi<4> : LookUpScalar<4>;
  look_up_24 = on ? LookUpVbmi24<1> : LookUpScalar<3>;
  look_up_24_twice = on ? LookUpVbmi24<2> : LookUpScalar24Twice;
  pack_24 = on ? Pack24Vbmi : Pack24Scalar;
  vector_lookups = on;
}

static const bool vector_lookups_chosen = (UseVectorLookups(true), true);

// Colours of W indexes, unaligned at d: a colour row, or the surface row
// itself where the colour is the pixel.
template <int W, int D>
static void LookUpRow(const uint8_t* __restrict s, uint8_t* __restrict d, const PixelTables<D>& t) {
  (D <= 16 ? look_up_16 : look_up_32)(s, d, t.planes, W);
}

template <typename T> inline void Store(uint8_t* p, T v) { std::memcpy(p, &v, sizeof v); }

// Long row copies go to the library's memcpy: inlined with a constant size
// it becomes a string move, several times slower on some machines.
[[gnu::noinline]] static void CopyRow(uint8_t* __restrict to, const uint8_t* __restrict from, size_t bytes) {
  std::memcpy(to, from, bytes);
}

// Filter None at 24 bits straight from the indexes, eight per source load,
// four pixels in three words.
template <int W>
static void NormalRow24(const uint8_t* __restrict s, uint8_t* __restrict o, const uint32_t* __restrict one) {
  static_assert(W % 8 == 0);
  for (int x = 0; x < W; x += 8, s += 8, o += 24) {
    uint64_t e;
    std::memcpy(&e, s, 8);
    for (int k = 0; k < 8; k += 4, e >>= 32) {
      uint64_t a = one[e & 0xFF], b = one[e >> 8 & 0xFF], c = one[e >> 16 & 0xFF], d = one[e >> 24 & 0xFF];
      Store(o + 3 * k, a | b << 24 | c << 48);
      Store(o + 3 * k + 8, uint32_t(c >> 16 | d << 8));
    }
  }
}

// Filter None for the kinds that write each pixel twice across; Double
// stores each word on both lines.
template <int W, int D, bool kBothLines>
static void PairRow(const uint8_t* __restrict s, uint8_t* __restrict o, uint8_t* __restrict o2,
                    const Pair<D>* __restrict two) {
  constexpr int kBytes = 2 * PixelDepth<D>::kBytes;
  auto put = [o, o2](ptrdiff_t at, auto v) {
    Store(o + at, v);
    if constexpr (kBothLines) Store(o2 + at, v);
  };
  for (int x = 0; x < W; x += 8, s += 8) {
    uint64_t e;
    std::memcpy(&e, s, 8);
    for (int k = 0; k < 8; k += 2, e >>= 16) {
      Pair<D> p = two[e & 0xFF], q = two[e >> 8 & 0xFF];
      ptrdiff_t at = (x + k) * kBytes;
      if constexpr (D <= 16) {
        put(at, uint64_t(p) | uint64_t(q) << 32);
      } else if constexpr (D == 32) {
        put(at, p);
        put(at + 8, q);
      } else {
        put(at, p | q << 48);
        put(at + 8, uint32_t(q >> 16));
      }
    }
  }
}

// A row of 15- or 16-bit colours written twice across, on both lines for
// Double.
template <int W, int D, bool kBothLines>
static void PairUp(const Colour<D>* __restrict row, uint8_t* __restrict o, uint8_t* __restrict o2) {
  for (int x = 0; x < W; x++) {
    uint32_t p = row[x] * 0x10001u;
    Store(o + 4 * x, p);
    if constexpr (kBothLines) Store(o2 + 4 * x, p);
  }
}

// With vector lookups 24-bit rows are woven straight from the indexes, and
// 15- and 16-bit rows are looked up in one pass and then spread; the
// scalar lookups write pixels or pairs straight from the indexes, as do
// 32-bit pairs either way (one load and store a pixel).
template <int W, int H, int D, PresentKind K>
static void ConvertPlain(const uint8_t* s, uint8_t* t, uint8_t* t2, ptrdiff_t step, const PixelTables<D>& tables) {
  const bool vector = vector_lookups;
  alignas(64) Colour<D> row[W];
  for (int y = 0; y < H; y++, s += W, t += step, t2 += step) {
    if constexpr (K == kPresentNormal && D != 24) {
      LookUpRow<W, D>(s, t, tables);
    } else if (!vector || D == 32) {
      if constexpr (K == kPresentNormal) NormalRow24<W>(s, t, tables.planes.colours);
      else PairRow<W, D, K == kPresentDouble>(s, t, t2, tables.two);
    } else if constexpr (D == 24) {
      (K == kPresentNormal ? look_up_24 : look_up_24_twice)(s, t, tables.planes, W);
      if constexpr (K == kPresentDouble) CopyRow(t2, t, 6 * W);
    } else {
      LookUpRow<W, D>(s, reinterpret_cast<uint8_t*>(row), tables);
      PairUp<W, D, K == kPresentDouble>(row, t, t2);
    }
  }
}

// One source row's filtered output from its colours m and the rows above
// and below, stored straight onto the surface; at 24 bits through a line
// buffer that packs four pixels into three words.
template <int W, int D, PresentKind K, PresentFilter F>
[[gnu::always_inline]] inline void EmitRow(const Colour<D>* __restrict up, const Colour<D>* __restrict m,
                                           const Colour<D>* __restrict dn, uint8_t* __restrict o,
                                           uint8_t* __restrict o2) {
  constexpr int kWidth = (K == kPresentNormal ? 1 : 2) * W;
  constexpr bool kSecond = K == kPresentDouble && !kSameLines<D, F>;
  constexpr bool kRows = F == kFilterAntiAlias;  // only Anti-Alias reads the rows above and below
  constexpr bool kBuffer = D == 24;
  constexpr int kSize = sizeof(Colour<D>);
  alignas(16) Colour<D> lines[kBuffer ? 2 : 1][kBuffer ? kWidth : 1];
  uint8_t* first = kBuffer ? reinterpret_cast<uint8_t*>(lines[0]) : o;
  uint8_t* second = kBuffer ? reinterpret_cast<uint8_t*>(lines[kSecond]) : o2;
  for (int x = 0; x < W; x++) {
    PixelQuad<D> q = FilterPixel<D, K, F>(m[x], m[x - 1], m[x + 1], kRows ? up[x] : 0, kRows ? dn[x] : 0);
    if constexpr (K == kPresentNormal) {
      Store(first + kSize * x, q.a);
    } else {
      Store(first + 2 * kSize * x, q.a);
      Store(first + 2 * kSize * x + kSize, q.b);
    }
    if constexpr (kSecond) {
      Store(second + 2 * kSize * x, q.c);
      Store(second + 2 * kSize * x + kSize, q.d);
    }
  }
  if constexpr (kBuffer) {
    pack_24(reinterpret_cast<const uint8_t*>(lines[0]), o, kWidth);
    if constexpr (kSecond) pack_24(reinterpret_cast<const uint8_t*>(lines[1]), o2, kWidth);
  }
  if constexpr (K == kPresentDouble && !kSecond) CopyRow(o2, o, kWidth * PixelDepth<D>::kBytes);
}

// The filter arithmetic compiled twice: for the baseline processor and,
// where the vector lookups run, with AVX-512 registers four times as wide.
template <int W, int D, PresentKind K, PresentFilter F>
static void EmitRowBase(const Colour<D>* up, const Colour<D>* m, const Colour<D>* dn, uint8_t* o, uint8_t* o2) {
  EmitRow<W, D, K, F>(up, m, dn, o, o2);
}

#if defined(__clang__)
#define TOLV_WIDE __attribute__((target("avx512f,avx512bw")))
#else  // GCC otherwise keeps to 256-bit registers
#define TOLV_WIDE __attribute__((target("avx512f,avx512bw,prefer-vector-width=512")))
#endif

template <int W, int D, PresentKind K, PresentFilter F>
TOLV_WIDE static void EmitRowWide(const Colour<D>* up, const Colour<D>* m, const Colour<D>* dn, uint8_t* o,
                                  uint8_t* o2) {
  EmitRow<W, D, K, F>(up, m, dn, o, o2);
}

#undef TOLV_WIDE

// Each source row is looked up once into a ring of three colour rows, the
// current one with a neighbour at each end, from which the filters read
// all five neighbours: the view is one run of W x H indexes, so a row's
// left neighbour is the previous row's last pixel, and the guard bytes
// around the frame stand in beyond either end.
template <int W, int H, int D, PresentKind K, PresentFilter F>
static void ConvertView(const uint8_t* s, uint8_t* t, uint8_t* t2, ptrdiff_t pitch, const uint32_t* lut) {
  const ptrdiff_t step = RowStep<K>(pitch);
  PixelTables<D> tables;
  BuildTables<D>(lut, tables, F == kFilterNone && K != kPresentNormal);
  if constexpr (F == kFilterNone) return ConvertPlain<W, H, D, K>(s, t, t2, step, tables);
  auto emit = vector_lookups ? EmitRowWide<W, D, K, F> : EmitRowBase<W, D, K, F>;
  Colour<D> rows[3][W + 2];
  Colour<D>* up = rows[0] + 1;
  Colour<D>* mid = rows[1] + 1;
  Colour<D>* dn = rows[2] + 1;
  if constexpr (F == kFilterAntiAlias) {
    LookUpRow<W, D>(s - W, reinterpret_cast<uint8_t*>(up), tables);
    LookUpRow<W, D>(s, reinterpret_cast<uint8_t*>(mid), tables);
  }
  for (int y = 0; y < H; y++, s += W, t += step, t2 += step) {
    if constexpr (F == kFilterAntiAlias) {
      LookUpRow<W, D>(s + W, reinterpret_cast<uint8_t*>(dn), tables);
    } else {
      LookUpRow<W, D>(s, reinterpret_cast<uint8_t*>(mid), tables);
    }
    mid[-1] = Colour<D>(tables.planes.colours[s[-1]]);
    mid[W] = Colour<D>(tables.planes.colours[s[W]]);
    emit(up, mid, dn, t, t2);
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
