// The window surface the presenters write: a pixel block described by its
// own geometry, so the host can back it with its video surface and tests
// with plain memory.
#pragma once
#include <cstdint>

#include "base/pixel_format.h"

namespace tolv {

struct Surface {
  uint8_t* pixels = nullptr;  // top-left pixel
  int32_t pitch = 0;          // bytes from one row to the next; rows may be padded
  int32_t width = 0;          // pixels per row
  int32_t height = 0;         // rows
  PixelFormat format;         // depth and channel masks
};

// Bytes one pixel takes at a depth (8, 15, 16, 24 or 32); 0 for any other.
inline int32_t SurfaceBytesPerPixel(uint8_t depth) {
  switch (depth) {
    case 8: return 1;
    case 15:
    case 16: return 2;
    case 24: return 3;
    case 32: return 4;
    default: return 0;
  }
}

}  // namespace tolv
