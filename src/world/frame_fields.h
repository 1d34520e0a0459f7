// Pieces every frame-block reader shares: zero-filled arrays that the
// frame and type frees release with std::free, and box lists.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <new>

#include "world/sprite_frame.h"

namespace tolv {

// n zeroed records, or null for none.
template <typename T>
T* NewZeroedArray(uint32_t n) {
  if (!n) return nullptr;
  T* p = static_cast<T*>(std::calloc(n, sizeof(T)));
  if (!p) throw std::bad_alloc();
  return p;
}

// `count` boxes, each left, top, right, bottom from next().
template <class Next>
Box* ReadBoxArray(uint32_t count, Next next) {
  Box* boxes = NewZeroedArray<Box>(count);
  for (uint32_t i = 0; i < count; i++) {
    boxes[i].left = next();
    boxes[i].top = next();
    boxes[i].right = next();
    boxes[i].bottom = next();
  }
  return boxes;
}

}  // namespace tolv
