#include "render/image.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace tolv {

Image sprite_image;

void FreeImage(Image* image) {
  std::free(image->pixels);
  *image = Image{};
}

bool CutFrameFromImage(const Image* image, SpriteFrame* f, int32_t x, int32_t y) {
  if (x < 0 || y < 0 || !image->pixels || x + f->width > image->width || y + f->height > image->height)
    return false;
  auto* px = static_cast<uint8_t*>(std::malloc(size_t{f->width} * f->height));
  if (!px) throw std::bad_alloc();
  for (int row = 0; row < f->height; row++)
    std::memcpy(px + size_t{f->width} * row, image->pixels + size_t{image->width} * (y + row) + x, f->width);
  std::free(f->pixels);
  f->pixels = px;
  return true;
}

int (*load_image_file)(const char* name, Image* image, int set_palette) = LoadImageFile;

}  // namespace tolv
