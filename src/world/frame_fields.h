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

// The fields of a text frame block after its image area: drawing offsets,
// main box, attack and hurt boxes, hot spots; then the mirrored boxes.
// next() reads a number, count(what) a list length (a byte).
template <class Next, class Count>
void ReadFrameFields(SpriteFrame* f, Next next, Count count) {
  f->draw_x = static_cast<int16_t>(next());
  f->draw_y = static_cast<int16_t>(next());
  f->back_draw_x = static_cast<int16_t>(next());
  f->flip_draw_y = static_cast<int16_t>(next());
  f->box.left = next();
  f->box.top = next();
  f->box.right = next();
  f->box.bottom = next();
  f->attack_count = count("box");
  f->attack_boxes = ReadBoxArray(f->attack_count, next);
  f->hurt_count = count("box");
  f->hurt_boxes = ReadBoxArray(f->hurt_count, next);
  f->hotspot_count = count("hot spot");
  f->hotspots = NewZeroedArray<HotSpot>(f->hotspot_count);
  for (uint32_t k = 0; k < f->hotspot_count; k++) {
    f->hotspots[k].x = next();
    f->hotspots[k].y = next();
  }
  MirrorFrameBoxes(f);
}

}  // namespace tolv
