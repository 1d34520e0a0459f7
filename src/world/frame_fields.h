// The fields of a sprite frame after its picture, read the same way from a
// text frame block and from a sprite file: drawing offsets, main box,
// attack and hurt boxes, hot spots; then the mirrored forms. The two
// sources differ only in how a value, a box and a list length are read.
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

// Source: int16_t Offset(); int32_t Value(); Box NextBox();
// uint8_t Count(const char* what, uint32_t record_bytes).
// The frame holds the array before a box is read: a source that ends the
// load (a fatal error that unwinds) leaves it to the frame's owner to free.
template <class Source>
void ReadBoxArray(Source& src, Box** boxes, uint8_t* count) {
  *count = src.Count("box", 16);
  *boxes = NewZeroedArray<Box>(*count);
  for (uint32_t i = 0; i < *count; i++) (*boxes)[i] = src.NextBox();
}

template <class Source>
void ReadFrameFields(SpriteFrame* f, Source& src) {
  f->draw_x = src.Offset();
  f->draw_y = src.Offset();
  f->back_draw_x = src.Offset();
  f->flip_draw_y = src.Offset();
  f->box = src.NextBox();
  ReadBoxArray(src, &f->attack_boxes, &f->attack_count);
  ReadBoxArray(src, &f->hurt_boxes, &f->hurt_count);
  f->hotspot_count = src.Count("hot spot", 8);
  f->hotspots = NewZeroedArray<HotSpot>(f->hotspot_count);
  for (uint32_t k = 0; k < f->hotspot_count; k++) {
    f->hotspots[k].x = src.Value();
    f->hotspots[k].y = src.Value();
  }
  MirrorFrameBoxes(f);
}

// Text frame blocks: every field a number token, boxes written left, top,
// right, bottom. next() reads a number, count(what) a list length.
template <class Next, class CountFn>
struct TextFrameSource {
  Next next;
  CountFn count;
  int16_t Offset() { return static_cast<int16_t>(next()); }
  int32_t Value() { return next(); }
  Box NextBox() {
    Box b;
    b.left = next();
    b.top = next();
    b.right = next();
    b.bottom = next();
    return b;
  }
  uint8_t Count(const char* what, uint32_t) { return count(what); }
};

template <class Next, class CountFn>
void ReadFrameFields(SpriteFrame* f, Next next, CountFn count) {
  TextFrameSource<Next, CountFn> src{next, count};
  ReadFrameFields(f, src);
}

}  // namespace tolv
