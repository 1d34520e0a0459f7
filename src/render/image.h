// Images loaded for cutting sprite frames, and the loader slot the image
// readers fill.
#pragma once
#include <cstdint>

namespace tolv {

struct Image {
  uint16_t width = 0;
  uint16_t height = 0;
  uint8_t* pixels = nullptr;  // width * height palette indexes, row by row
};

// The image every frame-block loader cuts from.
extern Image sprite_image;

// Loads a PCX or TGA image into `image`; 1 on success, 0 (image unchanged)
// when the file is missing. The default reports the file as not found.
extern int (*load_image_file)(const char* name, Image* image, int set_palette);

}  // namespace tolv
