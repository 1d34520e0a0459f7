// Sprites and tiles for the drawing tests, and the reference blit every
// sprite routine is held against: source pixel by source pixel, mirrored
// by the flip, kept to a rectangle inside the frame.
#pragma once
#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "render/draw_routines.h"

namespace tolv::test {

struct TestSprite {
  std::vector<uint8_t> pixels;
  SpriteFrame frame;
  // w x h; pixel (x, y) = (x + 3y) % 250 + 1, or 0 on every `hole`-th pixel.
  TestSprite(int w, int h, int hole = 0, int16_t dx = 0, int16_t dy = 0, int16_t back_dx = 0, int16_t flip_dy = 0)
      : pixels(size_t(w) * h) {
    for (int i = 0; i < w * h; i++) pixels[i] = hole && i % hole == 0 ? 0 : uint8_t((i % w + 3 * (i / w)) % 250 + 1);
    frame.width = uint16_t(w), frame.height = uint16_t(h), frame.pixels = pixels.data();
    frame.draw_x = dx, frame.draw_y = dy, frame.back_draw_x = back_dx, frame.flip_draw_y = flip_dy;
  }
  TestSprite(const TestSprite& o) : TestSprite(0, 0) { *this = o; }
  TestSprite& operator=(const TestSprite& o) {
    pixels = o.pixels;
    frame = o.frame;
    frame.pixels = pixels.data();
    return *this;
  }
  uint8_t At(int x, int y) const { return pixels[size_t(y) * frame.width + x]; }
};

// A tile whose pixel (x, y) is y * 8 + x + 1, with colour 0 at the pixels
// where (x + y) % 3 == 0 when `holes`.
struct TestTile {
  uint8_t pixels[64];
  Tile tile;
  explicit TestTile(bool holes = false) {
    for (int i = 0; i < 64; i++) pixels[i] = holes && (i % 8 + i / 8) % 3 == 0 ? 0 : uint8_t(i + 1);
    tile.current_frame = pixels;
    tile.opaque = !holes;
  }
};

// Draws frame f with its top-left corner at (sx, sy) into a W-wide copy of
// the frame, pixel by pixel, within left..right, top..bottom.
inline void ReferenceBlit(std::vector<uint8_t>& out, int32_t W, const SpriteFrame& f, int flip, int64_t sx,
                          int64_t sy, int64_t left, int64_t right, int64_t top, int64_t bottom) {
  for (int y = 0; y < f.height; y++)
    for (int x = 0; x < f.width; x++) {
      uint8_t c = f.pixels[size_t(y) * f.width + x];
      int64_t px = sx + (flip & 1 ? f.width - 1 - x : x), py = sy + (flip & 2 ? f.height - 1 - y : y);
      if (c && left <= px && px <= right && top <= py && py <= bottom) out[size_t(py * W + px)] = c;
    }
}

}  // namespace tolv::test
