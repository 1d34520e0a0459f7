// Tile and sprite blitters, one member per geometry: W and H are template
// constants, clipping is decided once per call and the row loops carry no
// bounds test.
#include <emmintrin.h>

#include <algorithm>
#include <cstring>

#include "render/frame.h"
#include "render/geometry.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

// Register base + p for the current player p (register 9); 0 for a player
// index the register file has no such cell for.
static int64_t PlayerRegister(uint32_t base) {
  int32_t p = registers && register_count > kRegPlayer ? registers[kRegPlayer] : 0;
  return (p == 0 || p == 1) && base + uint32_t(p) < register_count ? registers[base + p] : 0;
}

template <int W, int H, bool kTransparent>
static void DrawTile(const Tile* t, int32_t cam_x, int32_t cam_y, int32_t x, int32_t y) {
  if (!t || !t->current_frame) return;
  int64_t fx = int64_t{x} - cam_x, fy = int64_t{y} - cam_y;
  if (fx < -7 || fx > W - 1 || fy < -7 || fy > H - 1) return;
  int c0 = fx < 0 ? int(-fx) : 0, c1 = fx > W - 8 ? int(W - fx) : 8;
  int r0 = fy < 0 ? int(-fy) : 0, r1 = fy > H - 8 ? int(H - fy) : 8;
  const uint8_t* src = t->current_frame + r0 * 8 + c0;
  uint8_t* dst = frame_buffer + (fy + r0) * W + fx + c0;
  int n = c1 - c0;
  for (int r = r0; r < r1; r++, src += 8, dst += W) {
    if constexpr (kTransparent) {
      for (int i = 0; i < n; i++)
        if (src[i]) dst[i] = src[i];
    } else if (n == 8) {
      std::memcpy(dst, src, 8);
    } else {
      std::memcpy(dst, src, size_t(n));
    }
  }
}

// One row of n pixels, colour 0 keeping the frame's pixel: dst[i] gets
// src[i], or src[-i] when mirrored. Sixteen pixels at a time, the mirrored
// ones reversed by shuffles (SSE2 has no byte shuffle).
static inline __m128i Reverse16(__m128i v) {
  v = _mm_or_si128(_mm_slli_epi16(v, 8), _mm_srli_epi16(v, 8));
  v = _mm_shufflelo_epi16(v, 0x1B);
  v = _mm_shufflehi_epi16(v, 0x1B);
  return _mm_shuffle_epi32(v, 0x4E);
}

template <bool kMirrored>
static inline void CopyRow(uint8_t* dst, const uint8_t* src, int64_t n) {
  int64_t i = 0;
  for (; i + 16 <= n; i += 16) {
    __m128i s = kMirrored ? Reverse16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src - i - 15)))
                          : _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
    __m128i keep = _mm_cmpeq_epi8(s, _mm_setzero_si128());
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), _mm_or_si128(_mm_and_si128(keep, d), s));
  }
  for (; i < n; i++) {
    uint8_t c = kMirrored ? src[-i] : src[i];
    if (c) dst[i] = c;
  }
}

// Copies the part of frame f placed at (sx, sy) that falls inside the
// rectangle left..right, top..bottom (inside the frame), skipping colour 0;
// drawn column c shows source column w - 1 - c when mirrored, and drawn
// row r source row h - 1 - r upside down. False when nothing is inside.
template <int W, bool kFlipX, bool kFlipY>
static bool BlitFrame(const SpriteFrame* f, int64_t sx, int64_t sy, int64_t left, int64_t right, int64_t top,
                      int64_t bottom) {
  const int64_t w = f->width, h = f->height;
  int64_t cut_l = sx < left ? left - sx : 0, cut_r = std::max<int64_t>(sx + w - (right + 1), 0);
  int64_t cut_t = sy < top ? top - sy : 0, cut_b = std::max<int64_t>(sy + h - (bottom + 1), 0);
  int64_t cols = w - cut_l - cut_r, rows = h - cut_t - cut_b;
  if (cols < 1 || rows < 1) return false;
  uint8_t* dst = frame_buffer + (sy + cut_t) * W + (sx + cut_l);
  const int64_t first_row = kFlipY ? h - 1 - cut_t : cut_t;
  const int64_t row_step = kFlipY ? -w : w;
  const uint8_t* src = f->pixels + first_row * w + (kFlipX ? w - 1 - cut_l : cut_l);
  for (int64_t r = 0; r < rows; r++, src += row_step, dst += W) CopyRow<kFlipX>(dst, src, cols);
  return true;
}

// Places a coordinate of a sprite of `size` pixels along an axis of
// `extent` pixels: as given when visible, else (with level wrap on) a wrap
// length back or forth, the first that is visible.
template <int kExtent>
static bool PlaceOnAxis(int64_t& v, int64_t size, uint32_t wrap_on, uint32_t wrap_length) {
  auto visible = [size](int64_t p) { return -size < p && p <= kExtent - 1; };
  if (visible(v)) return true;
  if (!PlayerRegister(wrap_on)) return false;
  int64_t d = PlayerRegister(wrap_length);
  if (visible(v - d)) return v -= d, true;
  if (visible(v + d)) return v += d, true;
  return false;
}

template <int W, int H, bool kFlipX, bool kFlipY>
static int32_t DrawSprite(const SpriteFrame* f, int32_t cam_x, int32_t cam_y, int32_t x, int32_t y) {
  if (!f || !f->pixels) return 0;
  int64_t sx = int64_t{kFlipX ? f->back_draw_x : f->draw_x} + x - cam_x;
  if (!PlaceOnAxis<W>(sx, f->width, 39, 47)) return 0;
  int64_t sy = int64_t{kFlipY ? f->flip_draw_y : f->draw_y} + y - cam_y;
  if (!PlaceOnAxis<H>(sy, f->height, 41, 49)) return 0;
  BlitFrame<W, kFlipX, kFlipY>(f, sx, sy, 0, W - 1, 0, H - 1);
  return 1;
}

// The rectangle comes from scripts and layouts: it is cut to the frame too.
template <int W, int H, bool kFlipX, bool kFlipY>
static int32_t DrawSpriteClipped(const SpriteFrame* f, int32_t cam_x, int32_t cam_y, int32_t x, int32_t y,
                                 int32_t left, int32_t right, int32_t top, int32_t bottom) {
  if (!f || !f->pixels) return 0;
  int64_t sx = int64_t{kFlipX ? f->back_draw_x : f->draw_x} + x - cam_x;
  int64_t sy = int64_t{kFlipY ? f->flip_draw_y : f->draw_y} + y - cam_y;
  if (sx > right || sx <= int64_t{left} - f->width || sy > bottom || sy <= int64_t{top} - f->height) return 0;
  bool drawn = BlitFrame<W, kFlipX, kFlipY>(f, sx, sy, std::max(left, 0), std::min(right, W - 1),
                                            std::max(top, 0), std::min(bottom, H - 1));
  return kFlipX || kFlipY ? 1 : drawn;  // the flipped forms count as drawn once accepted
}

static void NoClippedTile(const Tile*, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) {}

template <int W, int H>
static void Install(DrawRoutines& r) {
  r.draw_tile_opaque = DrawTile<W, H, false>;
  r.draw_tile_transparent = DrawTile<W, H, true>;
  r.draw_sprite[kDrawNormal] = DrawSprite<W, H, false, false>;
  r.draw_sprite[kDrawBackward] = DrawSprite<W, H, true, false>;
  r.draw_sprite[kDrawUpsideDown] = DrawSprite<W, H, false, true>;
  r.draw_sprite[kDrawBoth] = DrawSprite<W, H, true, true>;
  r.draw_tile_opaque_clipped = r.draw_tile_transparent_clipped = NoClippedTile;
  r.draw_sprite_clipped[kDrawNormal] = DrawSpriteClipped<W, H, false, false>;
  r.draw_sprite_clipped[kDrawBackward] = DrawSpriteClipped<W, H, true, false>;
  r.draw_sprite_clipped[kDrawUpsideDown] = DrawSpriteClipped<W, H, false, true>;
  r.draw_sprite_clipped[kDrawBoth] = DrawSpriteClipped<W, H, true, true>;
}

void InstallBlitters(FrameGeometry g, DrawRoutines& r) {
  WithGeometry(g, [&r]<int W, int H>() { Install<W, H>(r); });
}

}  // namespace tolv
