// Tile rows written across the view two cells at a time: 16 bytes a pixel
// row, colour 0 kept by a blend instead of a test per pixel, the cut cells
// at both ends shifted into 8-byte words, so nothing outside the view's
// rows is read or written.
#pragma once
#include "render/plane_cells.h"

namespace tolv {

// A cell ready for copying by rows: its pixels, and all ones in keep_zero
// when its colour-0 pixels keep the frame.
struct CellRef {
  const uint8_t* pixels;
  uint64_t keep_zero;
};

// What a cell that draws nothing copies: colour 0, kept.
alignas(64) inline constexpr uint8_t kNoCellPixels[64] = {};

template <bool kOpaque>
inline CellRef RefOf(uint16_t id) {
  CellSource c = CellOf<kOpaque>(id);
  if (!c.pixels) return {kNoCellPixels, ~0ull};
  return {c.pixels, c.masked ? ~0ull : 0};
}

// Cursors over the W/8 + 1 cells a tile row shows, first cell first: cells
// looked up before, or looked up from map row `row` as they are reached,
// columns wrapping into [lo, hi).
struct ArrayCursor {
  const CellRef* at;
  CellRef Next() { return *at++; }
};
template <bool kOpaque>
struct MapCursor {
  const uint16_t* row;
  int64_t col, lo, hi;
  CellRef Next() {
    CellRef r = RefOf<kOpaque>(row[col]);
    if (++col == hi) col = lo;
    return r;
  }
};

inline __m128i Load8(const uint8_t* p) { return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)); }

// src over dst where keep is set (keep is set only on colour-0 bytes of src).
inline __m128i Blend(__m128i src, __m128i keep, __m128i dst) { return _mm_or_si128(_mm_and_si128(keep, dst), src); }
inline __m128i KeepOf(__m128i src, __m128i keep_zero) {
  return _mm_and_si128(_mm_cmpeq_epi8(src, _mm_setzero_si128()), keep_zero);
}

// A cut cell: pixels s..7 of pixel rows k0.. at x = 0 (first) or pixels
// 0..s-1 at x = W - s (last), each row shifted into an 8-byte word whose
// other bytes keep the frame.
template <int W, bool kFirst>
inline void WriteEdgeCell(uint8_t* dst, CellRef c, int k0, int rows, int s) {
  const __m128i kz = _mm_cvtsi64_si128(int64_t(c.keep_zero));
  const __m128i outside = _mm_cvtsi64_si128(int64_t(kFirst ? (s ? ~0ull << (64 - 8 * s) : 0) : ~0ull >> (8 * s)));
  if (!kFirst) dst += W - 8;
  for (int r = 0; r < rows; r++, dst += W) {
    uint64_t v;
    std::memcpy(&v, c.pixels + 8 * (k0 + r), 8);
    __m128i sv = _mm_cvtsi64_si128(int64_t(kFirst ? v >> (8 * s) : v << (64 - 8 * s)));
    __m128i keep = _mm_or_si128(outside, KeepOf(sv, kz));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(dst), Blend(sv, keep, Load8(dst)));
  }
}

// Two whole-width cells side by side, pixel rows k0 .. k0 + rows - 1 (8
// when kRows is 8), 16 bytes a row.
template <int W, bool kMasked, int kRows>
inline void WritePair(uint8_t* dst, CellRef a, CellRef b, int k0, int rows) {
  const uint8_t* pa = a.pixels + 8 * k0;
  const uint8_t* pb = b.pixels + 8 * k0;
  const __m128i kz = _mm_set_epi64x(int64_t(b.keep_zero), int64_t(a.keep_zero));
  auto put = [&](uint8_t* d, __m128i v) {
    if constexpr (kMasked) v = Blend(v, KeepOf(v, kz), _mm_loadu_si128(reinterpret_cast<const __m128i*>(d)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), v);
  };
  if constexpr (kRows == 8) {
    for (int r = 0; r < 8; r += 2) {
      __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pa + 8 * r));
      __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pb + 8 * r));
      put(dst + r * W, _mm_unpacklo_epi64(va, vb));
      put(dst + (r + 1) * W, _mm_unpackhi_epi64(va, vb));
    }
  } else {
    for (int r = 0; r < rows; r++) put(dst + r * W, _mm_unpacklo_epi64(Load8(pa + 8 * r), Load8(pb + 8 * r)));
  }
}

template <int W, bool kMasked>
inline void WriteSingle(uint8_t* dst, CellRef a, int k0, int rows) {
  const __m128i kz = _mm_cvtsi64_si128(int64_t(a.keep_zero));
  for (int r = 0; r < rows; r++, dst += W) {
    __m128i v = Load8(a.pixels + 8 * (k0 + r));
    if constexpr (kMasked) v = Blend(v, KeepOf(v, kz), Load8(dst));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(dst), v);
  }
}

// Pixel rows k0 .. k0 + rows - 1 of a tile row (kRows: 8 for whole tile
// rows, else 0), dst at frame column 0 of the row that receives pixel row
// k0, the first cell shifted s (0..7) pixels out of the view. A pair of
// cells drawing nothing is skipped, a pair with no colour 0 to keep is
// copied plainly; for a single pixel row of the transparent kind, where
// that choice would be a coin toss for the predictor, every pair blends.
template <int W, bool kOpaque, int kRows, typename Cursor>
inline void DrawBand(uint8_t* dst, int k0, int rows, int s, Cursor cells) {
  constexpr bool kChoose = kOpaque || kRows == 8;
  WriteEdgeCell<W, true>(dst, cells.Next(), k0, rows, s);
  uint8_t* d = dst + 8 - s;
  int i = 1;
  for (; i + 1 < W / 8; i += 2, d += 16) {
    CellRef x = cells.Next(), y = cells.Next();
    if (kChoose && (x.keep_zero | y.keep_zero) == 0) WritePair<W, false, kRows>(d, x, y, k0, rows);
    else if (x.pixels != kNoCellPixels || y.pixels != kNoCellPixels) WritePair<W, true, kRows>(d, x, y, k0, rows);
  }
  if (i < W / 8) {
    CellRef x = cells.Next();
    if (x.keep_zero) WriteSingle<W, true>(d, x, k0, rows);
    else WriteSingle<W, false>(d, x, k0, rows);
  }
  if (s) WriteEdgeCell<W, false>(dst, cells.Next(), k0, rows, s);
}

}  // namespace tolv
