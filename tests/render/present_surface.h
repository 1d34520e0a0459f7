// A memory window surface for the presenter tests: rows padded past the
// picture and canary bytes around it, with an expected image kept beside
// it so one comparison covers written pixels, padding and untouched rows.
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "render/frame.h"
#include "world/palette.h"
#include "render/presenters.h"

namespace tolv::test {

constexpr uint8_t kCanary = 0xA5;
constexpr int32_t kMargin = 64;  // canary bytes before and after the rows

struct MemorySurface {
  MemorySurface(int32_t width, int32_t height, uint8_t depth, int32_t padding = 7) {
    s.width = width;
    s.height = height;
    s.format = StandardPixelFormat(depth);
    s.pitch = width * SurfaceBytesPerPixel(depth) + padding;
    block.assign(kMargin + size_t(s.pitch) * height + kMargin, kCanary);
    expected = block;
    written.assign(block.size(), false);
    s.pixels = block.data() + kMargin;
  }
  // Sets pixel (x, y) of the expected image in the surface's memory order.
  void Expect(int32_t x, int32_t y, uint32_t v) {
    int32_t bpp = SurfaceBytesPerPixel(s.format.depth);
    size_t at = kMargin + size_t(y) * s.pitch + size_t(x) * bpp;
    uint8_t* p = expected.data() + at;
    for (int32_t i = 0; i < bpp; i++) written[at + i] = true;
    if (bpp == 3) {
      p[0] = uint8_t(v >> 16), p[1] = uint8_t(v >> 8), p[2] = uint8_t(v);
    } else {
      std::memcpy(p, &v, bpp);
    }
  }
  uint32_t Pixel(int32_t x, int32_t y) const {
    uint32_t v = 0;
    std::memcpy(&v, s.pixels + size_t(y) * s.pitch + size_t(x) * SurfaceBytesPerPixel(s.format.depth),
                SurfaceBytesPerPixel(s.format.depth));
    return v;
  }
  // Runs one presenter over the frame with the cursors at the surface origin.
  void Run(PresentRoutine present) {
    present_source = FrameStart();
    present_target = s.pixels;
    present_target2 = s.pixels + s.pitch;
    second_line_offset = s.pitch;
    present();
  }
  Surface s;
  std::vector<uint8_t> block, expected;
  std::vector<bool> written;
};

// Fills the frame (and the row after the view, which the filters read) with
// a seeded pattern; the guard before the frame stays zero.
inline void FillFrame(int32_t bytes, uint32_t seed) {
  std::mt19937 rng(seed);
  for (int32_t i = 0; i < bytes; i++) FrameStart()[i] = uint8_t(rng());
}

inline int32_t ScaleX(PresentKind k) { return k == kPresentNormal ? 1 : 2; }
inline int32_t ScaleY(PresentKind k) { return k == kPresentDouble || k == kPresentScanline ? 2 : 1; }
inline uint32_t DepthMask(uint8_t depth) { return depth == 15 ? 0x7FFF : depth == 16 ? 0xFFFF : 0xFFFFFF; }

}  // namespace tolv::test
