// What every plane drawer shares: the checks a plane must pass before any
// cell is read, floor wrapping of cell indexes, the cell rule of both
// kinds and the writers of cells down a column (whole 8x8 cells unrolled,
// edge cells cut).
#pragma once
#include <emmintrin.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "render/frame.h"
#include "world/tile.h"
#include "world/tile_plane.h"

namespace tolv {

// a wrapped into [0, n), n >= 1, rounding towards minus infinity; the
// division is only paid when a is far outside.
inline int64_t WrapIndex(int64_t a, int64_t n) {
  if (a >= 0 && a < n) return a;
  if (a >= n && a < 2 * n) return a - n;
  if (a < 0 && a >= -n) return a + n;
  int64_t m = a % n;
  return m < 0 ? m + n : m;
}

// WrapIndex for a run of lines: each result is reached from the line
// before by the difference of their indexes, so lines whose offsets lie
// close together pay a step or two instead of a division.
struct LineWrapper {
  int64_t a = 0, n = 0, m = 0;  // the last index, its wrap and its result
  int64_t operator()(int64_t next_a, int64_t next_n) {
    int64_t d = next_a - a;
    if (next_n == n && d > -n && d < n) {
      int64_t v = m + d;
      v = v < 0 ? v + n : v >= n ? v - n : v;
      return a = next_a, m = v;
    }
    return a = next_a, n = next_n, m = WrapIndex(next_a, next_n);
  }
};

// A wrap read from the plane, kept to [1, extent] tiles.
inline int64_t ClampWrap(int64_t w, int64_t extent) { return std::clamp<int64_t>(w, 1, extent); }

// A plane a drawer of `type` may read: map, size and line arrays present,
// the map holding every cell of width x height. Flat reads no line
// arrays, so any plane may be drawn as Flat.
inline bool PlaneDrawable(const TilePlane* p, uint8_t type) {
  if (!p || !p->map || !p->width || !p->height) return false;
  if (uint64_t{p->width} * p->height > p->map_cells) return false;
  if (type == kPlaneFlat) return true;
  return p->type == type && p->line_offsets && p->line_wraps;
}

// The cell rule. Transparent kind: tile 0 and ids beyond the set draw
// nothing, a tile with the opaque flag is copied whole, others skip
// colour 0. Opaque kind: every id in the set is copied whole.
struct CellSource {
  const uint8_t* pixels;  // null: nothing drawn
  bool masked;
};

template <bool kOpaque>
inline CellSource CellOf(uint16_t id) {
  if (id >= tile_count || (!kOpaque && id == 0)) return {nullptr, false};
  const Tile& t = tiles[id];
  return {t.current_frame, !kOpaque && !t.opaque};
}

// 8 pixels, colour 0 keeping the frame's pixel.
inline void MaskedCopy8(uint8_t* dst, const uint8_t* src) {
  __m128i s = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(src));
  __m128i d = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(dst));
  __m128i keep = _mm_cmpeq_epi8(s, _mm_setzero_si128());
  _mm_storel_epi64(reinterpret_cast<__m128i*>(dst), _mm_or_si128(_mm_and_si128(keep, d), s));
}

inline void Copy8(uint8_t* dst, const uint8_t* src) {
  uint64_t v;
  std::memcpy(&v, src, 8);
  std::memcpy(dst, &v, 8);
}

// A whole cell: 8 rows of 8 pixels, frame stride W.
template <int W>
inline void WriteWholeCell(uint8_t* dst, CellSource c) {
  if (!c.pixels) return;
  if (c.masked) {
    for (int r = 0; r < 8; r++) MaskedCopy8(dst + r * W, c.pixels + r * 8);
  } else {
    for (int r = 0; r < 8; r++) Copy8(dst + r * W, c.pixels + r * 8);
  }
}

// Part of a cell: pixel rows k0 .. k0 + rows - 1, columns c0 .. c0 + cols
// - 1, with dst at the frame pixel that receives (c0, k0). Whole rows go
// as 8-byte words; a single column blends without a branch, as its
// colour-0 test would be a coin toss for the predictor.
template <int W>
inline void WritePartCell(uint8_t* dst, CellSource c, int k0, int rows, int c0, int cols) {
  if (!c.pixels || rows <= 0 || cols <= 0) return;
  const uint8_t* src = c.pixels + k0 * 8 + c0;
  if (cols == 8) {
    for (int r = 0; r < rows; r++, src += 8, dst += W) c.masked ? MaskedCopy8(dst, src) : Copy8(dst, src);
  } else if (cols == 1) {
    if (!c.masked) {
      for (int r = 0; r < rows; r++, src += 8, dst += W) *dst = *src;
    } else {
      for (int r = 0; r < rows; r++, src += 8, dst += W) *dst = uint8_t(*src | (*dst & (0u - (*src == 0))));
    }
  } else {
    for (int r = 0; r < rows; r++, src += 8, dst += W) {
      if (c.masked) {
        for (int i = 0; i < cols; i++)
          if (src[i]) dst[i] = src[i];
      } else {
        std::memcpy(dst, src, size_t(cols));
      }
    }
  }
}

}  // namespace tolv
