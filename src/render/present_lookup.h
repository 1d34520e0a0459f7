// Colour lookup of a run of indexes, the presenters' dominant cost. A
// scalar lookup is one table load per pixel; where the processor has byte
// permutes over two 64-byte registers (AVX-512 VBMI), each colour byte of
// 64 pixels is four permutes of the table split into byte planes, an order
// of magnitude faster. The variant is chosen once, at start-up.
#pragma once
#include <immintrin.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tolv {

// The 256 colours, and byte k of each, plane by plane.
struct LookupPlanes {
  alignas(64) uint8_t bytes[4][256];
  uint32_t colours[256];
};

inline void BuildLookupPlanes(const uint32_t* __restrict colours, LookupPlanes& p) {
  for (int i = 0; i < 256; i++) {
    p.colours[i] = colours[i];
    for (int k = 0; k < 4; k++) p.bytes[k][i] = uint8_t(colours[i] >> (8 * k));
  }
}

// n indexes (a multiple of 8) into n colours of 2, 3 (the low three) or 4
// bytes, unaligned at d.
using LookUpRun = void (*)(const uint8_t* s, uint8_t* d, const LookupPlanes& p, int n);

template <int kBytes>
inline void LookUpScalar(const uint8_t* __restrict s, uint8_t* __restrict d, const LookupPlanes& p, int n) {
  for (int x = 0; x < n; x += 8, s += 8, d += 8 * kBytes) {
    uint64_t e;
    std::memcpy(&e, s, 8);
    for (int k = 0; k < 8; k++) {
      uint32_t c = p.colours[e >> (8 * k) & 0xFF];
      std::memcpy(d + k * kBytes, &c, kBytes);  // the low bytes
    }
  }
}

// 24 bits, each pixel twice across.
inline void LookUpScalar24Twice(const uint8_t* __restrict s, uint8_t* __restrict d, const LookupPlanes& p, int n) {
  for (int x = 0; x < n; x++, d += 6) {
    uint32_t c = p.colours[s[x]];
    std::memcpy(d, &c, 3);
    std::memcpy(d + 3, &c, 3);
  }
}

#define TOLV_VBMI __attribute__((target("avx512f,avx512bw,avx512vbmi")))

// One plane's bytes for 64 indexes: bit 6 picks the register of a pair,
// bit 7 the pair.
TOLV_VBMI inline __m512i PlaneBytes(const uint8_t* plane, __m512i idx, __mmask64 top) {
  __m512i low = _mm512_permutex2var_epi8(_mm512_load_si512(plane), idx, _mm512_load_si512(plane + 64));
  __m512i high = _mm512_permutex2var_epi8(_mm512_load_si512(plane + 128), idx, _mm512_load_si512(plane + 192));
  return _mm512_mask_blend_epi8(top, low, high);
}

// Unpacking interleaves within 128-bit lanes; these put the lanes of the
// two unpacked halves back in pixel order.
TOLV_VBMI inline __m512i LanesLow(__m512i a, __m512i b) {
  return _mm512_permutex2var_epi64(a, _mm512_set_epi64(11, 10, 3, 2, 9, 8, 1, 0), b);
}
TOLV_VBMI inline __m512i LanesHigh(__m512i a, __m512i b) {
  return _mm512_permutex2var_epi64(a, _mm512_set_epi64(15, 14, 7, 6, 13, 12, 5, 4), b);
}

// Byte order that keeps the low three bytes of each of 16 colours.
TOLV_VBMI inline __m512i ThreeOfFour() {
  alignas(64) static const uint8_t order[64] = {0,  1,  2,  4,  5,  6,  8,  9,  10, 12, 13, 14, 16, 17, 18, 20,
                                                21, 22, 24, 25, 26, 28, 29, 30, 32, 33, 34, 36, 37, 38, 40, 41,
                                                42, 44, 45, 46, 48, 49, 50, 52, 53, 54, 56, 57, 58, 60, 61, 62};
  return _mm512_load_si512(order);
}

// Stores the first `count` bytes of v (all 64 when count >= 64).
TOLV_VBMI inline void StoreBytes(uint8_t* d, __m512i v, ptrdiff_t count) {
  if (count >= 64) return _mm512_storeu_si512(d, v);
  if (count > 0) _mm512_mask_storeu_epi8(d, _cvtu64_mask64(~0ull >> (64 - count)), v);
}

template <int kBytes>
TOLV_VBMI void LookUpVbmi(const uint8_t* __restrict s, uint8_t* __restrict d, const LookupPlanes& p, int n) {
  for (int x = 0; x < n; x += 64) {
    const ptrdiff_t left = n - x;  // pixels still to do; a short last step is masked
    __mmask64 live = left >= 64 ? ~__mmask64{0} : _cvtu64_mask64(~0ull >> (64 - left));
    __m512i idx = _mm512_maskz_loadu_epi8(live, s + x);
    __mmask64 top = _mm512_movepi8_mask(idx);
    __m512i b0 = PlaneBytes(p.bytes[0], idx, top), b1 = PlaneBytes(p.bytes[1], idx, top);
    __m512i w0 = _mm512_unpacklo_epi8(b0, b1), w1 = _mm512_unpackhi_epi8(b0, b1);  // words of 0-7, 8-15 per lane
    uint8_t* o = d + x * kBytes;
    const ptrdiff_t bytes = left * kBytes;
    if constexpr (kBytes == 2) {
      StoreBytes(o, LanesLow(w0, w1), bytes);
      StoreBytes(o + 64, LanesHigh(w0, w1), bytes - 64);
    } else {
      __m512i b2 = PlaneBytes(p.bytes[2], idx, top), b3 = PlaneBytes(p.bytes[3], idx, top);
      __m512i u0 = _mm512_unpacklo_epi8(b2, b3), u1 = _mm512_unpackhi_epi8(b2, b3);
      // Per lane: pixels 0-3, 4-7, 8-11, 12-15.
      __m512i q0 = _mm512_unpacklo_epi16(w0, u0), q1 = _mm512_unpackhi_epi16(w0, u0);
      __m512i q2 = _mm512_unpacklo_epi16(w1, u1), q3 = _mm512_unpackhi_epi16(w1, u1);
      // Pixels 0-7 of each lane, then 8-15, each back in order over two registers.
      __m512i r0 = LanesLow(q0, q1), r1 = LanesHigh(q0, q1), r2 = LanesLow(q2, q3), r3 = LanesHigh(q2, q3);
      // r0: px 0-7 | 16-23, r1: 32-39 | 48-55, r2: 8-15 | 24-31, r3: 40-47 | 56-63 (in 256-bit halves).
      const __m512i first = _mm512_set_epi64(11, 10, 9, 8, 3, 2, 1, 0), second = _mm512_set_epi64(15, 14, 13, 12, 7, 6, 5, 4);
      StoreBytes(o, _mm512_permutex2var_epi64(r0, first, r2), bytes);
      StoreBytes(o + 64, _mm512_permutex2var_epi64(r0, second, r2), bytes - 64);
      StoreBytes(o + 128, _mm512_permutex2var_epi64(r1, first, r3), bytes - 128);
      StoreBytes(o + 192, _mm512_permutex2var_epi64(r1, second, r3), bytes - 192);
    }
  }
}

// kCopies 1, or 2 for each pixel twice across.
template <int kCopies> struct Weave24 {
  alignas(64) uint8_t pick01[3 * kCopies][64];  // plane 0 or 1 (bit 6) and pixel, per output byte
  alignas(64) uint8_t pick2[3 * kCopies][64];   // pixel, for the bytes of plane 2
  uint64_t third[3 * kCopies];                  // which output bytes come from plane 2
};

template <int kCopies> constexpr Weave24<kCopies> MakeWeave24() {
  Weave24<kCopies> w{};
  for (int q = 0; q < 192 * kCopies; q++) {
    const int k = q / 64, j = q % 64, px = q / (3 * kCopies), plane = q % 3;
    w.pick01[k][j] = uint8_t(px + (plane == 1 ? 64 : 0));
    w.pick2[k][j] = uint8_t(px);
    if (plane == 2) w.third[k] |= uint64_t{1} << j;
  }
  return w;
}

// 24 bits: three byte planes woven straight into 192 output bytes a step
// of 64 indexes; each output register takes its bytes from the first two
// planes in one permute and from the third in a masked one.
template <int kCopies>
TOLV_VBMI void LookUpVbmi24(const uint8_t* __restrict s, uint8_t* __restrict d, const LookupPlanes& p, int n) {
  static constexpr Weave24<kCopies> w = MakeWeave24<kCopies>();
  constexpr int kBytes = 3 * kCopies;
  for (int x = 0; x < n; x += 64) {
    const ptrdiff_t left = n - x;
    __mmask64 live = left >= 64 ? ~__mmask64{0} : _cvtu64_mask64(~0ull >> (64 - left));
    __m512i idx = _mm512_maskz_loadu_epi8(live, s + x);
    __mmask64 top = _mm512_movepi8_mask(idx);
    __m512i b0 = PlaneBytes(p.bytes[0], idx, top), b1 = PlaneBytes(p.bytes[1], idx, top);
    __m512i b2 = PlaneBytes(p.bytes[2], idx, top);
    for (int k = 0; k < kBytes; k++) {
      __m512i v = _mm512_permutex2var_epi8(b0, _mm512_load_si512(w.pick01[k]), b1);
      v = _mm512_mask_permutexvar_epi8(v, _cvtu64_mask64(w.third[k]), _mm512_load_si512(w.pick2[k]), b2);
      StoreBytes(d + kBytes * x + 64 * k, v, left * kBytes - 64 * k);
    }
  }
}

// 24-bit pixels from a line of n 4-byte colours (the low three bytes,
// already in memory order); n a multiple of 4.
using PackRun = void (*)(const uint8_t* line, uint8_t* o, int n);

inline void Pack24Scalar(const uint8_t* __restrict line, uint8_t* __restrict o, int n) {
  for (int i = 0; i < n; i += 4, line += 16, o += 12) {
    uint32_t c[4];
    std::memcpy(c, line, 16);
    uint64_t w = c[0] | uint64_t{c[1]} << 24 | uint64_t{c[2]} << 48;
    uint32_t v = c[2] >> 16 | c[3] << 8;
    std::memcpy(o, &w, 8);
    std::memcpy(o + 8, &v, 4);
  }
}

// 16 colours a step, 48 bytes out.
TOLV_VBMI inline void Pack24Vbmi(const uint8_t* __restrict line, uint8_t* __restrict o, int n) {
  for (int x = 0; x < n; x += 16) {
    const ptrdiff_t left = n - x < 16 ? n - x : 16;
    __m512i v = _mm512_maskz_loadu_epi8(_cvtu64_mask64(~0ull >> (64 - 4 * left)), line + 4 * x);
    _mm512_mask_storeu_epi8(o + 3 * x, _cvtu64_mask64(~0ull >> (64 - 3 * left)),
                            _mm512_maskz_permutexvar_epi8(~__mmask64{0}, ThreeOfFour(), v));
  }
}

#undef TOLV_VBMI

// The chosen variants; UseVectorLookups(false) forces the scalar ones
// (tests run both).
extern LookUpRun look_up_16;
extern LookUpRun look_up_32;
extern LookUpRun look_up_24, look_up_24_twice;
extern PackRun pack_24;
extern bool vector_lookups;
bool VectorLookupsAvailable();
void UseVectorLookups(bool on);

}  // namespace tolv
