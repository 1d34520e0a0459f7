// What every plane drawer shares: the checks a plane must pass before any
// cell is read, floor wrapping of cell indexes, the cell rule of both
// kinds and the cell writers (whole 8x8 cells unrolled, edge cells cut).
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

// A wrap read from the plane, kept to [1, extent] tiles.
inline int64_t ClampWrap(int64_t w, int64_t extent) { return std::clamp<int64_t>(w, 1, extent); }

// A plane a drawer of `type` may read: map, size and line arrays present,
// the map holding every cell of width x height. Flat reads no line
// arrays, so any plane may be drawn as Flat.
inline bool PlaneDrawable(const TilePlane* p, uint8_t type) {
  if (!p || !p->map || !p->width || !p->height) return false;
  if (uint64_t{p->width} * p->height > p->cell_count) return false;
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
// - 1, with dst at the frame pixel that receives (c0, k0).
template <int W>
inline void WritePartCell(uint8_t* dst, CellSource c, int k0, int rows, int c0, int cols) {
  if (!c.pixels || rows <= 0 || cols <= 0) return;
  const uint8_t* src = c.pixels + k0 * 8 + c0;
  for (int r = 0; r < rows; r++, src += 8, dst += W) {
    if (c.masked) {
      for (int i = 0; i < cols; i++)
        if (src[i]) dst[i] = src[i];
    } else {
      std::memcpy(dst, src, size_t(cols));
    }
  }
}

// One tile row across the frame: its cell ids (row[c]), the column of its
// first cell, the columns' wrap range [lo, hi) and the shift s (0..7) of
// the first cell's left edge out of the frame.
struct BandLine {
  const uint16_t* row;
  int64_t col, lo, hi;
  int s;
};

// Pixel rows k0 .. k0 + rows - 1 of a tile row, W/8 + 1 cells wide, dst at
// frame column 0 of the row that receives pixel row k0. kRows: 8 for whole
// cells, 1 for one pixel line, 0 for any other count.
template <int W, bool kOpaque, int kRows>
inline void DrawBand(uint8_t* dst, int k0, int rows, const BandLine& b) {
  int64_t c = b.col;
  WritePartCell<W>(dst, CellOf<kOpaque>(b.row[c]), k0, rows, b.s, 8 - b.s);
  uint8_t* d = dst + 8 - b.s;
  for (int i = 1; i < W / 8; i++, d += 8) {
    if (++c == b.hi) c = b.lo;
    CellSource cell = CellOf<kOpaque>(b.row[c]);
    if constexpr (kRows == 8) {
      WriteWholeCell<W>(d, cell);
    } else if constexpr (kRows == 1) {
      if (!cell.pixels) continue;
      if (cell.masked) MaskedCopy8(d, cell.pixels + k0 * 8);
      else Copy8(d, cell.pixels + k0 * 8);
    } else {
      WritePartCell<W>(d, cell, k0, rows, 0, 8);
    }
  }
  if (!b.s) return;
  if (++c == b.hi) c = b.lo;
  WritePartCell<W>(d, CellOf<kOpaque>(b.row[c]), k0, rows, 0, b.s);
}

}  // namespace tolv
