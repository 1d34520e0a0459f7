// Sprite frame set-up and mirroring.
#include "world/sprite_frame.h"

#include <cstdlib>
#include <cstring>
#include <new>


namespace tolv {

void InitSpriteFrame(SpriteFrame* f, int32_t width, int32_t height) {
  if (width < 1) width = 1;
  if (height < 1) height = 1;
  if (width > 65535) width = 65535;
  if (height > 65535) height = 65535;
  *f = SpriteFrame{};
  f->width = static_cast<uint16_t>(width);
  f->height = static_cast<uint16_t>(height);
  f->box = f->mirrored_box = Box{0, width, 0, height};
}

void InitFrameOffsets(SpriteFrame* f) {
  int w = f->width, h = f->height;
  f->draw_x = static_cast<int16_t>(-(w / 2));
  f->draw_y = static_cast<int16_t>(-(h / 2));
  f->back_draw_x = static_cast<int16_t>(w / 2 - w);
  f->flip_draw_y = static_cast<int16_t>(h / 2 - h);
  f->box = f->mirrored_box = Box{-1, 1, -1, 1};
}

void FreeSpriteFrame(SpriteFrame* f) {
  void* owned[] = {f->pixels, f->attack_boxes, f->mirrored_attack_boxes, f->hurt_boxes,
                   f->mirrored_hurt_boxes, f->hotspots, f->mirrored_hotspots};
  for (void* p : owned) std::free(p);
  f->pixels = nullptr;
  f->attack_boxes = f->mirrored_attack_boxes = f->hurt_boxes = f->mirrored_hurt_boxes = nullptr;
  f->hotspots = f->mirrored_hotspots = nullptr;
}

static int32_t MirrorX(const SpriteFrame& f) { return f.width - 1 + f.draw_x + f.back_draw_x; }
static int32_t MirrorY(const SpriteFrame& f) { return f.height - 1 + f.draw_y + f.flip_draw_y; }

Box MirrorBox(const SpriteFrame& f, const Box& b) {
  int32_t mx = MirrorX(f), my = MirrorY(f);
  return Box{mx - b.right, mx - b.left, my - b.bottom, my - b.top};
}

HotSpot MirrorHotSpot(const SpriteFrame& f, const HotSpot& s) { return HotSpot{MirrorX(f) - s.x, MirrorY(f) - s.y}; }

template <typename T>
static T* MirrorArray(const SpriteFrame& f, const T* plain, uint8_t n, T* old, T (*mirror)(const SpriteFrame&, const T&)) {
  std::free(old);
  if (!plain || n == 0) return nullptr;
  T* out = static_cast<T*>(std::malloc(sizeof(T) * n));
  if (!out) throw std::bad_alloc();
  for (int i = 0; i < n; i++) out[i] = mirror(f, plain[i]);
  return out;
}

void MirrorFrameBoxes(SpriteFrame* f) {
  f->mirrored_box = MirrorBox(*f, f->box);
  f->mirrored_attack_boxes = MirrorArray(*f, f->attack_boxes, f->attack_count, f->mirrored_attack_boxes, MirrorBox);
  f->mirrored_hurt_boxes = MirrorArray(*f, f->hurt_boxes, f->hurt_count, f->mirrored_hurt_boxes, MirrorBox);
  f->mirrored_hotspots = MirrorArray(*f, f->hotspots, f->hotspot_count, f->mirrored_hotspots, MirrorHotSpot);
}

void InitBlankFrame(SpriteFrame* f) {
  InitSpriteFrame(f, 1, 1);
  f->pixels = static_cast<uint8_t*>(std::malloc(2));
  if (!f->pixels) throw std::bad_alloc();
  f->pixels[0] = f->pixels[1] = 1;
  InitFrameOffsets(f);
}

}  // namespace tolv
