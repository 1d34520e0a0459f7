// Byte transposes between the frame and a column-major scratch, where a
// column of the view is one contiguous run: work that walks columns then
// writes whole words instead of single bytes a frame row apart.
#pragma once
#include <emmintrin.h>

#include <cstdint>

namespace tolv {

inline __m128i LoadLow(const uint8_t* p) { return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)); }
inline void StoreLow(uint8_t* p, __m128i v) { _mm_storel_epi64(reinterpret_cast<__m128i*>(p), v); }
inline void StoreHigh(uint8_t* p, __m128i v) { _mm_storeh_pd(reinterpret_cast<double*>(p), _mm_castsi128_pd(v)); }

// Eight lines of 16 bytes (kWide) or 8 bytes (their low halves) turned on
// their side: out[m] holds byte 2m of lines 0..7 in its low half and byte
// 2m + 1 in its high half; out[4 + m] bytes 8 + 2m and 9 + 2m (kWide).
template <bool kWide>
inline void TransposeLines(const __m128i a[8], __m128i out[8]) {
  for (int h = 0; h < (kWide ? 2 : 1); h++) {
    __m128i b[4];  // byte j of lines 2i, 2i + 1 as 16-bit unit j
    for (int i = 0; i < 4; i++)
      b[i] = h ? _mm_unpackhi_epi8(a[2 * i], a[2 * i + 1]) : _mm_unpacklo_epi8(a[2 * i], a[2 * i + 1]);
    const __m128i c0 = _mm_unpacklo_epi16(b[0], b[1]), c1 = _mm_unpackhi_epi16(b[0], b[1]);
    const __m128i c2 = _mm_unpacklo_epi16(b[2], b[3]), c3 = _mm_unpackhi_epi16(b[2], b[3]);
    out[4 * h + 0] = _mm_unpacklo_epi32(c0, c2);
    out[4 * h + 1] = _mm_unpackhi_epi32(c0, c2);
    out[4 * h + 2] = _mm_unpacklo_epi32(c1, c3);
    out[4 * h + 3] = _mm_unpackhi_epi32(c1, c3);
  }
}

// An 8x8 tile frame, row by row, to column by column (dst[x * 8 + y]).
inline void TransposeTile(uint8_t* dst, const uint8_t* src) {
  __m128i a[8], out[8];
  for (int i = 0; i < 8; i++) a[i] = LoadLow(src + 8 * i);
  TransposeLines<false>(a, out);
  for (int m = 0; m < 4; m++) _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 16 * m), out[m]);
}

// Frame rows y0 .. y1 - 1 (y1 - y0 a multiple of 8), all W columns, to
// and from a scratch holding column x's pixel of frame row y at
// scratch[x * S + y - y0].
template <int W, int S>
inline void ScratchToFrame(uint8_t* frame, const uint8_t* scratch, int y0, int y1) {
  for (int x = 0; x < W; x += 8) {
    const uint8_t* col = scratch + x * S;
    __m128i a[8], out[8];
    int y = y0;
    for (; y + 16 <= y1; y += 16) {
      for (int i = 0; i < 8; i++) a[i] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(col + i * S + y - y0));
      TransposeLines<true>(a, out);
      uint8_t* d = frame + y * W + x;
      for (int m = 0; m < 8; m++) StoreLow(d + 2 * m * W, out[m]), StoreHigh(d + (2 * m + 1) * W, out[m]);
    }
    if (y < y1) {
      for (int i = 0; i < 8; i++) a[i] = LoadLow(col + i * S + y - y0);
      TransposeLines<false>(a, out);
      uint8_t* d = frame + y * W + x;
      for (int m = 0; m < 4; m++) StoreLow(d + 2 * m * W, out[m]), StoreHigh(d + (2 * m + 1) * W, out[m]);
    }
  }
}

template <int W, int S>
inline void FrameToScratch(uint8_t* scratch, const uint8_t* frame, int y0, int y1) {
  for (int x = 0; x < W; x += 8) {
    uint8_t* col = scratch + x * S;
    __m128i a[8], top[8], bottom[8];
    for (int y = y0; y < y1; y += 16) {
      const uint8_t* s = frame + y * W + x;
      for (int i = 0; i < 8; i++) a[i] = LoadLow(s + i * W);
      TransposeLines<false>(a, top);
      uint8_t* d = col + y - y0;
      if (y + 16 <= y1) {
        for (int i = 0; i < 8; i++) a[i] = LoadLow(s + (8 + i) * W);
        TransposeLines<false>(a, bottom);
        for (int m = 0; m < 4; m++) {
          _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 2 * m * S), _mm_unpacklo_epi64(top[m], bottom[m]));
          _mm_storeu_si128(reinterpret_cast<__m128i*>(d + (2 * m + 1) * S), _mm_unpackhi_epi64(top[m], bottom[m]));
        }
      } else {
        for (int m = 0; m < 4; m++) StoreLow(d + 2 * m * S, top[m]), StoreHigh(d + (2 * m + 1) * S, top[m]);
      }
    }
  }
}

}  // namespace tolv
