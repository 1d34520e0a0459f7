// Images loaded for cutting sprite frames, and the loader slot the image
// readers fill.
#pragma once
#include <cstdint>

#include "base/image.h"

namespace tolv {

// Reads a PCX (first byte 10: version 5, 8 bits, one plane, run-length
// coded, 256-colour trailer) or TGA (first byte 0: colour-mapped, plain or
// run-length coded) image through the game file layer. A missing or
// unreadable file shows the name and why in the message log and returns 0
// with the image unchanged.
int LoadImageFile(const char* name, Image* image, int set_palette);
void FreeImage(Image* image);

// The image every frame-block loader cuts from.
extern Image sprite_image;

// Loads a PCX or TGA image into `image`; 1 on success, 0 (image unchanged)
// when the file is missing. LoadImageFile by default.
extern int (*load_image_file)(const char* name, Image* image, int set_palette);

}  // namespace tolv
