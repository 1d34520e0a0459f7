// Pixel format of the window surface: how an RGB colour packs into the
// 8, 15, 16, 24 or 32-bit pixels the presenters write. The host fills it
// from the real surface; tests fill it by hand.
#pragma once
#include <cstdint>

namespace tolv {

struct PixelFormat {
  uint8_t depth = 32;  // bits per pixel: 8, 15, 16, 24 or 32
  uint32_t red_mask = 0xFF0000, green_mask = 0x00FF00, blue_mask = 0x0000FF;
};

// The colour in the format's pixel layout: each 8-bit channel cut to its
// mask's width and moved to its position. Depth 8 has no channels: 0.
inline uint32_t PackColour(const PixelFormat& f, uint8_t r, uint8_t g, uint8_t b) {
  auto place = [](uint32_t mask, uint8_t v) -> uint32_t {
    if (mask == 0) return 0;
    int shift = __builtin_ctz(mask);
    int width = __builtin_popcount(mask);
    uint32_t c = width >= 8 ? uint32_t(v) << (width - 8) : uint32_t(v) >> (8 - width);
    return (c << shift) & mask;
  };
  if (f.depth == 8) return 0;
  return place(f.red_mask, r) | place(f.green_mask, g) | place(f.blue_mask, b);
}

// The formats the engine meets: 5-5-5, 5-6-5 and 8-8-8 with red highest.
inline PixelFormat StandardPixelFormat(uint8_t depth) {
  PixelFormat f;
  f.depth = depth;
  if (depth == 15) f = {15, 0x7C00, 0x03E0, 0x001F};
  if (depth == 16) f = {16, 0xF800, 0x07E0, 0x001F};
  if (depth == 8) f = {8, 0, 0, 0};
  return f;
}

}  // namespace tolv
