#include "render/image.h"

#include <cstdlib>

namespace tolv {

Image sprite_image;

void FreeImage(Image* image) {
  std::free(image->pixels);
  *image = Image{};
}

int (*load_image_file)(const char* name, Image* image, int set_palette) = LoadImageFile;

}  // namespace tolv
