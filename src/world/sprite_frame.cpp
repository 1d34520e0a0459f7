// Sprite frame set-up, cutting from images and mirroring.
#include "world/sprite_frame.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "files/script_error.h"
#include "script/operands.h"
#include "script/registers.h"

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

std::string FrameSizeError(const std::string& head, int32_t width, int32_t height) {
  const bool bad_width = width < 1 || width > 65535, bad_height = height < 1 || height > 65535;
  std::string text = head;
  if (bad_width) text += " - Invalid width " + std::to_string(width);
  if (bad_width && bad_height) text += " and height " + std::to_string(height);
  if (!bad_width) text += " - Invalid height " + std::to_string(height);
  return text + "\nWidth and height must be 1 or greater\n\"Invisible\" sprites should load a \"blank\" pixel";
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

const char* const kCutBeyondImage = "Sprite load attempted to read beyond the bounds of the loaded image";

bool FrameFitsImage(const Image& image, const SpriteFrame& f, int32_t x, int32_t y) {
  return x >= 0 && y >= 0 && image.pixels && int64_t{x} + f.width <= image.width &&
         int64_t{y} + f.height <= image.height;
}

void CutFrameFromImage(const Image* image, SpriteFrame* f, int32_t x, int32_t y) {
  if (!FrameFitsImage(*image, *f, x, y)) ScriptError(kCutBeyondImage);
  auto* px = static_cast<uint8_t*>(std::malloc(size_t{f->width} * f->height));
  if (!px) throw std::bad_alloc();
  for (int row = 0; row < f->height; row++)
    std::memcpy(px + size_t{f->width} * row, image->pixels + size_t{image->width} * (y + row) + x, f->width);
  std::free(f->pixels);
  f->pixels = px;
}

static int32_t MirrorX(const SpriteFrame& f) { return f.width - 1 + f.draw_x + f.back_draw_x; }
static int32_t MirrorY(const SpriteFrame& f) { return f.height - 1 + f.draw_y + f.flip_draw_y; }

// Boxes come from files: the difference wraps in 32 bits.
static int32_t Reflect(int32_t m, int32_t v) { return static_cast<int32_t>(static_cast<uint32_t>(m) - static_cast<uint32_t>(v)); }

Box MirrorBox(const SpriteFrame& f, const Box& b) {
  int32_t mx = MirrorX(f), my = MirrorY(f);
  return Box{Reflect(mx, b.right), Reflect(mx, b.left), Reflect(my, b.bottom), Reflect(my, b.top)};
}

HotSpot MirrorHotSpot(const SpriteFrame& f, const HotSpot& s) {
  return HotSpot{Reflect(MirrorX(f), s.x), Reflect(MirrorY(f), s.y)};
}

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
  size_t n = Reg(kRegEngineSetting) > 2 ? 2 : 1;
  f->pixels = static_cast<uint8_t*>(std::malloc(n));
  if (!f->pixels) throw std::bad_alloc();
  std::memset(f->pixels, 1, n);
  InitFrameOffsets(f);
}

}  // namespace tolv
